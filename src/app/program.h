// The running program: the objects that live for the whole run (settings, registers,
// autocomplete lists, the dialogs and the data folder) and every window, created once in a
// fixed order and destroyed in the reverse order, so the main window goes last.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "registers/autolists.h"
#include "registers/contractors.h"
#include "registers/goods.h"
#include "settings/settings.h"

namespace bilvox {

class FileDialogs;
class SettingsStore;
class TAboutBox;
class TfrmInfo;
class TfrmKontrahenci;
class TfrmKontrahent;
class TfrmMain;
class TfrmPrintSelect;
class TfrmPrintSelect2;
class TfrmSettings;
class TfrmTMore;
class TfrmTowary;
class TfrmWaluta;

// What the windows share. It exists before the first window and goes after the last.
struct AppServices {
  AppServices(SettingsStore& store, FileDialogs& dialogs, std::string dataFolder,
              std::string programFolder, std::optional<std::string> startPath);

  SettingsStore& store;
  FileDialogs& dialogs;
  std::string dataFolder;     // data files; ends with "/"
  std::string programFolder;  // the program file and its help; ends with "/"
  std::optional<std::string> startPath;  // the document named on the command line

  // The run-time copy of the settings (read by the settings window at its creation).
  TSettings settings;
  TKontrahenci contractors;
  TTowary goods;
  // The autocomplete lists and the items of the three combo boxes they remember.
  TListyNapisow autolists;
  TextList pkwiuList;
  TextList unitList;
  TextList paymentFormList;

  std::string DataFile(const char* name) const { return dataFolder + name; }
};

class TProgram {
 public:
  TProgram(SettingsStore& store, FileDialogs& dialogs, std::string dataFolder,
           std::string programFolder, std::optional<std::string> startPath);
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  AppServices& Services() { return services_; }

  TfrmMain& frmMain() { return *frmMain_; }
  TAboutBox& AboutBox() { return *aboutBox_; }
  TfrmSettings& frmSettings() { return *frmSettings_; }
  TfrmPrintSelect2& frmPrintSelect2() { return *frmPrintSelect2_; }
  TfrmTowary& frmTowary() { return *frmTowary_; }
  TfrmKontrahenci& frmKontrahenci() { return *frmKontrahenci_; }
  TfrmInfo& frmInfo() { return *frmInfo_; }
  TfrmWaluta& frmWaluta() { return *frmWaluta_; }
  TfrmTMore& frmTMore() { return *frmTMore_; }
  TfrmKontrahent& frmKontrahent() { return *frmKontrahent_; }
  TfrmPrintSelect& frmPrintSelect() { return *frmPrintSelect_; }

  // Whether every window exists (the main window's handlers reach the others only then).
  bool AllWindowsCreated() const { return frmPrintSelect_ != nullptr; }
  // The object names of the windows in the order they were created.
  const std::vector<QString>& CreationOrder() const { return creationOrder_; }

 private:
  template <class W>
  void Create(std::unique_ptr<W>& window);

  AppServices services_;
  std::vector<QString> creationOrder_;
  std::unique_ptr<TfrmMain> frmMain_;
  std::unique_ptr<TAboutBox> aboutBox_;
  std::unique_ptr<TfrmSettings> frmSettings_;
  std::unique_ptr<TfrmPrintSelect2> frmPrintSelect2_;
  std::unique_ptr<TfrmTowary> frmTowary_;
  std::unique_ptr<TfrmKontrahenci> frmKontrahenci_;
  std::unique_ptr<TfrmInfo> frmInfo_;
  std::unique_ptr<TfrmWaluta> frmWaluta_;
  std::unique_ptr<TfrmTMore> frmTMore_;
  std::unique_ptr<TfrmKontrahent> frmKontrahent_;
  std::unique_ptr<TfrmPrintSelect> frmPrintSelect_;
};

}  // namespace bilvox
