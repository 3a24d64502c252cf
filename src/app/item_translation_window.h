// TfrmTMore ("Więcej danych towaru"): the foreign-language name and unit of the item being
// entered on the "Towary/Usługi" tab, for documents printed in two languages or in German.
// The line entry fills and reads the two fields directly; the user opens the window with
// "&Więcej..." to type the translation. What is typed stays in the fields whichever way the
// window is closed, and is used at the next Add or Change.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>

namespace bilvox {

class TProgram;

class TfrmTMore : public QDialog {
 public:
  explicit TfrmTMore(TProgram& program);
  // Shows the window modally; true when it closed with OK.
  bool Execute();

  QGroupBox* GroupBox1;
  QLineEdit* edtTNazwa;  // the translated name
  QLineEdit* edtTJM;     // the translated unit
};

}  // namespace bilvox
