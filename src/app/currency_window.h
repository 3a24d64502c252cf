// TfrmWaluta ("Waluta obca"): the document's currency and exchange rate, with the download
// of the day's average rate from the national bank's tables. It will hold the currency list
// `cbxWaluta`, the rate field `edtKurs`, the links to the bank's pages and the download
// button.
#pragma once

#include <QDialog>
#include <string>

#include "document/money.h"

namespace bilvox {

class TProgram;

class TfrmWaluta : public QDialog {
 public:
  explicit TfrmWaluta(TProgram& program);

  // Shows the window modally on the given code (Windows-1250) and rate. On OK returns true
  // with the chosen ones in their place; on Cancel returns false and leaves them alone.
  bool Execute(std::string& code, Currency& rate);

 private:
  TProgram& program_;
};

}  // namespace bilvox
