// TfrmSettings ("Ustawienia"): the application settings, the numbering schemes and the
// autocomplete lists. The window object holds the run-time copy of the settings that the
// rest of the program reads; at its creation it reads them from the store and applies them
// to the main window.
//
// It will hold the pages `tshGeneral`, `tshView`, `tshAutoNumbering` and `tshLists` of
// `pgcSettings` with their controls, and the buttons "OK", "Anuluj" and "Zastosuj".
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;
class TSettings;

class TfrmSettings : public QDialog {
 public:
  // The pages, in the order of the page control.
  enum class Page { General = 0, View = 1, AutoNumbering = 2, Lists = 3 };

  explicit TfrmSettings(TProgram& program);

  // Shows the window modally on a page; true when it closed with OK (the settings are then
  // stored and applied).
  bool Execute(Page page);

  TSettings& Settings();
  // Reads the settings and the numbering schemes from the store into memory.
  void LoadSettings();
  // Applies the settings in memory to the main window.
  void ApplyToMainWindow();

 private:
  TProgram& program_;
};

}  // namespace bilvox
