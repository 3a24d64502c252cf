// The print command and the printer set-up of the main window: the document is checked,
// the sheets are chosen in one of the two copy-selection windows and printed through the page
// drawing, then the number is committed, the document marked printed, the buyer filed and the
// document saved automatically when that is set.
#pragma once

namespace bilvox {

class TProgram;
class TfrmMain;

class TPrintCommands {
 public:
  TPrintCommands(TProgram& program, TfrmMain& window);

  // FilePrint.
  void Print();
  // FilePrinterSettings (also the button of the second copy-selection window).
  void PrinterSettings();

 private:
  TProgram& program_;
  TfrmMain& window_;
};

}  // namespace bilvox
