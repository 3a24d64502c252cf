// Editing the document on the tabs: what the user types reaches the document, and the
// window's rules (kinds and types, discount, payment term, tax number colour, Enter) hold.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "support/money_text.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

std::string Example(const char* name) {
  return std::string(BILVOX_SOURCE_DIR) + "/examples/" + name;
}

class EditingTest : public AppTest {};

TEST_F(EditingTest, TypingReachesTheDocumentAndMarksItModified) {
  Start();
  auto* modified = Control<QLabel>(u"StatusPanel1");
  EXPECT_EQ(modified->text(), QString());
  EXPECT_FALSE(Doc().Modified());

  TypeText(Control(u"edtMiejsceWyst"), u"Łódź"_s);
  EXPECT_EQ(Doc().PlaceOfIssue(), "Łódź"_cp);
  EXPECT_TRUE(Doc().Modified());
  EXPECT_EQ(modified->text(), u"Zmodyfikowany"_s);

  auto* seller = Control<QPlainTextEdit>(u"mmoSellerName");
  TypeText(seller, u"Zakład"_s);
  PressKey(seller, Qt::Key_Return);  // a memo takes Enter as a new line
  TypeText(seller, u"żółć"_s);
  EXPECT_EQ(Doc().SellerName(), "Zakład\r\nżółć"_cp);
  // A character Windows-1250 cannot store is refused, not stored as something else.
  TypeText(Control(u"edtUpowWystaw"), u"Jan ☃Kos"_s);
  EXPECT_EQ(Doc().IssuerName(), "Jan Kos");
  EXPECT_EQ(Control<QLineEdit>(u"edtUpowWystaw")->text(), u"Jan Kos"_s);

  ReplaceText(Control(u"edtUwagiStale"), u"  Dziękujemy  "_s);
  EXPECT_EQ(Doc().StandingRemarks(), "Dziękujemy"_cp);

  ReplaceText(Control(u"edtZaplacono"), u"12,5"_s);
  EXPECT_EQ(Doc().Paid(), C("12.5"));
  TypeText(Control(u"edtZaplacono"), u"x"_s);  // not an amount: the document keeps 12,5
  EXPECT_EQ(Doc().Paid(), C("12.5"));
}

TEST_F(EditingTest, TaxNumberFieldTurnsWhiteWithTheLastDigitOfAValidNumber) {
  Start();
  auto* nip = Control<QLineEdit>(u"edtSellerNIP");
  const QColor salmon(255, 208, 192), white(255, 255, 255);
  EXPECT_EQ(nip->palette().color(QPalette::Base), salmon);  // empty fails the check
  TypeText(nip, u"123456321"_s);
  EXPECT_EQ(nip->palette().color(QPalette::Base), salmon);
  TypeText(nip, u"8"_s);
  EXPECT_EQ(nip->palette().color(QPalette::Base), white);
  EXPECT_EQ(Doc().SellerNIP(), "1234563218");
}

TEST_F(EditingTest, DiscountIsKeptBetweenZeroAndAHundred) {
  Start();
  auto* discount = Control<QLineEdit>(u"edtBuyerRabat");
  ReplaceText(discount, u"150"_s);
  EXPECT_EQ(discount->text(), u"100"_s);
  EXPECT_EQ(Doc().BuyerDiscount(), C("100"));
  ReplaceText(discount, u"-5"_s);
  EXPECT_EQ(discount->text(), u"0"_s);
  EXPECT_EQ(Doc().BuyerDiscount(), C("0"));
  ReplaceText(discount, u"12,5"_s);
  EXPECT_EQ(Doc().BuyerDiscount(), C("12.5"));
  ReplaceText(discount, u"abc"_s);
  EXPECT_EQ(discount->text(), u"abc"_s);
  EXPECT_EQ(Doc().BuyerDiscount(), C("0"));
}

