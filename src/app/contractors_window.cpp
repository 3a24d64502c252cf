#include "contractors_window.h"

#include <QVBoxLayout>

#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmKontrahenci::TfrmKontrahenci(TProgram& program)
    : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmKontrahenci"_s);
  setWindowTitle(u"Kontrahenci"_s);
  resize(496, 320);
  auto* layout = new QVBoxLayout(this);
  AddOkCancel(this, layout);
}

const TKontrahentRec* TfrmKontrahenci::Select() {
  exec();
  return nullptr;
}

void TfrmKontrahenci::Browse() { exec(); }

void TfrmKontrahenci::RefreshList() {}

}  // namespace bilvox
