// TfrmTMore ("Więcej danych towaru"): the foreign-language name and unit of the item being
// entered on the "Towary/Usługi" tab. It will hold the translation fields `edtTNazwa` and
// `edtTJM` that the line entry fills and reads.
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;

class TfrmTMore : public QDialog {
 public:
  explicit TfrmTMore(TProgram& program);
  // Shows the window modally; true when it closed with OK.
  bool Execute();

 private:
  TProgram& program_;
};

}  // namespace bilvox
