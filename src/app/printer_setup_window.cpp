#include "printer_setup_window.h"

#include <QFormLayout>
#include <QPrinterInfo>
#include <QVBoxLayout>

#include "printer_setup_qt.h"
#include "qt_text.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

struct DuplexChoice {
  QPrinter::DuplexMode mode;
  QString caption;
};

const DuplexChoice kDuplex[] = {
    {QPrinter::DuplexNone, u"Brak (jednostronnie)"_s},
    {QPrinter::DuplexAuto, u"Automatycznie"_s},
    {QPrinter::DuplexLongSide, u"Wzdłuż dłuższej krawędzi"_s},
    {QPrinter::DuplexShortSide, u"Wzdłuż krótszej krawędzi"_s},
};

QString StateText(QPrinter::PrinterState state) {
  switch (state) {
    case QPrinter::Idle: return u"gotowa"_s;
    case QPrinter::Active: return u"drukuje"_s;
    case QPrinter::Aborted: return u"wstrzymana"_s;
    case QPrinter::Error: return u"błąd"_s;
  }
  return QString();
}

QString Description(const QPrinterInfo& info) {
  QStringList lines;
  if (!info.description().isEmpty() && info.description() != info.printerName())
    lines << info.description();
  if (!info.makeAndModel().isEmpty()) lines << u"Model: "_s + info.makeAndModel();
  if (!info.location().isEmpty()) lines << u"Położenie: "_s + info.location();
  lines << u"Stan: "_s + StateText(info.state());
  return lines.join(u'\n');
}

}  // namespace

TfrmPrinterSetup::TfrmPrinterSetup(QWidget* parent) : QDialog(parent) {
  setObjectName(u"frmPrinterSetup"_s);
  setWindowTitle(u"Ustawienia drukarki"_s);
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  cmbDrukarka = Make<QComboBox>(this, u"cmbDrukarka"_s);
  cmbDrukarka->setMinimumWidth(280);
  form->addRow(MakeLabel(this, u"lblDrukarka"_s, u"&Drukarka:"_s, cmbDrukarka), cmbDrukarka);
  lblOpis = Make<QLabel>(this, u"lblOpis"_s);
  lblOpis->setWordWrap(true);
  form->addRow(QString(), lblOpis);
  cmbPapier = Make<QComboBox>(this, u"cmbPapier"_s);
  form->addRow(MakeLabel(this, u"lblPapier"_s, u"&Papier:"_s, cmbPapier), cmbPapier);
  cmbDupleks = Make<QComboBox>(this, u"cmbDupleks"_s);
  form->addRow(MakeLabel(this, u"lblDupleks"_s, u"Druk d&wustronny:"_s, cmbDupleks),
               cmbDupleks);
  cbxKolor = Make<QCheckBox>(this, u"cbxKolor"_s, u"Wydruk w &kolorze"_s);
  form->addRow(QString(), cbxKolor);
  column->addLayout(form);
  AddOkCancel(this, column);
  connect(cmbDrukarka, &QComboBox::currentIndexChanged, this,
          &TfrmPrinterSetup::cmbDrukarkaChange);
}

bool TfrmPrinterSetup::Execute(QPrinter& printer) {
  printer_ = &printer;
  {
    const QSignalBlocker block(cmbDrukarka);
    cmbDrukarka->clear();
    for (const std::string& name : qt::SelectablePrinterNames()) cmbDrukarka->addItem(ToQ(name));
    const int current = cmbDrukarka->findText(ToQ(qt::CurrentPrinterName(printer)));
    cmbDrukarka->setCurrentIndex(current >= 0 ? current : cmbDrukarka->count() - 1);
  }
  cmbDrukarkaChange();
  const bool confirmed = exec() == QDialog::Accepted;
  if (confirmed) Apply(printer);
  printer_ = nullptr;
  return confirmed;
}

void TfrmPrinterSetup::cmbDrukarkaChange() {
  const std::string name = FromQ(cmbDrukarka->currentText());
  papers_.clear();
  cmbPapier->clear();
  cmbDupleks->clear();
  if (name == qt::kPdfPrinterName) {
    lblOpis->setText(u"Wydruk do pliku PDF na papierze A4; nazwę pliku program zapyta przy "
                     u"każdym wydruku."_s);
    papers_.emplace_back(QPageSize::A4);
    cmbPapier->addItem(papers_.back().name());
    cmbDupleks->addItem(kDuplex[0].caption, 0);
    cbxKolor->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{cmbPapier, cmbDupleks, cbxKolor})
      w->setEnabled(false);
    return;
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(ToQ(name));
  lblOpis->setText(Description(info));
  // The current printer shows its own settings, another one what it starts with.
  const bool current = printer_ && !qt::PrintsToPdf(*printer_) &&
                       printer_->printerName() == info.printerName();
  const QPageSize paper = current ? printer_->pageLayout().pageSize() : info.defaultPageSize();
  for (const QPageSize& size : info.supportedPageSizes()) {
    papers_.push_back(size);
    cmbPapier->addItem(size.name());
    if (size.isEquivalentTo(paper)) cmbPapier->setCurrentIndex(cmbPapier->count() - 1);
  }
  const QPrinter::DuplexMode duplex = current ? printer_->duplex() : info.defaultDuplexMode();
  const QList<QPrinter::DuplexMode> duplexModes = info.supportedDuplexModes();
  for (int i = 0; i < static_cast<int>(std::size(kDuplex)); ++i) {
    if (i > 0 && !duplexModes.contains(kDuplex[i].mode)) continue;
    cmbDupleks->addItem(kDuplex[i].caption, i);
    if (kDuplex[i].mode == duplex) cmbDupleks->setCurrentIndex(cmbDupleks->count() - 1);
  }
  const QList<QPrinter::ColorMode> colours = info.supportedColorModes();
  const bool colour = current ? printer_->colorMode() == QPrinter::Color
                              : info.defaultColorMode() == QPrinter::Color;
  cbxKolor->setChecked(colour && colours.contains(QPrinter::Color));
  cmbPapier->setEnabled(cmbPapier->count() > 1);
  cmbDupleks->setEnabled(cmbDupleks->count() > 1);
  cbxKolor->setEnabled(colours.contains(QPrinter::Color) &&
                       colours.contains(QPrinter::GrayScale));
}

void TfrmPrinterSetup::Apply(QPrinter& printer) {
  const std::string name = FromQ(cmbDrukarka->currentText());
  qt::SelectPrinter(printer, name);
  if (qt::PrintsToPdf(printer)) return;
  const int paper = cmbPapier->currentIndex();
  if (paper >= 0 && paper < static_cast<int>(papers_.size()))
    printer.setPageSize(papers_[static_cast<size_t>(paper)]);
  if (cmbDupleks->currentIndex() >= 0)
    printer.setDuplex(kDuplex[cmbDupleks->currentData().toInt()].mode);
  printer.setColorMode(cbxKolor->isChecked() ? QPrinter::Color : QPrinter::GrayScale);
}

}  // namespace bilvox
