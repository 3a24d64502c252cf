#include "tab_items.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/error_report.h"
#include "document/faktura.h"
#include "document/line_entry.h"
#include "document/money.h"
#include "document/towar.h"
#include "goods_window.h"
#include "item_translation_window.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "registers/goods.h"
#include "screenshots.h"
#include "tab_payment.h"
#include "widgets.h"
#include "words/money_text.h"
#include "words/number_input.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// Table indexes by list position: the rates in force since 2011 first, or the older ones.
constexpr int kNewOrder[9] = {7, 8, 9, 3, 4, 5, 0, 1, 2};
constexpr int kOldOrder[9] = {0, 1, 2, 3, 4, 5, 7, 8, 9};

QString RateText(int vatIndex) {
  if (vatIndex == kVatIndexExempt) return u"zwoln."_s;
  if (vatIndex == kVatIndexNotSubject) return u"nie podlega opod."_s;
  return ToQ(RatePercentText(VatRateTable[static_cast<size_t>(vatIndex)]));
}

// The goods tab with the document's lines, the second one selected and in the entry fields.
const ScreenshotView kLinesView("main-towary-lines", [](TProgram& program) -> QWidget* {
  TfrmMain& main = program.frmMain();
  main.ShowPage(TfrmMain::Page::Towary);
  QListWidget* lines = main.TowaryTab().lbxTowary;
  if (lines->count() > 1) lines->setCurrentRow(1);
  return &main;
});

}  // namespace

