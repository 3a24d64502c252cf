// TfrmKontrahent ("Edycja danych kontrahenta"): the dialog in which one contractor is added
// or edited from the contractors list. It will hold the nine fields of the record.
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;

class TfrmKontrahent : public QDialog {
 public:
  explicit TfrmKontrahent(TProgram& program);
  // Shows the dialog modally; true when it closed with OK.
  bool Execute();

 private:
  TProgram& program_;
};

}  // namespace bilvox
