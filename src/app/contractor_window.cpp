#include "contractor_window.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/error_report.h"
#include "contractors_window.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "registers/contractors.h"
#include "settings/settings.h"
#include "widgets.h"
#include "words/money_text.h"
#include "words/number_input.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmKontrahent::TfrmKontrahent(TProgram& program)
    : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmKontrahent"_s);
  setWindowTitle(u"Edycja danych kontrahenta"_s);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  GroupBox1 = Make<QGroupBox>(this, u"GroupBox1"_s, u"Dane kontrahenta"_s);
  mmoBuyerName = MakeMemo(GroupBox1, u"mmoBuyerName"_s, true, 2);
  mmoBuyerName->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mmoBuyerAddress = MakeMemo(GroupBox1, u"mmoBuyerAddress"_s, true, 2);
  edtBuyerNIP = MakeEdit(GroupBox1, u"edtBuyerNIP"_s);
  edtBuyerRabat = MakeEdit(GroupBox1, u"edtBuyerRabat"_s);
  SetHint(edtBuyerRabat, u"Wpisz procentową stakę rabatu udzielanego temu nabywcy"_s, true);
  edtUpowOdbioru = MakeEdit(GroupBox1, u"edtUpowOdbioru"_s);
  mmoUwagi = MakeMemo(GroupBox1, u"mmoUwagi"_s, true, 3);
  edtTelefon = MakeEdit(GroupBox1, u"edtTelefon"_s);
  edtEmail = MakeEdit(GroupBox1, u"edtEmail"_s);
  edtWWW = MakeEdit(GroupBox1, u"edtWWW"_s);
  lblWebsite = MakeLabel(GroupBox1, u"lblWebsite"_s, u"Strona www"_s, edtWWW);

  auto* fields = new QGridLayout(GroupBox1);
  fields->addWidget(MakeLabel(GroupBox1, u"lblBuyerName"_s, u"Nazwa (lub nazwisko)"_s,
                              mmoBuyerName), 0, 0);
  fields->addWidget(mmoBuyerName, 1, 0);
  fields->addWidget(MakeLabel(GroupBox1, u"lblUwagi"_s, u"Uwagi"_s, mmoUwagi), 0, 1);
  fields->addWidget(mmoUwagi, 1, 1, 3, 1);
  fields->addWidget(MakeLabel(GroupBox1, u"lblBuyerAddress"_s, u"Adres (siedziba)"_s,
                              mmoBuyerAddress), 2, 0);
  fields->addWidget(mmoBuyerAddress, 3, 0);
  auto* numbers = new QGridLayout;
  numbers->addWidget(MakeLabel(GroupBox1, u"lblBuyerNIP"_s, u"Identyfikator (NIP)"_s,
                               edtBuyerNIP), 0, 0);
  numbers->addWidget(edtBuyerNIP, 1, 0);
  numbers->addWidget(MakeLabel(GroupBox1, u"lblBuyerRabat"_s, u"Rabat [%]"_s, edtBuyerRabat),
                     0, 1);
  numbers->addWidget(edtBuyerRabat, 1, 1);
  fields->addLayout(numbers, 4, 0);
  fields->addWidget(MakeLabel(GroupBox1, u"lblTelefon"_s, u"Telefon"_s, edtTelefon), 4, 1,
                    Qt::AlignBottom);
  fields->addWidget(MakeLabel(GroupBox1, u"lblUpowOdbioru"_s, u"Osoba odbierająca dokumenty"_s,
                              edtUpowOdbioru), 5, 0);
  fields->addWidget(edtTelefon, 5, 1);
  fields->addWidget(edtUpowOdbioru, 6, 0);
  fields->addWidget(MakeLabel(GroupBox1, u"lblEmail"_s, u"E-mail"_s, edtEmail), 6, 1);
  fields->addWidget(lblWebsite, 7, 0);
  fields->addWidget(edtEmail, 7, 1);
  fields->addWidget(edtWWW, 8, 0, 1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  AddOkCancel(this, layout);
  resize(518, 279);
}

void TfrmKontrahent::showEvent(QShowEvent* event) {
  CentreOver(this, &program_.frmKontrahenci());
  Guarded([&] {
    if (const std::optional<std::string> caption = LoadWebsiteCaption(program_.Services().store))
      lblWebsite->setText(ToQ(*caption));
  });
  QDialog::showEvent(event);
}

bool TfrmKontrahent::Execute() {
  mmoBuyerName->setFocus();
  return exec() == QDialog::Accepted;
}

void TfrmKontrahent::Clear() {
  for (QPlainTextEdit* memo : {mmoBuyerName, mmoBuyerAddress, mmoUwagi}) memo->clear();
  for (QLineEdit* edit : {edtBuyerNIP, edtBuyerRabat, edtUpowOdbioru, edtTelefon, edtEmail, edtWWW})
    edit->clear();
}

void TfrmKontrahent::Load(const TKontrahentRec& record) {
  SetMemoText(mmoBuyerName, record.name);
  SetMemoText(mmoBuyerAddress, record.address);
  edtBuyerNIP->setText(ToQ(record.nip));
  edtBuyerRabat->setText(ToQ(ShortDecimalText(record.discount)));
  edtUpowOdbioru->setText(ToQ(record.receivingPerson));
  SetMemoText(mmoUwagi, record.remarks);
  edtTelefon->setText(ToQ(record.phone));
  edtEmail->setText(ToQ(record.email));
  edtWWW->setText(ToQ(record.www));
}

void TfrmKontrahent::StoreInto(TKontrahentRec& record) {
  record.name = MemoText(mmoBuyerName);
  record.address = MemoText(mmoBuyerAddress);
  record.nip = FromQ(edtBuyerNIP->text());
  const DiscountInput discount = DiscountFromText(FromQ(edtBuyerRabat->text()));
  record.discount = discount.value;
  if (discount.clamped) edtBuyerRabat->setText(ToQ(ShortDecimalText(discount.value)));
  record.receivingPerson = FromQ(edtUpowOdbioru->text());
  record.remarks = MemoText(mmoUwagi);
  record.phone = FromQ(edtTelefon->text());
  record.email = FromQ(edtEmail->text());
  record.www = FromQ(edtWWW->text());
}

}  // namespace bilvox
