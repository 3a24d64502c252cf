#include "goods_window.h"

#include <QVBoxLayout>

#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmTowary::TfrmTowary(TProgram& program) : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmTowary"_s);
  setWindowTitle(u"Towary i Usługi"_s);
  resize(442, 255);
  auto* layout = new QVBoxLayout(this);
  AddOkCancel(this, layout);
}

const TTowarRec* TfrmTowary::Select() {
  exec();
  return nullptr;
}

void TfrmTowary::Browse() { exec(); }

}  // namespace bilvox
