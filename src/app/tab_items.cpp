#include "tab_items.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

#include "document/faktura.h"
#include "document/money.h"
#include "qt_text.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// Table indexes by list position: the rates in force since 2011 first, or the older ones.
constexpr int kNewOrder[9] = {7, 8, 9, 3, 4, 5, 0, 1, 2};
constexpr int kOldOrder[9] = {0, 1, 2, 3, 4, 5, 7, 8, 9};

QString RateText(int vatIndex) {
  if (vatIndex == kVatIndexExempt) return u"zwoln."_s;
  if (vatIndex == kVatIndexNotSubject) return u"nie podlega opod."_s;
  const long double percent = VatRateTable[static_cast<size_t>(vatIndex)].Value() * 100;
  return QString::number(static_cast<long long>(std::llround(percent))) + u'%';
}

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
  cmbTJM = MakeEditableCombo(grpTowar, u"cmbTJM"_s, {u"szt"_s});
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

  auto* entry = new QGridLayout(grpTowar);
  entry->addWidget(btnTNew, 0, 0);
  entry->addWidget(lblTNazwa, 0, 1);
  entry->addWidget(edtTNazwa, 0, 2, 1, 4);
  entry->addWidget(btnSelectTowar, 0, 6);
  entry->addWidget(lblTPKWIU, 1, 0);
  entry->addWidget(cmbTPKWIU, 1, 1, 1, 2);
  entry->addWidget(lblTJM, 1, 3);
  entry->addWidget(cmbTJM, 1, 4);
  entry->addWidget(lblTIlosc, 1, 5);
  entry->addWidget(edtTIlosc, 1, 6);
  entry->addWidget(lblTCenaNetto, 2, 0);
  entry->addWidget(edtTCenaNetto, 2, 1, 1, 2);
  entry->addWidget(lblTStawkaVat, 2, 3);
  entry->addWidget(cmbTStawkaVat, 2, 4);
  entry->addWidget(lblTCenaBrutto, 2, 5);
  entry->addWidget(edtTCenaBrutto, 2, 6);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnTMore);
  buttons->addStretch(1);
  buttons->addWidget(btnTChange);
  buttons->addWidget(btnTAdd);
  entry->addLayout(buttons, 3, 0, 1, 7);

  grpTowaryNaFakturze = Make<QGroupBox>(this, u"grpTowaryNaFakturze"_s, u"Towary na fakturze"_s);
  lbxTowary = Make<QListWidget>(grpTowaryNaFakturze, u"lbxTowary"_s);
  lbxTowary->setSelectionMode(QAbstractItemView::SingleSelection);
  lbxTowary->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  lbxTowary->setMinimumHeight(3 * lbxTowary->fontMetrics().lineSpacing());
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

  auto* row = new QHBoxLayout(this);
  row->addWidget(grpTowar, 3);
  row->addWidget(grpTowaryNaFakturze, 2);

  connect(btnHelpTowary, &QPushButton::clicked, this, &TabTowary::HelpClicked);
}

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

void TabTowary::LoadLines(const TFaktura& doc) {
  lbxTowary->clear();
  for (int i = 0; i < doc.LineCount(); ++i) {
    auto* row = new QListWidgetItem(ToQ(doc.Line(i).NameFor(doc.DocLanguage())), lbxTowary);
    row->setData(Qt::UserRole,
                 QVariant::fromValue(reinterpret_cast<quintptr>(&doc.Line(i))));
  }
  if (lbxTowary->count() > 0) lbxTowary->setCurrentRow(0);
  lbxTowaryClick();
}

void TabTowary::lbxTowaryClick() {
  btnTChange->setEnabled(lbxTowary->currentItem() != nullptr);
  // The selected line's data into the entry fields come with the line entry.
}

void TabTowary::ShowVatPart(bool visible) {
  vatPartVisible_ = visible;
  for (QWidget* w : {static_cast<QWidget*>(edtTCenaBrutto), static_cast<QWidget*>(lblTCenaBrutto),
                     static_cast<QWidget*>(cmbTStawkaVat), static_cast<QWidget*>(lblTStawkaVat),
                     static_cast<QWidget*>(cmbTPKWIU), static_cast<QWidget*>(lblTPKWIU)})
    w->setVisible(visible);
  lblTCenaNetto->setText(visible ? u"Cena netto"_s : u"Cena"_s);
  cmbTStawkaVat->setCurrentIndex(visible ? 0 : PositionOfVatIndex(3));
}

}  // namespace bilvox
