#include "tab_buyer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include "document/faktura.h"
#include "qt_text.h"
#include "registers/contractors.h"
#include "widgets.h"
#include "words/money_text.h"
#include "words/number_input.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TabNabywca::TabNabywca(EditContext& context)
    : DocumentTab(context, u"tshNabywca"_s, u"Dane nabywcy"_s) {
  grpNabywca = Make<QGroupBox>(this, u"grpNabywca"_s, u"Dane nabywcy"_s);
  mmoBuyerName = MakeMemo(grpNabywca, u"mmoBuyerName"_s);
  SetHint(mmoBuyerName, u"Nazwa nabywcy (nazwa firmy lub imię i nazwisko)"_s);
  lblBuyerName = MakeLabel(grpNabywca, u"lblBuyerName"_s, u"Nazwa (lub nazwisko)"_s, mmoBuyerName);
  mmoBuyerAddress = MakeMemo(grpNabywca, u"mmoBuyerAddress"_s);
  SetHint(mmoBuyerAddress, u"Adres nabywcy (siedziba firmy)"_s);
  lblBuyerAddress =
      MakeLabel(grpNabywca, u"lblBuyerAddress"_s, u"Adres (siedziba)"_s, mmoBuyerAddress);
  edtBuyerNIP = MakeEdit(grpNabywca, u"edtBuyerNIP"_s);
  SetHint(edtBuyerNIP, u"Numer identyfikacji podatkowej"_s);
  lblBuyerNIP = MakeLabel(grpNabywca, u"lblBuyerNIP"_s, u"NIP"_s, edtBuyerNIP);
  edtBuyerRabat = MakeEdit(grpNabywca, u"edtBuyerRabat"_s);
  SetHint(edtBuyerRabat, u"Procentowa stawka rabatu udzielanego temu nabywcy"_s);
  lblBuyerRabat = MakeLabel(grpNabywca, u"lblBuyerRabat"_s, u"Rabat [%]"_s, edtBuyerRabat);
  btnSelectBuyer = Make<QPushButton>(grpNabywca, u"btnSelectBuyer"_s, u"Z listy..."_s);
  SetHint(btnSelectBuyer, u"Wyświetla listę kontrahentów w trybie pobrania danych"_s);
  auto* grid = new QGridLayout(grpNabywca);
  grid->addWidget(lblBuyerName, 0, 0);
  grid->addWidget(mmoBuyerName, 1, 0, 4, 1, Qt::AlignTop);
  grid->addWidget(lblBuyerAddress, 0, 1);
  grid->addWidget(mmoBuyerAddress, 1, 1, 4, 1, Qt::AlignTop);
  grid->addWidget(lblBuyerNIP, 0, 2);
  grid->addWidget(edtBuyerNIP, 1, 2);
  FitWidthTo(edtBuyerNIP, kTaxNumberSample);
  grid->addWidget(lblBuyerRabat, 2, 2);
  grid->addWidget(edtBuyerRabat, 3, 2);
  grid->addWidget(btnSelectBuyer, 4, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(2, 1);
  auto* row = new QHBoxLayout(this);
  row->addWidget(grpNabywca);
  Wire();
}

QString TabNabywca::Caption() const { return u"Nabywca"_s; }

void TabNabywca::Wire() {
  BindMemo(mmoBuyerName, &TFaktura::SetBuyerName);
  BindMemo(mmoBuyerAddress, &TFaktura::SetBuyerAddress);
  BindTaxNumber(edtBuyerNIP, &TFaktura::SetBuyerNIP);
  connect(edtBuyerRabat, &QLineEdit::textChanged, this, [this] {
    if (Editing()) edtBuyerRabatChange();
  });
  connect(btnSelectBuyer, &QPushButton::clicked, this, &TabNabywca::SelectBuyerClicked);
}

void TabNabywca::edtBuyerRabatChange() {
  const DiscountInput discount = DiscountFromText(FromQ(edtBuyerRabat->text()));
  if (discount.clamped) {
    const QSignalBlocker block(edtBuyerRabat);
    edtBuyerRabat->setText(ToQ(ShortDecimalText(discount.value)));
  }
  Doc().SetBuyerDiscount(discount.value);
  emit DiscountChanged();
}

void TabNabywca::LoadFields(const TFaktura& doc) {
  SetMemoText(mmoBuyerName, doc.BuyerName());
  SetMemoText(mmoBuyerAddress, doc.BuyerAddress());
  edtBuyerNIP->setText(ToQ(doc.BuyerNIP()));
  SetFieldValid(edtBuyerNIP, NipValid(doc.BuyerNIP()));
  edtBuyerRabat->setText(ToQ(ShortDecimalText(doc.BuyerDiscount())));
}

void TabNabywca::ShowContractor(const TKontrahentRec& record) {
  SetMemoText(mmoBuyerName, record.name);
  SetMemoText(mmoBuyerAddress, record.address);
  edtBuyerNIP->setText(ToQ(record.nip));
  edtBuyerRabat->setText(ToQ(ShortDecimalText(record.discount)));
}

}  // namespace bilvox
