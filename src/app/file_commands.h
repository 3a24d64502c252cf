// The main window's commands that replace or store the current document: new invoice and
// bill, the correction, open, save and save as, opening a file given from outside the window
// (the command line, a dropped file, another program's request), and what they share: the
// unsaved-changes prompt, the open document routine and the filing of the buyer in the
// contractors register.
#pragma once

#include <string>

#include "document/faktura.h"

namespace bilvox {

class TProgram;
class TfrmMain;

class TFileCommands {
 public:
  TFileCommands(TProgram& program, TfrmMain& window);

  // The unsaved-changes prompt: true when the command may go on (no changes, saved, or the
  // user chose not to save).
  bool MayDiscardChanges();

  // FileNewFaktura and FileNewRachunek: a new document of the kind with the next number.
  void NewDocument(DocumentKind kind);
  // FileNewKorekta: a correcting invoice of the invoice in the window.
  void NewCorrection();
  // FileOpen: the open dialog, then the open document routine.
  void Open();
  // FileSave and FileSaveAs. True when the document was written.
  bool Save();
  bool SaveAs();

  // The open document routine; false when the file could not be read (the error was shown
  // and the window shows the empty document the failed reading left).
  bool OpenDocument(const std::string& path);
  // The first document of the run: the file named on the command line (opened without a
  // prompt), or else a new document of the default kind.
  void StartFirstDocument();
  // A file dropped on the window or sent by another program: opened when it exists and the
  // unsaved-changes prompt allows; a path that names no file is ignored.
  void OpenFromOutside(const std::string& path);

  // After every successful save and every confirmed print: the payment form to the top of
  // its list, the buyer filed in the contractors register.
  void UpdateRegistersFromDocument();
  // After a confirmed print, when automatic saving is on and the document has changes.
  void AutoSaveAfterPrint();
  // After a first save under a name or a first print of a document carrying the number its
  // kind gives now: the kind's counter moves on. A print calls this before marking the
  // document printed.
  void AdvanceCounterIfDue();

 private:
  TFaktura& Doc();
  // A counter that cannot be stored is reported in one box (with what the store said about
  // it, if anything), since the next number may then repeat.
  void AdvanceCounter(int kind);
  // Runs a document operation; an Error is shown in a box with the window's caption.
  template <class F>
  bool Guarded(F&& operation);

  TProgram& program_;
  TfrmMain& window_;
};

}  // namespace bilvox