TabTowary::TabTowary(EditContext& context)
    : DocumentTab(context, u"tshTowary"_s,
                  u"Dane towarów i usług zamieszczanych w dokumencie"_s) {
  grpTowar = Make<QGroupBox>(this, u"grpTowar"_s, u"Dane towaru / usługi"_s);
  btnTNew = Make<QPushButton>(grpTowar, u"btnTNew"_s, u"&Nowy"_s);
  SetHint(btnTNew, u"Przygotowuje (czyści) wszystkie pola do wpisania nowego towaru"_s);
  edtTNazwa = MakeEdit(grpTowar, u"edtTNazwa"_s);
  SetHint(edtTNazwa, u"Nazwa towaru lub usługi"_s);
  lblTNazwa = MakeLabel(grpTowar, u"lblTNazwa"_s, u"Nazwa"_s, edtTNazwa);
  btnSelectTowar = Make<QPushButton>(grpTowar, u"btnSelectTowar"_s, u"Z &listy..."_s);
  SetHint(btnSelectTowar, u"Wyświetla listę towarów w trybie pobrania danych"_s);
  cmbTPKWIU = MakeEditableCombo(grpTowar, u"cmbTPKWIU"_s, {});
  SetHint(cmbTPKWIU, u"Symbol PKWIU towaru lub usługi"_s);
  lblTPKWIU = MakeLabel(grpTowar, u"lblTPKWIU"_s, u"PKWiU"_s, cmbTPKWIU);
  cmbTJM = MakeEditableCombo(grpTowar, u"cmbTJM"_s, {});
  SetHint(cmbTJM, u"Jednostka miary używana dla tego towaru lub usługi"_s);
  lblTJM = MakeLabel(grpTowar, u"lblTJM"_s, u"Jednostka Miary"_s, cmbTJM);
  edtTCenaNetto = MakeEdit(grpTowar, u"edtTCenaNetto"_s);
  SetHint(edtTCenaNetto, u"Cena netto jednostki"_s);
  lblTCenaNetto = MakeLabel(grpTowar, u"lblTCenaNetto"_s, u"Cena netto"_s, edtTCenaNetto);
  cmbTStawkaVat = MakeList(grpTowar, u"cmbTStawkaVat"_s, {});
  SetHint(cmbTStawkaVat, u"Stawka VAT obowiązująca dla tego towaru"_s);
  lblTStawkaVat = MakeLabel(grpTowar, u"lblTStawkaVat"_s, u"Stawka VAT"_s, cmbTStawkaVat);
  edtTIlosc = MakeEdit(grpTowar, u"edtTIlosc"_s);
  SetHint(edtTIlosc, u"Sprzedawana ilość towaru "_s);
  lblTIlosc = MakeLabel(grpTowar, u"lblTIlosc"_s, u"Ilość"_s, edtTIlosc);
  edtTCenaBrutto = MakeEdit(grpTowar, u"edtTCenaBrutto"_s);
  SetHint(edtTCenaBrutto, u"Cena brutto jednostki"_s);
  lblTCenaBrutto = MakeLabel(grpTowar, u"lblTCenaBrutto"_s, u"Cena brutto"_s, edtTCenaBrutto);
  btnTAdd = Make<QPushButton>(grpTowar, u"btnTAdd"_s, u"&Dodaj  >"_s);
  SetHint(btnTAdd, u"Wprowadza wpisane dane jako nową pozycję w dokumencie"_s);
  btnTChange = Make<QPushButton>(grpTowar, u"btnTChange"_s, u"&Zamień  >"_s);
  SetHint(btnTChange, u"Zmienia dane zaznaczonej po prawej pozycji"_s);
  btnTMore = Make<QPushButton>(grpTowar, u"btnTMore"_s, u"&Więcej..."_s);
  SetHint(btnTMore, u"Pozwala wpisać tłumaczenie towaru na język obcy"_s);

  // The name on one row with the buttons that clear and fill it; below it the other fields
  // in three columns, each caption above its field, so that every caption stays whole and
  // the lines list on the right gets the rest of the tab; the commands on the last row.
  auto* entry = new QVBoxLayout(grpTowar);
  entry->setContentsMargins(6, 4, 6, 6);
  entry->setSpacing(3);
  auto* name = new QHBoxLayout;
  name->addWidget(btnTNew);
  name->addWidget(lblTNazwa);
  name->addWidget(edtTNazwa, 1);
  name->addWidget(btnSelectTowar);
  entry->addLayout(name);
  auto* fields = new QGridLayout;
  fields->setVerticalSpacing(3);
  const auto place = [fields](QLabel* caption, QWidget* field, int row, int column) {
    auto* cell = new QVBoxLayout;
    cell->setSpacing(0);
    cell->addWidget(caption);
    cell->addWidget(field);
    fields->addLayout(cell, row, column);
  };
  place(lblTPKWIU, cmbTPKWIU, 0, 0);
  place(lblTJM, cmbTJM, 0, 1);
  place(lblTIlosc, edtTIlosc, 0, 2);
  place(lblTCenaNetto, edtTCenaNetto, 1, 0);
  place(lblTStawkaVat, cmbTStawkaVat, 1, 1);
  place(lblTCenaBrutto, edtTCenaBrutto, 1, 2);
  for (int column = 0; column < 3; ++column) fields->setColumnStretch(column, 1);
  entry->addLayout(fields);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnTMore);
  buttons->addStretch(1);
  buttons->addWidget(btnTChange);
  buttons->addWidget(btnTAdd);
  entry->addLayout(buttons);

  grpTowaryNaFakturze = Make<QGroupBox>(this, u"grpTowaryNaFakturze"_s, u"Towary na fakturze"_s);
  lbxTowary = Make<QListWidget>(grpTowaryNaFakturze, u"lbxTowary"_s);
  lbxTowary->setSelectionMode(QAbstractItemView::SingleSelection);
  lbxTowary->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  lbxTowary->setMinimumHeight(3 * lbxTowary->fontMetrics().lineSpacing());
  // Room for a line's name of some thirty characters before the entry fields get any more.
  lbxTowary->setMinimumWidth(32 * lbxTowary->fontMetrics().averageCharWidth());
  SetHint(lbxTowary, u"Lista wszystkich towarów, które zostały wpisane do dokumentu"_s);
  btnTDelete = Make<QPushButton>(grpTowaryNaFakturze, u"btnTDelete"_s, u"&Usuń"_s);
  SetHint(btnTDelete, u"Usuwa zaznaczoną pozycję z dokumentu"_s);
  btnHelpTowary = Make<QPushButton>(grpTowaryNaFakturze, u"btnHelpTowary"_s, u"?"_s);
  btnHelpTowary->setFlat(true);
  QFont bold = btnHelpTowary->font();
  bold.setBold(true);
  btnHelpTowary->setFont(bold);
  btnHelpTowary->setMaximumWidth(btnHelpTowary->fontMetrics().horizontalAdvance(u"?"_s) + 16);
  SetHint(btnHelpTowary, u"Wyświetla pomoc dla tego okna"_s);
  auto* lines = new QGridLayout(grpTowaryNaFakturze);
  lines->addWidget(lbxTowary, 0, 0, 1, 3);
  lines->addWidget(btnTDelete, 1, 0);
  lines->addWidget(btnHelpTowary, 1, 2, Qt::AlignRight);

  // The entry keeps the width its fields need; the lines list takes all the rest.
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 6, 6, 6);
  row->addWidget(grpTowar, 0);
  row->addWidget(grpTowaryNaFakturze, 1);

  connect(btnHelpTowary, &QPushButton::clicked, this, &TabTowary::HelpClicked);
  connect(lbxTowary, &QListWidget::itemSelectionChanged, this, [this] { lbxTowaryClick(); });
  // Only what the user types is propagated; the computed field is written with its signals
  // blocked.
  connect(edtTCenaNetto, &QLineEdit::textEdited, this, [this] { edtTCenaNettoChange(); });
  connect(edtTCenaBrutto, &QLineEdit::textEdited, this, [this] { edtTCenaBruttoChange(); });
  connect(cmbTStawkaVat, &QComboBox::activated, this, [this] { cmbTStawkaVatChange(); });
  connect(btnTNew, &QPushButton::clicked, this, [this] { btnTNewClick(); });
  connect(btnTAdd, &QPushButton::clicked, this, [this] { btnTAddClick(); });
  connect(btnTChange, &QPushButton::clicked, this, [this] { btnTChangeClick(); });
  connect(btnTDelete, &QPushButton::clicked, this, [this] { btnTDeleteClick(); });
  connect(btnSelectTowar, &QPushButton::clicked, this, [this] { btnSelectTowarClick(); });
  connect(btnTMore, &QPushButton::clicked, this, [this] { btnTMoreClick(); });
}

