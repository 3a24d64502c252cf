#include "item_translation_window.h"

#include <QVBoxLayout>

#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmTMore::TfrmTMore(TProgram& program) : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmTMore"_s);
  setWindowTitle(u"Więcej danych towaru"_s);
  auto* layout = new QVBoxLayout(this);
  AddOkCancel(this, layout);
  CentreOver(this, &program.frmMain());
}

bool TfrmTMore::Execute() { return exec() == QDialog::Accepted; }

}  // namespace bilvox
