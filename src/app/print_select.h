// TfrmPrintSelect ("Wybór stron"): the choice of sheets for documents issued up to
// 2013-01-01 (original and copy, original, copy, self-copying paper). It will hold the
// buttons of each choice, each carrying out its print request before closing with OK.
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;

class TfrmPrintSelect : public QDialog {
 public:
  explicit TfrmPrintSelect(TProgram& program);
  // Shows the window modally; true when it closed with OK.
  bool Execute();

 private:
  TProgram& program_;
};

}  // namespace bilvox