void TabTowary::Attach(TProgram& program) { program_ = &program; }

QString TabTowary::Caption() const { return u"Towary/Usługi"_s; }

int TabTowary::VatIndexAt(int position) {
  if (position < 0 || position >= 9) return -1;
  return (NewVatRatesInForce() ? kNewOrder : kOldOrder)[position];
}

int TabTowary::PositionOfVatIndex(int vatIndex) {
  const int* order = NewVatRatesInForce() ? kNewOrder : kOldOrder;
  for (int position = 0; position < 9; ++position)
    if (order[position] == vatIndex) return position;
  return -1;
}

void TabTowary::FillVatRates() {
  cmbTStawkaVat->clear();
  for (int position = 0; position < 9; ++position)
    cmbTStawkaVat->addItem(RateText(VatIndexAt(position)));
  cmbTStawkaVat->setCurrentIndex(0);
}

TTowar* TabTowary::LineOfRow(const QListWidgetItem* row) {
  return row ? reinterpret_cast<TTowar*>(row->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

bool TabTowary::VatPartApplies(const TFaktura& doc) {
  if (doc.Kind() == DocumentKind::Bill) return false;
  return doc.Kind() != DocumentKind::Invoice || (doc.VatInvoiceType() != kVatTypeMargin &&
                                                 doc.VatInvoiceType() != kVatTypeWithoutVat);
}

void TabTowary::LoadLines(const TFaktura& doc) {
  {
    const QSignalBlocker block(lbxTowary);
    lbxTowary->clear();
    for (int i = 0; i < doc.LineCount(); ++i) {
      auto* row = new QListWidgetItem(ToQ(doc.Line(i).NameFor(doc.DocLanguage())), lbxTowary);
      row->setData(Qt::UserRole,
                   QVariant::fromValue(reinterpret_cast<quintptr>(&doc.Line(i))));
    }
    if (lbxTowary->count() > 0) lbxTowary->setCurrentRow(0);
  }
  lbxTowaryClick();
}

QListWidgetItem* TabTowary::SelectedRow() const {
  const QList<QListWidgetItem*> selected = lbxTowary->selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

void TabTowary::Deselect() {
  const QSignalBlocker block(lbxTowary);
  lbxTowary->clearSelection();
  lbxTowary->setCurrentItem(nullptr);
  btnTChange->setEnabled(false);
}

void TabTowary::lbxTowaryClick() {
  const TTowar* line = LineOfRow(SelectedRow());
  btnTChange->setEnabled(line != nullptr);
  if (!line) {
    edtTNazwa->clear();
    SetTranslation({}, {});
    cmbTJM->setEditText(cmbTJM->count() > 0 ? cmbTJM->itemText(0) : QString());
    cmbTPKWIU->setEditText({});
    edtTIlosc->setText(u"0"_s);
    cmbTStawkaVat->setCurrentIndex(DefaultRatePosition());
    ShowPrice(Currency{}, false);
    return;
  }
  const TFaktura& doc = Doc();
  const int language = doc.DocLanguage();
  edtTNazwa->setText(ToQ(line->NameFor(0)));
  edtTNazwa->setCursorPosition(0);  // a long name shows its beginning
  cmbTJM->setEditText(ToQ(line->UnitFor(0)));
  SetTranslation(ToQ(line->NameFor(language)), ToQ(line->UnitFor(language)));
  cmbTPKWIU->setEditText(ToQ(line->Pkwiu));
  edtTIlosc->setText(ToQ(GeneralNumberText(line->Quantity)));
  cmbTStawkaVat->setCurrentIndex(PositionOfVatIndex(line->GetVatIndex()));
  const bool pln = doc.CurrencyCode() == "PLN";
  ShowPrice(pln ? line->PricePLN : line->PriceForeign,
            pln ? line->PricePLNIsGross : line->PriceForeignIsGross);
}

int TabTowary::DefaultRatePosition() const {
  return vatPartVisible_ ? 0 : PositionOfVatIndex(3);
}

void TabTowary::ShowVatPart(bool visible) {
  vatPartVisible_ = visible;
  for (QWidget* w : {static_cast<QWidget*>(edtTCenaBrutto), static_cast<QWidget*>(lblTCenaBrutto),
                     static_cast<QWidget*>(cmbTStawkaVat), static_cast<QWidget*>(lblTStawkaVat),
                     static_cast<QWidget*>(cmbTPKWIU), static_cast<QWidget*>(lblTPKWIU)})
    w->setVisible(visible);
  lblTCenaNetto->setText(visible ? u"Cena netto"_s : u"Cena"_s);
  // The rate list shows the rate the entry will file: the selected line's own rate while the
  // rates apply (Zamień must not move the line to another rate), otherwise 0 %.
  const TTowar* line = LineOfRow(SelectedRow());
  cmbTStawkaVat->setCurrentIndex(visible && line ? PositionOfVatIndex(line->GetVatIndex())
                                                 : DefaultRatePosition());
  cmbTStawkaVatChange();
}

int TabTowary::SelectedVatIndex() const { return VatIndexAt(cmbTStawkaVat->currentIndex()); }

TfrmTMore* TabTowary::TranslationWindow() const {
  return program_ && program_->AllWindowsCreated() ? &program_->frmTMore() : nullptr;
}

void TabTowary::SetTranslation(const QString& name, const QString& unit) {
  if (TfrmTMore* more = TranslationWindow()) {
    more->edtTNazwa->setText(name);
    more->edtTJM->setText(unit);
  }
}

// ---- the coupled prices ----

void TabTowary::edtTCenaNettoChange() {
  grossMode_ = false;
  const std::optional<Currency> net = ParseDecimalInput(FromQ(edtTCenaNetto->text()));
  const QSignalBlocker block(edtTCenaBrutto);
  edtTCenaBrutto->setText(
      net ? ToQ(ShortDecimalText(EntryGrossFromNet(*net, SelectedVatIndex()))) : QString());
}

void TabTowary::edtTCenaBruttoChange() {
  grossMode_ = true;
  const std::optional<Currency> gross = ParseDecimalInput(FromQ(edtTCenaBrutto->text()));
  const QSignalBlocker block(edtTCenaNetto);
  edtTCenaNetto->setText(
      gross ? ToQ(MoneyText(EntryNetFromGross(*gross, SelectedVatIndex()), true)) : QString());
}

void TabTowary::cmbTStawkaVatChange() {
  if (grossMode_)
    edtTCenaBruttoChange();
  else
    edtTCenaNettoChange();
}

void TabTowary::ShowPrice(Currency price, bool gross) {
  QLineEdit* field = gross ? edtTCenaBrutto : edtTCenaNetto;
  {
    const QSignalBlocker block(field);
    field->setText(ToQ(ShortDecimalText(price)));
  }
  // The other field always follows, also when this one already held the text: it may have
  // been computed with another rate.
  if (gross)
    edtTCenaBruttoChange();
  else
    edtTCenaNettoChange();
}

// ---- the commands ----

void TabTowary::btnTNewClick() {
  Deselect();
  edtTNazwa->clear();
  cmbTPKWIU->setEditText({});
  cmbTJM->setEditText({});
  edtTIlosc->clear();
  {
    const QSignalBlocker block(edtTCenaNetto);
    edtTCenaNetto->clear();
  }
  SetTranslation({}, {});
  cmbTStawkaVat->setCurrentIndex(DefaultRatePosition());
  edtTCenaNettoChange();
}

TabTowary::Entry TabTowary::ReadEntry() const {
  Entry e;
  e.price = ReadEntryPrice(FromQ((grossMode_ ? edtTCenaBrutto : edtTCenaNetto)->text()));
  e.unit = FromQ(cmbTJM->currentText());
  e.pkwiu = FromQ(cmbTPKWIU->currentText());
  e.quantity = ReadEntryQuantity(FromQ(edtTIlosc->text()));
  e.vatIndex = SelectedVatIndex();
  e.name = FromQ(edtTNazwa->text());
  if (const TfrmTMore* more = TranslationWindow()) {
    e.translatedName = FromQ(more->edtTNazwa->text());
    e.translatedUnit = FromQ(more->edtTJM->text());
  }
  return e;
}

void TabTowary::btnTAddClick() {
  try {
    const Entry e = ReadEntry();
    const int index = Doc().AddLine(e.name, e.translatedName, e.vatIndex, grossMode_, e.price,
                                    e.quantity, e.pkwiu, e.translatedUnit, e.unit);
    const TTowar& line = Doc().Line(index);
    auto* row = new QListWidgetItem(ToQ(line.NameFor(0)));
    row->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&line)));
    {
      const QSignalBlocker block(lbxTowary);
      lbxTowary->addItem(row);
    }
    Deselect();
    AfterLineStored(e);
    UpdateGoodsRegister(e);
  } catch (const Error& error) {
    // A number that cannot be read or an empty name: nothing was changed.
    ShowCommandError(error);
  }
}

