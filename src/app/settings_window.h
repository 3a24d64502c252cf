// TfrmSettings ("Ustawienia"): the application settings, the numbering schemes and the
// autocomplete lists. The window object holds the run-time copy of the settings that the
// rest of the program reads; at its creation it reads them from the store and applies them
// to the main window.
//
// The page control `pgcSettings` holds the pages "Ogólne", "Wygląd", "Numerowanie" and
// "Listy wyboru" (settings_pages.h); below it "OK", "Anuluj" and "Zastosuj". Nothing the
// user changes reaches memory before "OK" or "Zastosuj".
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>

namespace bilvox {

class TProgram;
class TSettings;
class TshAutoNumbering;
class TshGeneral;
class TshLists;
class TshView;

class TfrmSettings : public QDialog {
 public:
  // The pages, in the order of the page control.
  enum class Page { General = 0, View = 1, AutoNumbering = 2, Lists = 3 };

  explicit TfrmSettings(TProgram& program);

  // Shows the window modally on a page; true when it closed with OK (the settings are then
  // stored and applied).
  bool Execute(Page page);
  // Shows the window on a page without waiting for it and without the information window's
  // hint: the controls show the settings in memory (for pictures of the window).
  void ShowNonModal(Page page);

  TSettings& Settings();
  // Reads the settings and the numbering schemes from the store into memory.
  void LoadSettings();
  // Applies the settings in memory to the main window.
  void ApplyToMainWindow();
  // "Zastosuj": the controls into memory, memory into the store, then the main window and
  // its three lists follow. False when the store could not be written (the error has been
  // shown; memory and the main window hold the new settings all the same).
  bool ApplyControls();

  QTabWidget* pgcSettings;
  TshGeneral* tshGeneral;
  TshView* tshView;
  TshAutoNumbering* tshAutoNumbering;
  TshLists* tshLists;
  QPushButton* btnOk;
  QPushButton* btnCancel;
  QPushButton* btnApply;

 protected:
  void showEvent(QShowEvent* event) override;
  void accept() override;

 private:
  // Memory and the main window's lists into the controls, and the page to open on.
  void PutControls(Page page);
  void pgcSettingsChange(int index);
  // The information window's topic on automatic numbering; offered by itself only while
  // the user has not switched it off.
  void ShowNumberingInfo(bool onDemand);

  TProgram& program_;
  bool executing_ = false;
};

}  // namespace bilvox
