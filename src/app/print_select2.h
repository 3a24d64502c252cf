// TfrmPrintSelect2 ("Wybór stron"): the choice of sheets for documents issued after
// 2013-01-01 (two copies or one, and the printer set-up). It will hold those buttons, each
// print button carrying out its print request before closing with OK.
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;

class TfrmPrintSelect2 : public QDialog {
 public:
  explicit TfrmPrintSelect2(TProgram& program);
  // Shows the window modally; true when it closed with OK.
  bool Execute();

 private:
  TProgram& program_;
};

}  // namespace bilvox
