#include "tab_document.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "document/faktura.h"
#include "qt_text.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

int TypeListIndex(int vatInvoiceType, int marginProcedure) {
  switch (vatInvoiceType) {
    case kVatTypeVat: return 0;
    case kVatTypeVatMp: return 1;
    case kVatTypeMargin: return marginProcedure >= 0 && marginProcedure <= 3 ? 2 + marginProcedure : -1;
    case kVatTypeProForma: return 6;
    case kVatTypeWithoutVat: return 7;
    default: return -1;
  }
}

TabDokument::TabDokument(EditContext& context)
    : DocumentTab(context, u"tshDokument"_s, u"Podstawowe dane dokumentu"_s) {
  grpNumer = Make<QGroupBox>(this, u"grpNumer"_s, u"Numer dokumentu"_s);
  edtNumer = MakeEdit(grpNumer, u"edtNumer"_s);
  SetHint(edtNumer, u"Numer dokumentu"_s);
  cbxAutoNumer = Make<QCheckBox>(grpNumer, u"cbxAutoNumer"_s, u"Włącz numerowanie"_s);
  SetHint(cbxAutoNumer, u"Włącza automatyczne numerowanie dokumentów"_s);
  btnAutoNumbering = Make<QPushButton>(grpNumer, u"btnAutoNumbering"_s, u"Ustawienia..."_s);
  SetHint(btnAutoNumbering, u"Ustawienia automatycznego numerowania dokumentów"_s);
  auto* numer = new QGridLayout(grpNumer);
  numer->setContentsMargins(6, 6, 6, 6);
  numer->addWidget(edtNumer, 0, 0);
  numer->addWidget(cbxAutoNumer, 1, 0);
  numer->addWidget(btnAutoNumbering, 2, 0, Qt::AlignLeft);

  btnWaluta = Make<QPushButton>(this, u"btnWaluta"_s, u"Wybierz..."_s);
  SetHint(btnWaluta, u"Pozwala wybrać walutę i jej kurs"_s);
  lblWaluta = MakeLabel(this, u"lblWaluta"_s, u"Waluta"_s, btnWaluta);
  cmbJezyk = MakeList(this, u"cmbJezyk"_s,
                      {u"Polski"_s, u"Polski - Niemiecki"_s, u"Niemiecki"_s});
  SetHint(cmbJezyk, u"Ustawienie językowe bieżącego dokumentu"_s);
  lblJezyk = MakeLabel(this, u"lblJezyk"_s, u"Język"_s, cmbJezyk);
  cmbTypFaktury = MakeList(this, u"cmbTypFaktury"_s,
                           {u"Faktura VAT"_s, u"Faktura VAT MP"_s, u"Marża - biura podróży"_s,
                            u"Marża - towary używane"_s, u"Marża - dzieła sztuki"_s,
                            u"Marża - przedm. kolekcj."_s, u"Faktura pro forma"_s,
                            u"Faktura - bez rozl. VAT"_s});
  SetHint(cmbTypFaktury, u"Rodzaj faktury"_s);
  lblTypFaktury = MakeLabel(this, u"lblTypFaktury"_s, u"Typ faktury"_s, cmbTypFaktury);
  cbxOdCenBrutto = Make<QCheckBox>(this, u"cbxOdCenBrutto"_s, u"Wylicz od cen brutto"_s);
  SetHint(cbxOdCenBrutto, u"Zaznacz aby podatek był liczony od cen brutto"_s);
  auto* kind = new QGridLayout;
  kind->addWidget(lblWaluta, 0, 0);
  kind->addWidget(btnWaluta, 0, 1);
  kind->addWidget(lblJezyk, 1, 0);
  kind->addWidget(cmbJezyk, 1, 1);
  kind->addWidget(lblTypFaktury, 2, 0);
  kind->addWidget(cmbTypFaktury, 2, 1);
  kind->addWidget(cbxOdCenBrutto, 3, 0, 1, 2);

  grpDaneDokumentu = Make<QGroupBox>(this, u"grpDaneDokumentu"_s, u"Dane dokumentu"_s);
  edtMiejsceWyst = MakeEdit(grpDaneDokumentu, u"edtMiejsceWyst"_s);
  SetHint(edtMiejsceWyst, u"Miejsce wystawienia"_s);
  lblMiejsceWyst = MakeLabel(grpDaneDokumentu, u"lblMiejsceWyst"_s, u"Miejsce wystawienia"_s,
                             edtMiejsceWyst);
  dtpDataWyst = MakeDatePicker(grpDaneDokumentu, u"dtpDataWyst"_s);
  SetHint(dtpDataWyst, u"Data wystawienia dokumentu"_s);
  lblDataWyst = MakeLabel(grpDaneDokumentu, u"lblDataWyst"_s, u"Data wystawienia"_s, dtpDataWyst);
  dtpDataSprz = MakeDatePicker(grpDaneDokumentu, u"dtpDataSprz"_s);
  SetHint(dtpDataSprz, u"Data sprzedaży towaru"_s);
  lblDataSprz = MakeLabel(grpDaneDokumentu, u"lblDataSprz"_s, u"Data sprzedaży"_s, dtpDataSprz);
  cbxSprzedazCiagla = Make<QCheckBox>(grpDaneDokumentu, u"cbxSprzedazCiagla"_s, u"Sprzedaż ciągła"_s);
  SetHint(cbxSprzedazCiagla, u"Sprzedaż ciągła (miesiąc)"_s);
  auto* dane = new QGridLayout(grpDaneDokumentu);
  dane->setContentsMargins(6, 6, 6, 6);
  dane->addWidget(lblMiejsceWyst, 0, 0);
  dane->addWidget(edtMiejsceWyst, 0, 1);
  dane->addWidget(lblDataWyst, 1, 0);
  dane->addWidget(dtpDataWyst, 1, 1);
  dane->addWidget(lblDataSprz, 2, 0);
  dane->addWidget(dtpDataSprz, 2, 1);
  dane->addWidget(cbxSprzedazCiagla, 3, 1);

  auto* row = new QHBoxLayout(this);
  // The three blocks only just fit beside each other at the window's smallest width.
  row->setContentsMargins(6, 6, 6, 6);
  row->addWidget(grpNumer, 0, Qt::AlignTop);
  row->addLayout(kind);
  row->addWidget(grpDaneDokumentu, 1, Qt::AlignTop);
  Wire();
}

