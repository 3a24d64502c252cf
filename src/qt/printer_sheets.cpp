#include "printer_sheets.h"

#include <QPageLayout>
#include <QPrinter>

#include <cmath>

#include "common/cp1250.h"
#include "common/error.h"
#include "qt_canvas.h"

namespace bilvox {

namespace {

std::string PrinterText(const QPrinter& printer) { return QStringToCp1250(printer.printerName()); }

}  // namespace

PrinterSheetSink::PrinterSheetSink(QPrinter& printer) : printer_(printer) {}

PrinterSheetSink::~PrinterSheetSink() {
  if (painter_) AbortJob();
}

bool PrinterSheetSink::Available() { return printer_.isValid(); }

void PrinterSheetSink::BeginJob(std::string_view title) {
  printer_.setPageOrientation(QPageLayout::Portrait);
  printer_.setDocName(Cp1250ToQString(title));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&printer_)) {
    painter_.reset();
    throw Error(std::string("Nie można rozpocząć wydruku na drukarce \""_cp) + PrinterText(printer_) +
                "\"");
  }
  canvas_ = std::make_unique<QtCanvas>(*painter_);
}

int PrinterSheetSink::Dpi() { return printer_.resolution(); }

Point PrinterSheetSink::PhysicalOffset() {
  // The drawing starts at the corner of the printable area; the page is placed from the
  // sheet's edge, so the border is taken off again.
  if (printer_.fullPage()) return {0, 0};
  const QRectF printable = printer_.pageRect(QPrinter::DevicePixel);
  return {static_cast<int>(std::lround(printable.left())),
          static_cast<int>(std::lround(printable.top()))};
}

Canvas& PrinterSheetSink::SheetCanvas() { return *canvas_; }

void PrinterSheetSink::NewSheet() {
  if (!printer_.newPage()) throw Error(std::string("Drukarka nie przyjęła kolejnej strony wydruku"_cp));
}

void PrinterSheetSink::EndJob() {
  canvas_.reset();
  const bool ended = painter_->end();
  painter_.reset();
  if (!ended || printer_.printerState() == QPrinter::Error)
    throw Error(std::string("Nie udało się zakończyć wydruku na drukarce \""_cp) + PrinterText(printer_) +
                "\"");
}

void PrinterSheetSink::AbortJob() {
  canvas_.reset();
  if (!painter_) return;
  printer_.abort();
  painter_->end();
  painter_.reset();
}

}  // namespace bilvox
