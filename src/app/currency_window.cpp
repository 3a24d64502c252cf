#include "currency_window.h"

#include <QVBoxLayout>

#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmWaluta::TfrmWaluta(TProgram& program) : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmWaluta"_s);
  setWindowTitle(u"Waluta obca"_s);
  auto* layout = new QVBoxLayout(this);
  AddOkCancel(this, layout);
}

bool TfrmWaluta::Execute(std::string& code, Currency& rate) {
  CentreOver(this, &program_.frmMain());
  return exec() == QDialog::Accepted;
}

}  // namespace bilvox
