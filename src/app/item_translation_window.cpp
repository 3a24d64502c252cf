#include "item_translation_window.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmTMore::TfrmTMore(TProgram& program) : QDialog(&program.frmMain()) {
  setObjectName(u"frmTMore"_s);
  setWindowTitle(u"Więcej danych towaru"_s);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  GroupBox1 = Make<QGroupBox>(this, u"GroupBox1"_s, u"Tłumaczenie danych towaru na język obcy"_s);
  edtTNazwa = MakeEdit(GroupBox1, u"edtTNazwa"_s);
  edtTNazwa->setMinimumWidth(305);
  edtTJM = MakeEdit(GroupBox1, u"edtTJM"_s);
  auto* fields = new QGridLayout(GroupBox1);
  fields->addWidget(MakeLabel(GroupBox1, u"lblTNazwa"_s, u"Nazwa towaru"_s, edtTNazwa), 0, 0);
  fields->addWidget(MakeLabel(GroupBox1, u"lblTJM"_s, u"Jednostka Miary"_s, edtTJM), 0, 1);
  fields->addWidget(edtTNazwa, 1, 0);
  fields->addWidget(edtTJM, 1, 1);
  fields->setColumnStretch(0, 3);
  fields->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  AddOkCancel(this, layout);
  resize(468, 107);
  setFixedSize(sizeHint().expandedTo(QSize(468, 107)));
  CentreOver(this, &program.frmMain());
}

bool TfrmTMore::Execute() {
  edtTNazwa->setFocus();
  return exec() == QDialog::Accepted;
}

}  // namespace bilvox