void TabTowary::btnTChangeClick() {
  try {
    const Entry e = ReadEntry();
    if (QListWidgetItem* row = SelectedRow()) {
      Doc().ChangeLine(LineOfRow(row), e.name, e.vatIndex, grossMode_, e.price, e.quantity,
                       e.pkwiu, e.translatedUnit, e.unit, e.translatedName);
      row->setText(edtTNazwa->text());
      AfterLineStored(e);
    }
    UpdateGoodsRegister(e);
  } catch (const Error& error) {
    ShowCommandError(error);
  }
}

void TabTowary::btnTDeleteClick() {
  QListWidgetItem* row = SelectedRow();
  if (!row) return;
  TTowar* line = LineOfRow(row);
  Doc().DeleteLine(line);
  // Only the address is compared: a line that was removed is not looked at again.
  if (Doc().IndexOfLine(line) < 0) {
    {
      const QSignalBlocker block(lbxTowary);
      delete lbxTowary->takeItem(lbxTowary->row(row));
    }
    Deselect();
  } else {
    // A line of the corrected invoice stays with quantity 0.
    lbxTowaryClick();
  }
  if (program_) program_->frmMain().PlatnoscTab().ApplyFullyPaid();
}

void TabTowary::AfterLineStored(const Entry& entry) {
  if (!program_) return;
  TfrmMain& main = program_->frmMain();
  main.PlatnoscTab().ApplyFullyPaid();
  main.RememberListText(TfrmMain::AutoList::Pkwiu, entry.pkwiu);
  main.RememberListText(TfrmMain::AutoList::Unit, entry.unit);
}

