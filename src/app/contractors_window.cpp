#include "contractors_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/cp1250.h"
#include "common/messages.h"
#include "contractor_window.h"
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
// The contractors register in browse mode (the example register's records), wide enough
// for every column.
const ScreenshotView kListView("contractors-list", [](TProgram& program) -> QWidget* {
  program.frmKontrahenci().resize(760, 320);
  program.frmKontrahenci().ShowNonModal();
  return &program.frmKontrahenci();
});
}  // namespace

TfrmKontrahenci::TfrmKontrahenci(TProgram& program)
    : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmKontrahenci"_s);
  setWindowTitle(u"Kontrahenci"_s);

  Label1 = Make<QLabel>(this, u"Label1"_s,
                        u"Aby wybrać kontrahenta, zaznacz odpowiednią pozycję i kliknij "
                        "\"Wybierz\" lub naciśnij Enter"_s);
  Label1->setWordWrap(true);
  btnOk = Make<QPushButton>(this, u"btnOk"_s, u"&Wybierz"_s);
  btnCancel = Make<QPushButton>(this, u"btnCancel"_s, u"&Zamknij"_s);
  GroupBox1 = Make<QGroupBox>(this, u"GroupBox1"_s, u"Lista kontrahentów"_s);
  cbxSort = MakeList(GroupBox1, u"cbxSort"_s, {u"Nazwy"_s, u"NIPu"_s});
  Label2 = MakeLabel(GroupBox1, u"Label2"_s, u"Sortuj wg"_s, cbxSort);
  edtFilter = MakeEdit(GroupBox1, u"edtFilter"_s);
  SetHint(edtFilter, u"Wprowadź fragment nazwy, adresu lub numeru NIP aby zawęzić listę"_s, true);
  Label3 = MakeLabel(GroupBox1, u"Label3"_s, u"Filtr"_s, edtFilter);
  model_ = new ContractorsModel(Register(), this);
  sgrKontrahenci = MakeRegisterGrid(GroupBox1, u"sgrKontrahenci"_s, model_);
  btnAdd = Make<QPushButton>(GroupBox1, u"btnAdd"_s, u"&Dodaj..."_s);
  btnEdit = Make<QPushButton>(GroupBox1, u"btnEdit"_s, u"&Szczegóły..."_s);
  btnDelete = Make<QPushButton>(GroupBox1, u"btnDelete"_s, u"&Usuń..."_s);
  SetHint(btnDelete, u"Usuwa zaznaczoną pozycję"_s, true);
  for (QPushButton* b : {btnOk, btnCancel, btnAdd, btnEdit, btnDelete}) b->setAutoDefault(false);

  auto* group = new QGridLayout(GroupBox1);
  auto* top = new QHBoxLayout;
  top->addWidget(Label2);
  top->addWidget(cbxSort);
  top->addSpacing(12);
  top->addWidget(Label3);
  top->addWidget(edtFilter, 1);
  group->addLayout(top, 0, 0, 1, 4);
  group->addWidget(sgrKontrahenci, 1, 0, 1, 4);
  group->addWidget(btnAdd, 2, 0);
  group->addWidget(btnEdit, 2, 1);
  group->addWidget(btnDelete, 2, 2);
  group->setColumnStretch(3, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Label1, 1);
  bottom->addWidget(btnOk);
  bottom->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1, 1);
  layout->addLayout(bottom);

  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cbxSort, &QComboBox::currentIndexChanged, this, &TfrmKontrahenci::cbxSortChange);
  connect(edtFilter, &QLineEdit::textEdited, this, &TfrmKontrahenci::edtFilterChange);
  connect(btnAdd, &QPushButton::clicked, this, &TfrmKontrahenci::btnAddClick);
  connect(btnEdit, &QPushButton::clicked, this, &TfrmKontrahenci::btnEditClick);
  connect(btnDelete, &QPushButton::clicked, this, &TfrmKontrahenci::btnDeleteClick);
  connect(sgrKontrahenci, &QTableView::doubleClicked, this, &TfrmKontrahenci::GridChoose);
  SetSelectionMode(false);

  resize(496, 320);
  AppServices& services = program.Services();
  RestorePlacement(this, &program.frmMain(), services.settings.KontrForm, services.store);
  // The register was read with the main window: the list is prepared now, once.
  model_->Sync();
}