TEST_F(EditingTest, PaymentTermAsDaysAndAsDateFollowEachOther) {
  Start();
  Control<QDateEdit>(u"dtpDataWyst")->setDate(QDate(2024, 3, 1));
  ReplaceText(Control(u"updTermin"), u"14"_s);
  EXPECT_EQ(Control<QDateEdit>(u"dtpTermin")->date(), QDate(2024, 3, 15));
  EXPECT_EQ(Doc().PaymentDueDate(), DayNumber(2024, 3, 15));

  Control<QDateEdit>(u"dtpTermin")->setDate(QDate(2024, 2, 20));
  EXPECT_EQ(Control<QSpinBox>(u"updTermin")->value(), -10);
  EXPECT_EQ(Doc().PaymentDueDate(), DayNumber(2024, 2, 20));

  // A new issue date moves neither the payment date nor the day count.
  Control<QDateEdit>(u"dtpDataWyst")->setDate(QDate(2024, 3, 4));
  EXPECT_EQ(Doc().PaymentDueDate(), DayNumber(2024, 2, 20));
  EXPECT_EQ(Control<QSpinBox>(u"updTermin")->value(), -10);
}

TEST_F(EditingTest, FullyPaidSetsTheAmountDueAndLocksTheField) {
  Start(Example("faktura-pln.ftv"));
  auto* paid = Control<QLineEdit>(u"edtZaplacono");
  auto* fully = Control<QCheckBox>(u"cbxZaplacono");
  ASSERT_FALSE(fully->isChecked());
  Click(fully);
  EXPECT_FALSE(paid->isEnabled());
  EXPECT_EQ(Doc().Paid(), Doc().AmountDue());
  EXPECT_NE(Doc().Paid(), Currency{});
  // A discount changes the amount due, and the amount paid follows.
  ReplaceText(Control(u"edtBuyerRabat"), u"10"_s);
  EXPECT_EQ(Doc().Paid(), Doc().AmountDue());
  Click(fully);
  EXPECT_TRUE(paid->isEnabled());
}

TEST_F(EditingTest, BillAndCorrectionSetTheListsButtonsAndItemEntry) {
  Start(Example("rachunek.ftv"));
  ASSERT_EQ(Doc().Kind(), DocumentKind::Bill);
  EXPECT_FALSE(Control(u"cmbJezyk")->isEnabled());
  EXPECT_FALSE(Control(u"lblJezyk")->isEnabled());
  EXPECT_FALSE(Control(u"cmbTypFaktury")->isEnabled());
  EXPECT_FALSE(Control(u"cbxOdCenBrutto")->isEnabled());
  EXPECT_TRUE(Control(u"btnWaluta")->isEnabled());
  EXPECT_TRUE(Control(u"edtTCenaBrutto")->isHidden());
  EXPECT_TRUE(Control(u"cmbTStawkaVat")->isHidden());
  EXPECT_TRUE(Control(u"cmbTPKWIU")->isHidden());
  EXPECT_EQ(Control<QLabel>(u"lblTCenaNetto")->text(), u"Cena"_s);
  EXPECT_EQ(Control<QComboBox>(u"cmbTStawkaVat")->currentText(), u"0%"_s);
  EXPECT_FALSE(Find<QAction>(&Main(), u"FileNewKorekta"_s)->isEnabled());
  EXPECT_EQ(Control<QListWidget>(u"lbxTowary")->count(), 2);
  EXPECT_EQ(Control<QListWidget>(u"lbxTowary")->currentRow(), 0);
  EXPECT_EQ(Main().windowTitle(), u"Bilvox - rachunek.ftv"_s);

  Main().FileCommands().OpenDocument(Example("korekta.ftv"));
  ASSERT_EQ(Doc().Kind(), DocumentKind::Correction);
  EXPECT_FALSE(Find<QAction>(&Main(), u"FileNewKorekta"_s)->isEnabled());
  EXPECT_FALSE(Control(u"btnWaluta")->isEnabled());
  EXPECT_FALSE(Control(u"lblWaluta")->isEnabled());
  EXPECT_FALSE(Control(u"edtTCenaBrutto")->isHidden());
  EXPECT_EQ(Control<QLabel>(u"lblTCenaNetto")->text(), u"Cena netto"_s);
  EXPECT_EQ(Control<QComboBox>(u"cmbTStawkaVat")->currentIndex(), 0);
  EXPECT_FALSE(Doc().Modified());
}

