#include "print_select2.h"

#include <QVBoxLayout>

#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmPrintSelect2::TfrmPrintSelect2(TProgram& program)
    : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmPrintSelect2"_s);
  setWindowTitle(u"Wybór stron"_s);
  auto* layout = new QVBoxLayout(this);
  AddOkCancel(this, layout);
}

bool TfrmPrintSelect2::Execute() {
  CentreOver(this, &program_.frmMain());
  return exec() == QDialog::Accepted;
}

}  // namespace bilvox