TfrmKontrahenci::~TfrmKontrahenci() {
  AppServices& services = program_.Services();
  StorePlacement(this, services.settings.KontrForm, services.store);
}

TKontrahenci& TfrmKontrahenci::Register() { return program_.Services().contractors; }

const TKontrahentRec* TfrmKontrahenci::Select() {
  SetSelectionMode(true);
  const bool chosen = exec() == QDialog::Accepted;
  return chosen ? SelectedRecord() : nullptr;
}

void TfrmKontrahenci::Browse() {
  SetSelectionMode(false);
  exec();
}

void TfrmKontrahenci::ShowNonModal() {
  SetSelectionMode(false);
  show();
}

void TfrmKontrahenci::SetSelectionMode(bool on) {
  selectionMode_ = on;
  btnOk->setVisible(on);
  Label1->setVisible(on);
  // Enter picks the contractor in selection mode and opens its details otherwise.
  btnOk->setDefault(on);
  btnEdit->setDefault(!on);
}

void TfrmKontrahenci::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfrmKontrahenci::FormShow() {
  ShowSortAndFilter(cbxSort, edtFilter, Register());
  Refill(SelectedRecord());
  WidenColumns(sgrKontrahenci, [this](int c) { return model_->WidthSamples(c); });
  sgrKontrahenci->setFocus();
}

void TfrmKontrahenci::RefreshList() { Refill(SelectedRecord()); }

TKontrahentRec* TfrmKontrahenci::SelectedRecord() const {
  return model_->RecordAt(CurrentRow(sgrKontrahenci));
}

void TfrmKontrahenci::Refill(const TKontrahentRec* select) {
  RefillGrid(sgrKontrahenci, *model_, select);
}

void TfrmKontrahenci::cbxSortChange(int index) {
  if (index < 0) return;
  ChangeListOrder(sgrKontrahenci, *model_,
                  [&] { Register().SetSortMode(static_cast<uint8_t>(index)); });
}

void TfrmKontrahenci::edtFilterChange(const QString& text) {
  ChangeListOrder(sgrKontrahenci, *model_, [&] { Register().SetFilterText(FromQ(text)); });
}

void TfrmKontrahenci::GridChoose() {
  if (selectionMode_)
    accept();
  else
    btnEditClick();
}

void TfrmKontrahenci::btnAddClick() {
  TfrmKontrahent& dialog = program_.frmKontrahent();
  dialog.Clear();
  if (!dialog.Execute()) return;
  TKontrahenci& reg = Register();
  // A contractor of exactly that name is overwritten rather than entered twice.
  TKontrahentRec* record = reg.FindOrAdd(MemoText(dialog.mmoBuyerName));
  if (record) {
    dialog.StoreInto(*record);
    reg.Sort();
    reg.Save();
  }
  Refill(record);
}

void TfrmKontrahenci::btnEditClick() {
  TKontrahentRec* record = SelectedRecord();
  if (!record) return;
  TfrmKontrahent& dialog = program_.frmKontrahent();
  dialog.Load(*record);
  if (dialog.Execute()) dialog.StoreInto(*record);
  TKontrahenci& reg = Register();
  reg.Sort();
  reg.Save();
  Refill(record);
}

void TfrmKontrahenci::btnDeleteClick() {
  DeleteSelectedRecord(this, sgrKontrahenci, *model_, Register(),
                       "Czy na pewno chcesz usunąć wybraną pozycję z listy kontrahentów?"_cp);
}

}  // namespace bilvox