void TabTowary::UpdateGoodsRegister(const Entry& entry) {
  // An item without a name is refused by the document before this point (for Change with no
  // selected line it is not asked): a nameless record would only clutter the register.
  if (!program_ || entry.name.empty()) return;
  const TFaktura& doc = Doc();
  const Currency rate = entry.vatIndex >= 0
                            ? VatRateTable[static_cast<size_t>(entry.vatIndex)]
                            : TTowar().VatRate;
  program_->Services().goods.UpsertFromEntry(entry.name, entry.pkwiu, entry.unit,
                                             doc.DocLanguage(), entry.translatedName,
                                             entry.translatedUnit, doc.CurrencyCode(), grossMode_,
                                             entry.price, rate);
}

void TabTowary::btnSelectTowarClick() {
  if (!program_ || !program_->AllWindowsCreated()) return;
  if (const TTowarRec* record = program_->frmTowary().Select()) TakeGoodsRecord(*record);
}

void TabTowary::TakeGoodsRecord(const TTowarRec& record) {
  const TFaktura& doc = Doc();
  edtTNazwa->setText(ToQ(record.name));
  edtTNazwa->setCursorPosition(0);
  cmbTPKWIU->setEditText(ToQ(record.pkwiu));
  cmbTJM->setEditText(ToQ(record.unit));
  edtTIlosc->setText(u"1"_s);
  const int position = VatPartApplies(doc) ? PositionOfVatIndex(FindVatIndex(record.vatRate))
                                           : PositionOfVatIndex(3);
  if (position >= 0) cmbTStawkaVat->setCurrentIndex(position);
  const bool pln = doc.CurrencyCode() == "PLN";
  ShowPrice(pln ? record.pricePln : record.priceForeign,
            pln ? record.pricePlnGross : record.priceForeignGross);
  // Translations are kept for German (2) and English (4) documents only.
  if (doc.DocLanguage() == 2)
    SetTranslation(ToQ(record.nameDe), ToQ(record.unitDe));
  else if (doc.DocLanguage() == 4)
    SetTranslation(ToQ(record.nameEn), ToQ(record.unitEn));
  edtTIlosc->setFocus();
}

void TabTowary::btnTMoreClick() {
  // The translation window only takes the translated name and unit; the price the user
  // typed and its mode stay as they are.
  if (TfrmTMore* more = TranslationWindow()) more->Execute();
}

}  // namespace bilvox
