#include "program.h"

#include "about_box.h"
#include "contractor_window.h"
#include "contractors_window.h"
#include "currency_window.h"
#include "goods_window.h"
#include "info_window.h"
#include "item_translation_window.h"
#include "main_window.h"
#include "print_select.h"
#include "print_select2.h"
#include "settings_window.h"

namespace bilvox {

AppServices::AppServices(SettingsStore& store, FileDialogs& dialogs, std::string dataFolder,
                         std::string programFolder, std::optional<std::string> startPath)
    : store(store),
      dialogs(dialogs),
      dataFolder(std::move(dataFolder)),
      programFolder(std::move(programFolder)),
      startPath(std::move(startPath)) {}

template <class W>
void TProgram::Create(std::unique_ptr<W>& window) {
  window = std::make_unique<W>(*this);
  creationOrder_.push_back(window->objectName());
}

TProgram::TProgram(SettingsStore& store, FileDialogs& dialogs, std::string dataFolder,
                   std::string programFolder, std::optional<std::string> startPath)
    : services_(store, dialogs, std::move(dataFolder), std::move(programFolder),
                std::move(startPath)) {
  Create(frmMain_);
  Create(aboutBox_);
  Create(frmSettings_);
  Create(frmPrintSelect2_);
  Create(frmTowary_);
  Create(frmKontrahenci_);
  Create(frmInfo_);
  Create(frmWaluta_);
  Create(frmTMore_);
  Create(frmKontrahent_);
  Create(frmPrintSelect_);
}

TProgram::~TProgram() {
  frmPrintSelect_.reset();
  frmKontrahent_.reset();
  frmTMore_.reset();
  frmWaluta_.reset();
  frmInfo_.reset();
  frmKontrahenci_.reset();
  frmTowary_.reset();
  frmPrintSelect2_.reset();
  frmSettings_.reset();
  aboutBox_.reset();
  frmMain_.reset();
}

}  // namespace bilvox
