#include "printer_setup_qt.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

#include "common/cp1250.h"
#include "qt_canvas.h"

namespace bilvox::qt {

std::vector<std::string> InstalledPrinterNames() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames())
    names.push_back(QStringToCp1250(name));
  return names;
}

PrinterBlock CapturePrinterBlock(const QPrinter& printer) {
  PrinterBlock b;
  const QPageLayout layout = printer.pageLayout();
  const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
  if (mm.isValid()) {
    b.paperWidthUm = static_cast<int32_t>(std::lround(std::min(mm.width(), mm.height()) * 1000));
    b.paperHeightUm = static_cast<int32_t>(std::lround(std::max(mm.width(), mm.height()) * 1000));
  }
  b.orientation = layout.orientation() == QPageLayout::Landscape
                      ? PrinterBlock::Orientation::Landscape
                      : PrinterBlock::Orientation::Portrait;
  switch (printer.duplex()) {
    case QPrinter::DuplexAuto: b.duplex = PrinterBlock::Duplex::Auto; break;
    case QPrinter::DuplexLongSide: b.duplex = PrinterBlock::Duplex::LongSide; break;
    case QPrinter::DuplexShortSide: b.duplex = PrinterBlock::Duplex::ShortSide; break;
    default: b.duplex = PrinterBlock::Duplex::None; break;
  }
  b.colorMode = printer.colorMode() == QPrinter::GrayScale ? PrinterBlock::ColorMode::GrayScale
                                                           : PrinterBlock::ColorMode::Color;
  b.resolution = printer.resolution();
  b.copies = std::max(1, printer.copyCount());
  return b;
}

void ApplyPrinterBlock(QPrinter& printer, const PrinterBlock& b) {
  if (b.paperWidthUm > 0 && b.paperHeightUm > 0) {
    QPageSize size(QSizeF(b.paperWidthUm / 1000.0, b.paperHeightUm / 1000.0),
                   QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    if (size.isValid()) printer.setPageSize(size);
  }
  printer.setPageOrientation(b.orientation == PrinterBlock::Orientation::Landscape
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait);
  switch (b.duplex) {
    case PrinterBlock::Duplex::Auto: printer.setDuplex(QPrinter::DuplexAuto); break;
    case PrinterBlock::Duplex::LongSide: printer.setDuplex(QPrinter::DuplexLongSide); break;
    case PrinterBlock::Duplex::ShortSide: printer.setDuplex(QPrinter::DuplexShortSide); break;
    case PrinterBlock::Duplex::None: printer.setDuplex(QPrinter::DuplexNone); break;
  }
  printer.setColorMode(b.colorMode == PrinterBlock::ColorMode::GrayScale ? QPrinter::GrayScale
                                                                         : QPrinter::Color);
  if (b.resolution > 0) printer.setResolution(b.resolution);
  printer.setCopyCount(b.copies);
}

std::vector<std::string> SelectablePrinterNames() {
  std::vector<std::string> names = InstalledPrinterNames();
  names.emplace_back(kPdfPrinterName);
  return names;
}

bool PrintsToPdf(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat;
}

std::string CurrentPrinterName(const QPrinter& printer) {
  return PrintsToPdf(printer) ? std::string(kPdfPrinterName)
                              : QStringToCp1250(printer.printerName());
}

void SelectPrinter(QPrinter& printer, const std::string& name) {
  if (name == kPdfPrinterName) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    return;
  }
  const QString queue = Cp1250ToQString(name);
  if (QPrinterInfo::printerInfo(queue).isNull()) return;  // no longer installed
  if (printer.outputFormat() != QPrinter::NativeFormat)
    printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName(queue);
}

bool RestorePrinter(QPrinter& printer, const std::string& path, SetupType& type) {
  const std::vector<std::string> installed = SelectablePrinterNames();
  auto restored = RestorePrinterSetup(path, installed, type);
  if (!restored) return false;
  SelectPrinter(printer, installed[static_cast<size_t>(restored->index)]);
  if (auto block = DecodePrinterBlock(restored->setup.block)) ApplyPrinterBlock(printer, *block);
  return true;
}

bool SavePrinter(const QPrinter& printer, const std::string& path, SetupType& type) {
  PrinterSetupFile setup;
  setup.device = CurrentPrinterName(printer);
  if (!PrintsToPdf(printer))
    setup.driver = QStringToCp1250(QPrinterInfo::printerInfo(printer.printerName()).makeAndModel());
  setup.block = EncodePrinterBlock(CapturePrinterBlock(printer));
  return SavePrinterSetup(path, setup, type);
}

}  // namespace bilvox::qt
