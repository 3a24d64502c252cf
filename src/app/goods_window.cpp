#include "goods_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/cp1250.h"
#include "common/messages.h"
#include "document/faktura.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "register_models.h"
#include "register_view.h"
#include "screenshots.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {
// The goods register in browse mode (the example register's records), wide enough for
// every column.
const ScreenshotView kListView("goods-list", [](TProgram& program) -> QWidget* {
  program.frmTowary().resize(700, 320);
  program.frmTowary().ShowNonModal();
  return &program.frmTowary();
});
}  // namespace

TfrmTowary::TfrmTowary(TProgram& program) : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmTowary"_s);
  setWindowTitle(u"Towary i Usługi"_s);

  Label1 = Make<QLabel>(this, u"Label1"_s,
                        u"Aby wybrać towar, zaznacz odpowiednią pozycję i kliknij \"Wybierz\" "
                        "lub naciśnij Enter"_s);
  Label1->setWordWrap(true);
  btnOk = Make<QPushButton>(this, u"btnOk"_s, u"&Wybierz"_s);
  btnOk->setDefault(true);
  btnCancel = Make<QPushButton>(this, u"btnCancel"_s, u"&Zamknij"_s);
  GroupBox1 = Make<QGroupBox>(this, u"GroupBox1"_s, u"Lista towarów i usług"_s);
  cbxSort = MakeList(GroupBox1, u"cbxSort"_s, {u"Nazwy"_s, u"Ceny"_s});
  Label3 = MakeLabel(GroupBox1, u"Label3"_s, u"Sortuj wg"_s, cbxSort);
  edtFilter = MakeEdit(GroupBox1, u"edtFilter"_s);
  Label2 = MakeLabel(GroupBox1, u"Label2"_s, u"Filtr"_s, edtFilter);
  model_ = new GoodsModel(Register(), this);
  sgrTowary = MakeRegisterGrid(GroupBox1, u"sgrTowary"_s, model_);
  btnDelete = Make<QPushButton>(GroupBox1, u"btnDelete"_s, u"&Usuń"_s);
  SetHint(btnDelete, u"Usuwa zaznaczoną pozycję"_s, true);
  for (QPushButton* b : {btnCancel, btnDelete}) b->setAutoDefault(false);
  btnOk->setAutoDefault(false);

  auto* group = new QGridLayout(GroupBox1);
  auto* top = new QHBoxLayout;
  top->addWidget(Label3);
  top->addWidget(cbxSort);
  top->addSpacing(12);
  top->addWidget(Label2);
  top->addWidget(edtFilter, 1);
  group->addLayout(top, 0, 0, 1, 2);
  group->addWidget(sgrTowary, 1, 0, 1, 2);
  group->addWidget(btnDelete, 2, 0);
  group->setColumnStretch(1, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Label1, 1);
  bottom->addWidget(btnOk);
  bottom->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1, 1);
  layout->addLayout(bottom);

  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cbxSort, &QComboBox::currentIndexChanged, this, &TfrmTowary::cbxSortChange);
  connect(edtFilter, &QLineEdit::textEdited, this, &TfrmTowary::edtFilterChange);
  connect(btnDelete, &QPushButton::clicked, this, &TfrmTowary::btnDeleteClick);
  // A double click picks the item (in browse mode nobody takes it).
  connect(sgrTowary, &QTableView::doubleClicked, this, &QDialog::accept);

  resize(442, 255);
  AppServices& services = program.Services();
  RestorePlacement(this, &program.frmMain(), services.settings.TowForm, services.store);
  // The register was read with the main window: the list is prepared now, once.
  model_->Sync();
}

TfrmTowary::~TfrmTowary() {
  AppServices& services = program_.Services();
  StorePlacement(this, services.settings.TowForm, services.store);
}

TTowary& TfrmTowary::Register() { return program_.Services().goods; }

const TTowarRec* TfrmTowary::Select() {
  return exec() == QDialog::Accepted ? SelectedRecord() : nullptr;
}

void TfrmTowary::Browse() {
  btnOk->hide();
  exec();
  btnOk->show();
}

void TfrmTowary::ShowNonModal() {
  btnOk->hide();
  show();
}

void TfrmTowary::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfrmTowary::FormShow() {
  Label1->setVisible(!btnOk->isHidden());
  ShowSortAndFilter(cbxSort, edtFilter, Register());
  model_->ShowPricesIn(program_.frmMain().Document().CurrencyCode());
  Refill(SelectedRecord());
  WidenColumns(sgrTowary, [this](int c) { return model_->WidthSamples(c); });
  sgrTowary->setFocus();
}

TTowarRec* TfrmTowary::SelectedRecord() const { return model_->RecordAt(CurrentRow(sgrTowary)); }

void TfrmTowary::Refill(const TTowarRec* select) { RefillGrid(sgrTowary, *model_, select); }

void TfrmTowary::cbxSortChange(int index) {
  if (index < 0) return;
  ChangeListOrder(sgrTowary, *model_, [&] { Register().SetSortMode(static_cast<uint8_t>(index)); });
}

void TfrmTowary::edtFilterChange(const QString& text) {
  ChangeListOrder(sgrTowary, *model_, [&] { Register().SetFilterText(FromQ(text)); });
}

void TfrmTowary::btnDeleteClick() {
  DeleteSelectedRecord(this, sgrTowary, *model_, Register(),
                       "Czy na pewno chcesz usunąć wybraną pozycję z listy towarów i usług?"_cp);
}

}  // namespace bilvox