QString TabDokument::Caption() const { return u"Dokument"_s; }

void TabDokument::Wire() {
  BindEdit(edtNumer, &TFaktura::SetNumber);
  connect(cbxAutoNumer, &QCheckBox::toggled, this, [this](bool on) {
    if (!Editing()) return;
    Doc().SetAutoNumbering(on);
    if (on) edtNumer->setText(ToQ(Doc().Number()));
  });
  connect(btnAutoNumbering, &QPushButton::clicked, this, &TabDokument::AutoNumberingClicked);
  connect(btnWaluta, &QPushButton::clicked, this, &TabDokument::CurrencyClicked);
  connect(cmbJezyk, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (Editing() && index >= 0) Doc().SetLanguage(index);
  });
  connect(cmbTypFaktury, &QComboBox::currentIndexChanged, this, [this] {
    if (Editing()) cmbTypFakturyChange();
  });
  connect(cbxOdCenBrutto, &QCheckBox::toggled, this, [this](bool on) {
    if (Editing()) Doc().SetGrossPricing(on);
  });
  BindEdit(edtMiejsceWyst, &TFaktura::SetPlaceOfIssue);
  connect(dtpDataWyst, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    if (Editing()) Doc().SetIssueDate(FromQDate(date));
  });
  connect(dtpDataSprz, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    if (Editing()) Doc().SetSaleDate(FromQDate(date));
  });
  connect(cbxSprzedazCiagla, &QCheckBox::toggled, this, [this](bool on) {
    if (Editing()) Doc().SetContinuousSale(on);
  });
}

void TabDokument::LoadFields(const TFaktura& doc) {
  edtNumer->setText(ToQ(doc.Number()));
  cmbJezyk->setCurrentIndex(doc.DocLanguage() < cmbJezyk->count() ? doc.DocLanguage() : -1);
  cbxAutoNumer->setChecked(doc.AutoNumbering());
  edtMiejsceWyst->setText(ToQ(doc.PlaceOfIssue()));
  dtpDataWyst->setDate(ToQDate(doc.IssueDate()));
  dtpDataSprz->setDate(ToQDate(doc.SaleDate()));
  cbxSprzedazCiagla->setChecked(doc.ContinuousSale());
  cbxOdCenBrutto->setChecked(doc.GrossPricing());
}

void TabDokument::LoadType(const TFaktura& doc) {
  {
    const QSignalBlocker block(cmbTypFaktury);
    cmbTypFaktury->setCurrentIndex(TypeListIndex(doc.VatInvoiceType(), doc.MarginProcedure()));
  }
  cmbTypFakturyChange();
}

void TabDokument::cmbTypFakturyChange() {
  const int index = cmbTypFaktury->currentIndex();
  // A type the list does not offer (from a damaged file) is left as the document has it.
  if (index < 0) return;
  static constexpr uint8_t kTypeOfIndex[8] = {kVatTypeVat,    kVatTypeVatMp,    kVatTypeMargin,
                                              kVatTypeMargin, kVatTypeMargin,   kVatTypeMargin,
                                              kVatTypeProForma, kVatTypeWithoutVat};
  const uint8_t type = kTypeOfIndex[index];
  Doc().SetVatInvoiceType(type);
  if (type == kVatTypeMargin) {
    Doc().SetMarginProcedure(static_cast<uint8_t>(index - 2));
    // A margin invoice always computes from gross prices.
    cbxOdCenBrutto->setChecked(true);
  }
  cbxOdCenBrutto->setEnabled(type != kVatTypeMargin);
}

void TabDokument::ApplyEnabling(const TFaktura& doc) {
  const bool invoice = doc.Kind() == DocumentKind::Invoice;
  cmbTypFaktury->setEnabled(invoice);
  lblTypFaktury->setEnabled(invoice);
  cmbJezyk->setEnabled(invoice);
  lblJezyk->setEnabled(invoice);
  cbxOdCenBrutto->setEnabled(invoice && doc.VatInvoiceType() != kVatTypeMargin &&
                             doc.VatInvoiceType() != kVatTypeWithoutVat);
  const bool currency = doc.Kind() != DocumentKind::Correction;
  btnWaluta->setEnabled(currency);
  lblWaluta->setEnabled(currency);
}

}  // namespace bilvox
