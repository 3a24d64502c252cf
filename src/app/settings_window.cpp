#include "settings_window.h"

#include <QVBoxLayout>

#include "common/error.h"
#include "common/error_report.h"
#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmSettings::TfrmSettings(TProgram& program) : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmSettings"_s);
  setWindowTitle(u"Ustawienia"_s);
  resize(502, 325);
  auto* layout = new QVBoxLayout(this);
  AddOkCancel(this, layout);
  LoadSettings();
  ApplyToMainWindow();
}

TSettings& TfrmSettings::Settings() { return program_.Services().settings; }

void TfrmSettings::LoadSettings() {
  try {
    Settings().Load(program_.Services().store);
  } catch (const Error& e) {
    ShowCommandError(e);
  }
}

void TfrmSettings::ApplyToMainWindow() { program_.frmMain().ApplySettings(Settings().App); }

bool TfrmSettings::Execute(Page page) {
  CentreOver(this, &program_.frmMain());
  return exec() == QDialog::Accepted;
}

}  // namespace bilvox
