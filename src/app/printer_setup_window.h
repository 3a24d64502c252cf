// TfrmPrinterSetup ("Ustawienia drukarki"): the choice of the printer the documents are
// printed on, among the installed printers and the PDF file, with the paper, two-sided
// printing and colour of a printer. OK hands the choice to the printer; the print command
// then remembers it in the printer set-up file.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPageSize>
#include <QPrinter>
#include <vector>

namespace bilvox {

class TfrmPrinterSetup : public QDialog {
 public:
  explicit TfrmPrinterSetup(QWidget* parent);

  // Shows the printer's current choice; true when the user confirmed, and the printer then
  // carries the new choice.
  bool Execute(QPrinter& printer);

  QComboBox* cmbDrukarka;
  QLabel* lblOpis;
  QComboBox* cmbPapier;
  QComboBox* cmbDupleks;
  QCheckBox* cbxKolor;

 private:
  // Shows what the chosen printer offers, with the printer's settings when it is the
  // current one, else the chosen printer's defaults.
  void cmbDrukarkaChange();
  void Apply(QPrinter& printer);

  QPrinter* printer_ = nullptr;
  std::vector<QPageSize> papers_;
};

}  // namespace bilvox
