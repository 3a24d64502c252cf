// The print command and the printer set-up of the main window: the document is checked,
// the sheets are chosen in one of the two copy-selection windows and printed through the page
// drawing, then the number is committed, the document marked printed, the buyer filed and the
// document saved automatically when that is set.
//
// The sheets go to the printer chosen in the printer set-up: a printer of the system, or a
// PDF file whose name the user gives for each print.
#pragma once

#include <string>

#include "printout/print_job.h"

class QWidget;

namespace bilvox {

class TProgram;
class TfrmMain;
class TFaktura;

class TPrintCommands {
 public:
  TPrintCommands(TProgram& program, TfrmMain& window);

  // FilePrint.
  void Print();
  // FilePrinterSettings (also the button of the second copy-selection window, which is then
  // the set-up window's parent). True when the user confirmed a printer; it is then
  // remembered in the printer set-up file.
  bool PrinterSettings(QWidget* parent = nullptr);

  // The print operation of a copy-selection window's button. True when the sheets were
  // printed; false when the user cancelled the PDF file dialog or declined to replace a file,
  // or when the job failed (the error was shown).
  bool PrintSheets(const PrintRequest& request, QWidget* parent);

 private:
  TFaktura& Doc();
  bool PrintToPdf(const PrintRequest& request, QWidget* parent);
  void PrintToPrinter(const PrintRequest& request);
  // The steps after the user confirmed the sheets.
  void AfterPrint();

  TProgram& program_;
  TfrmMain& window_;
};

}  // namespace bilvox
