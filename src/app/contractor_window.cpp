#include "contractor_window.h"

#include <QVBoxLayout>

#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmKontrahent::TfrmKontrahent(TProgram& program)
    : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmKontrahent"_s);
  setWindowTitle(u"Edycja danych kontrahenta"_s);
  auto* layout = new QVBoxLayout(this);
  AddOkCancel(this, layout);
}

bool TfrmKontrahent::Execute() { return exec() == QDialog::Accepted; }

}  // namespace bilvox