TEST_F(EditingTest, InvoiceTypeChoiceSetsTypeProcedureAndGrossPricing) {
  Start();
  auto* type = Control<QComboBox>(u"cmbTypFaktury");
  auto* gross = Control<QCheckBox>(u"cbxOdCenBrutto");
  EXPECT_TRUE(Find<QAction>(&Main(), u"FileNewKorekta"_s)->isEnabled());
  type->setCurrentIndex(3);  // "Marża - towary używane"
  EXPECT_EQ(Doc().VatInvoiceType(), kVatTypeMargin);
  EXPECT_EQ(Doc().MarginProcedure(), 1);
  EXPECT_TRUE(gross->isChecked());
  EXPECT_FALSE(gross->isEnabled());
  EXPECT_TRUE(Doc().GrossPricing());

  // Without VAT: the VAT part of the entry stays until the next refresh.
  type->setCurrentIndex(7);
  EXPECT_EQ(Doc().VatInvoiceType(), kVatTypeWithoutVat);
  EXPECT_TRUE(gross->isEnabled());
  EXPECT_FALSE(Control(u"edtTCenaBrutto")->isHidden());
  Main().RefreshFromDocument();
  EXPECT_TRUE(Control(u"edtTCenaBrutto")->isHidden());
  EXPECT_FALSE(gross->isEnabled());

  // A type or procedure the list does not offer (a damaged file) is not changed by showing it.
  Doc().Fields().VatInvoiceType = kVatTypeMargin;
  Doc().Fields().MarginProcedure = 7;
  Main().RefreshFromDocument();
  EXPECT_EQ(type->currentIndex(), -1);
  EXPECT_EQ(Doc().VatInvoiceType(), kVatTypeMargin);
  EXPECT_EQ(Doc().MarginProcedure(), 7);

  auto* language = Control<QComboBox>(u"cmbJezyk");
  language->setCurrentIndex(2);
  EXPECT_EQ(Doc().DocLanguage(), 2);
}

TEST_F(EditingTest, EnterMovesToTheNextVisibleTab) {
  store.SetInteger(kKeySettings, "HideSellerPage", 1);
  Start();
  auto* tabs = Control<QTabWidget>(u"pgcFaktura");
  ASSERT_EQ(tabs->currentIndex(), 0);
  PressKey(Control(u"edtNumer"), Qt::Key_Return);
  EXPECT_EQ(tabs->currentWidget()->objectName(), u"tshNabywca"_s);  // the seller tab is hidden
  PressKey(Control(u"edtBuyerNIP"), Qt::Key_Enter);
  EXPECT_EQ(tabs->currentWidget()->objectName(), u"tshTowary"_s);
  // On the goods tab Enter presses "Dodaj".
  QSignalSpy add(Control<QPushButton>(u"btnTAdd"), &QPushButton::clicked);
  PressKey(Control(u"edtTNazwa"), Qt::Key_Return);
  EXPECT_EQ(add.count(), 1);
  EXPECT_EQ(tabs->currentWidget()->objectName(), u"tshTowary"_s);
  tabs->setCurrentIndex(5);
  PressKey(Control(u"edtUwagiStale"), Qt::Key_Return);
  EXPECT_EQ(tabs->currentIndex(), 0);  // after the last tab, the first
  program->frmInfo().hide();

  // The window's shortcuts work while a field has the focus, and leave its text alone.
  QSignalSpy korekta(Main().FileNewKorekta, &QAction::triggered);
  auto* place = Control<QLineEdit>(u"edtMiejsceWyst");
  TypeText(place, u"Kraków"_s);
  PressKey(place, Qt::Key_Home);
  PressKey(place, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(korekta.count(), 1);
  EXPECT_EQ(place->text(), u"Kraków"_s);
}

}  // namespace
}  // namespace bilvox::testing
