// The line entry of the "Towary/Usługi" tab: the coupled prices, add, change and delete,
// what the goods register learns, the translation window and picking from the goods list.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "document/towar.h"
#include "goods_window.h"
#include "item_translation_window.h"
#include "register_view.h"
#include "support/money_text.h"
#include "tab_items.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

std::string Example(const char* name) {
  return std::string(BILVOX_SOURCE_DIR) + "/examples/" + name;
}

class LineEntryTest : public AppTest {
 protected:
  void Start(std::optional<std::string> path = std::nullopt) {
    AppTest::Start(std::move(path));
    Main().ShowPage(TfrmMain::Page::Towary);
    program->frmInfo().hide();
  }
  TabTowary& Tab() { return Main().TowaryTab(); }
  QLineEdit* Net() { return Control<QLineEdit>(u"edtTCenaNetto"); }
  QLineEdit* Gross() { return Control<QLineEdit>(u"edtTCenaBrutto"); }
  QLineEdit* ComboText(const char16_t* name) { return Control<QComboBox>(name)->lineEdit(); }
  // The user picks a rate from the list.
  void ChooseRate(const QString& text) {
    auto* rates = Control<QComboBox>(u"cmbTStawkaVat");
    const int index = rates->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    rates->setCurrentIndex(index);
    emit rates->activated(index);
  }
  void TypeItem(const QString& name, const QString& quantity, const QString& net) {
    ReplaceText(Control(u"edtTNazwa"), name);
    ReplaceText(Control(u"edtTIlosc"), quantity);
    ReplaceText(Net(), net);
  }
  TTowary& Goods() { return program->Services().goods; }
  const std::string& LastMessage() { return messages.messages.back().text; }
};

TEST_F(LineEntryTest, PricesFollowWhatTheUserTypes) {
  Start();
  ASSERT_EQ(Control<QComboBox>(u"cmbTStawkaVat")->currentText(), u"23%"_s);
  ReplaceText(Net(), u"100"_s);
  EXPECT_EQ(Gross()->text(), u"123"_s);
  EXPECT_FALSE(Tab().GrossMode());
  ReplaceText(Gross(), u"123"_s);
  EXPECT_EQ(Net()->text(), u"100,00"_s);
  EXPECT_TRUE(Tab().GrossMode());
  ReplaceText(Net(), u"0,01"_s);
  EXPECT_EQ(Gross()->text(), u"0,01"_s);
  ReplaceText(Net(), u"10,005"_s);
  EXPECT_EQ(Gross()->text(), u"12,31"_s);
  EXPECT_EQ(Net()->text(), u"10,005"_s);  // what the user typed stays as typed
  ReplaceText(Gross(), u"50"_s);
  ChooseRate(u"zwoln."_s);
  EXPECT_EQ(Net()->text(), u"50,00"_s);
  EXPECT_EQ(Gross()->text(), u"50"_s);
  ReplaceText(Net(), u"5x"_s);
  EXPECT_EQ(Gross()->text(), QString());
}

TEST_F(LineEntryTest, AddTwiceAddsTwoLinesAndTheGoodsRegisterLearnsTheItemOnce) {
  Start();
  TypeItem(u"Śruba M8"_s, u"2,5"_s, u"10"_s);
  ReplaceText(ComboText(u"cmbTPKWIU"), u"25.94"_s);
  ReplaceText(ComboText(u"cmbTJM"), u"kg"_s);
  auto* lines = Control<QListWidget>(u"lbxTowary");
  auto* change = Control<QPushButton>(u"btnTChange");
  Click(Control(u"btnTAdd"));
  ASSERT_EQ(Doc().LineCount(), 1);
  EXPECT_EQ(lines->count(), 1);
  EXPECT_TRUE(lines->selectedItems().isEmpty());
  EXPECT_FALSE(change->isEnabled());
  EXPECT_EQ(Control<QLineEdit>(u"edtTNazwa")->text(), u"Śruba M8"_s);
  Click(Control(u"btnTAdd"));
  ASSERT_EQ(Doc().LineCount(), 2);
  for (int i = 0; i < 2; ++i) {
    const TTowar& line = Doc().Line(i);
    EXPECT_EQ(line.Name, "Śruba M8"_cp);
    EXPECT_EQ(line.Unit, "kg");
    EXPECT_EQ(line.Pkwiu, "25.94");
    EXPECT_DOUBLE_EQ(line.Quantity, 2.5);
    EXPECT_EQ(line.PricePLN, C("10"));
    EXPECT_FALSE(line.PricePLNIsGross);
    EXPECT_EQ(line.VatRate, C("0.23"));
  }
  EXPECT_EQ(program->Services().unitList.front(), "kg");
  EXPECT_EQ(program->Services().pkwiuList.front(), "25.94");
  ASSERT_EQ(Goods().Count(), 1);
  // A known name updates its record.
  ReplaceText(Gross(), u"24,6"_s);
  Click(Control(u"btnTAdd"));
  ASSERT_EQ(Goods().Count(), 1);
  const TTowarRec& record = *Goods().Get(0);
  EXPECT_EQ(record.name, "Śruba M8"_cp);
  EXPECT_EQ(record.unit, "kg");
  EXPECT_EQ(record.pricePln, C("24.6"));
  EXPECT_TRUE(record.pricePlnGross);
  EXPECT_EQ(record.vatRate, C("0.23"));

  // Selecting a line shows it; Zamień changes that line, and the row stays selected.
  lines->setCurrentRow(0);
  EXPECT_TRUE(change->isEnabled());
  EXPECT_EQ(Control<QLineEdit>(u"edtTIlosc")->text(), u"2,5"_s);
  EXPECT_EQ(Net()->text(), u"10"_s);
  ReplaceText(Control(u"edtTNazwa"), u"Nakrętka"_s);
  Click(change);
  EXPECT_EQ(Doc().Line(0).Name, "Nakrętka"_cp);
  EXPECT_EQ(lines->item(0)->text(), u"Nakrętka"_s);
  EXPECT_EQ(lines->currentRow(), 0);
  EXPECT_EQ(Goods().Count(), 2);  // the old name keeps its record
}

TEST_F(LineEntryTest, ForeignCurrencyPriceGoesToTheForeignColumns) {
  Start();
  TTowarRec& known = *Goods().Get(Goods().Add());
  known.name = "Śruba"_cp;
  known.pricePln = C("5");
  Doc().SetCurrency("EUR");
  TypeItem(u"Śruba"_s, u"1"_s, u"2"_s);
  Click(Control(u"btnTAdd"));
  ASSERT_EQ(Goods().Count(), 1);
  EXPECT_EQ(Goods().Get(0)->priceForeign, C("2"));
  EXPECT_EQ(Goods().Get(0)->pricePln, C("5"));
  EXPECT_EQ(Doc().Line(0).PriceForeign, C("2"));
}

TEST_F(LineEntryTest, UnreadableNumbersAndEmptyNamesChangeNothing) {
  Start();
  TypeItem(u"Śruba"_s, u"1"_s, u"12 zł"_s);
  Click(Control(u"btnTAdd"));
  EXPECT_EQ(LastMessage(), "'12 zł' is not a valid floating point value."_cp);
  TypeItem(u"Śruba"_s, u"dwa"_s, u"12"_s);
  Click(Control(u"btnTAdd"));
  EXPECT_EQ(LastMessage(), "'dwa' is not a valid floating point value.");
  TypeItem(QString(), u"1"_s, u"12"_s);
  Click(Control(u"btnTAdd"));
  EXPECT_EQ(LastMessage(), "Nazwa towaru nie może być pusta."_cp);
  EXPECT_EQ(Doc().LineCount(), 0);
  EXPECT_EQ(Control<QListWidget>(u"lbxTowary")->count(), 0);
  EXPECT_EQ(Goods().Count(), 0);
}

TEST_F(LineEntryTest, AnOpenedLineKeepsItsOwnRateAndPriceMode) {
  Start(Example("faktura-brutto.ftv"));  // first line: 3 × 89,00 gross at 8 %
  EXPECT_EQ(Control<QComboBox>(u"cmbTStawkaVat")->currentText(), u"8%"_s);
  EXPECT_TRUE(Tab().GrossMode());
  EXPECT_EQ(Gross()->text(), u"89"_s);
  EXPECT_EQ(Net()->text(), u"82,41"_s);
  ReplaceText(Control(u"edtTIlosc"), u"5"_s);
  Click(Control(u"btnTChange"));
  const TTowar& line = Doc().Line(0);
  EXPECT_EQ(line.VatRate, C("0.08"));
  EXPECT_EQ(line.PricePLN, C("89"));
  EXPECT_TRUE(line.PricePLNIsGross);
  EXPECT_DOUBLE_EQ(line.Quantity, 5);
}

TEST_F(LineEntryTest, WithoutVatTheClearedEntryStartsAtZeroPercent) {
  Start();
  Control<QComboBox>(u"cmbTypFaktury")->setCurrentIndex(7);  // without VAT settlement
  Main().RefreshFromDocument();
  ASSERT_TRUE(Gross()->isHidden());
  Click(Control(u"btnTNew"));
  EXPECT_EQ(Control<QComboBox>(u"cmbTStawkaVat")->currentText(), u"0%"_s);
  TypeItem(u"Usługa"_s, u"1"_s, u"100"_s);
  Click(Control(u"btnTAdd"));
  EXPECT_EQ(Doc().Line(0).VatRate, C("0"));
  EXPECT_EQ(Doc().AmountDue(), C("100"));
}

TEST_F(LineEntryTest, DeletingInACorrectionKeepsTheCorrectedInvoicesLines) {
  Start(Example("korekta.ftv"));
  auto* lines = Control<QListWidget>(u"lbxTowary");
  ASSERT_EQ(lines->count(), 3);
  lines->setCurrentRow(1);
  Click(Control(u"btnTDelete"));
  EXPECT_EQ(lines->count(), 3);
  EXPECT_EQ(Doc().LineCount(), 3);
  EXPECT_EQ(Doc().Line(1).Quantity, 0);
  EXPECT_TRUE(Doc().Line(1).CorrectionChanged);
  EXPECT_EQ(Control<QLineEdit>(u"edtTIlosc")->text(), u"0"_s);
  // A line added during the correction goes altogether.
  Click(Control(u"btnTNew"));
  TypeItem(u"Projekt"_s, u"1"_s, u"50"_s);
  Click(Control(u"btnTAdd"));
  ASSERT_EQ(lines->count(), 4);
  lines->setCurrentRow(3);
  Click(Control(u"btnTDelete"));
  EXPECT_EQ(lines->count(), 3);
  EXPECT_EQ(Doc().LineCount(), 3);
  EXPECT_TRUE(lines->selectedItems().isEmpty());
  EXPECT_FALSE(Control(u"btnTChange")->isEnabled());
}

TEST_F(LineEntryTest, TheTranslationWindowKeepsTheTypedPriceAndItsMode) {
  Start();
  Control<QComboBox>(u"cmbJezyk")->setCurrentIndex(1);  // Polish and German
  TfrmTMore& more = program->frmTMore();
  ReplaceText(Control(u"edtTNazwa"), u"Śruba"_s);
  ReplaceText(Control(u"edtTIlosc"), u"1"_s);
  ReplaceText(Gross(), u"100"_s);
  ASSERT_EQ(Net()->text(), u"81,30"_s);
  AnswerNextModal([&](QWidget*) {
    TypeText(more.edtTNazwa, u"Schraube"_s);
    Click(Find<QPushButton>(&more, u"btnOk"_s));
  });
  Click(Control(u"btnTMore"));
  EXPECT_TRUE(Tab().GrossMode());
  EXPECT_EQ(Gross()->text(), u"100"_s);
  EXPECT_EQ(Net()->text(), u"81,30"_s);
  Click(Control(u"btnTAdd"));
  EXPECT_EQ(Doc().Line(0).PricePLN, C("100"));
  EXPECT_TRUE(Doc().Line(0).PricePLNIsGross);
  EXPECT_EQ(Doc().Line(0).NameLang12, "Schraube");

  // A net price of four decimals stays as typed; Cancel keeps the translation typed.
  ReplaceText(Net(), u"12,345"_s);
  AnswerNextModal([&](QWidget*) {
    ReplaceText(more.edtTNazwa, u"Mutter"_s);
    Click(Find<QPushButton>(&more, u"btnCancel"_s));
  });
  Click(Control(u"btnTMore"));
  EXPECT_EQ(Net()->text(), u"12,345"_s);
  EXPECT_FALSE(Tab().GrossMode());
  Click(Control(u"btnTAdd"));
  EXPECT_EQ(Doc().Line(1).PricePLN, C("12.345"));
  EXPECT_EQ(Doc().Line(1).NameLang12, "Mutter");
}

TEST_F(LineEntryTest, PickingFromTheGoodsListFillsTheEntry) {
  Start();
  for (std::string_view name : {"Wkręt"_cp, "Kołek"_cp}) {
    TTowarRec& r = *Goods().Get(Goods().Add());
    r.name = name;
    r.unit = "op.";
    r.pkwiu = "25.94";
    r.pricePln = C("10.8");
    r.pricePlnGross = true;
    r.vatRate = C("0.08");
  }
  Goods().Save();
  Doc().SetLanguage(2);  // German: the stored translation comes too
  Goods().Get(Goods().FindByName("Wkręt"_cp))->nameDe = "Holzschraube";
  AnswerNextModal([&](QWidget*) {
    TfrmTowary& list = program->frmTowary();
    ReplaceText(list.edtFilter, u"wkr"_s);
    ASSERT_EQ(list.sgrTowary->model()->rowCount(), 1);
    PressKey(list.edtFilter, Qt::Key_Return);  // "Wybierz" is the default button
  });
  Click(Control(u"btnSelectTowar"));
  EXPECT_EQ(Control<QLineEdit>(u"edtTNazwa")->text(), u"Wkręt"_s);
  EXPECT_EQ(ComboText(u"cmbTJM")->text(), u"op."_s);
  EXPECT_EQ(Control<QLineEdit>(u"edtTIlosc")->text(), u"1"_s);
  EXPECT_EQ(Control<QComboBox>(u"cmbTStawkaVat")->currentText(), u"8%"_s);
  EXPECT_EQ(Gross()->text(), u"10,8"_s);
  EXPECT_EQ(Net()->text(), u"10,00"_s);
  EXPECT_TRUE(Tab().GrossMode());
  EXPECT_EQ(program->frmTMore().edtTNazwa->text(), u"Holzschraube"_s);
  EXPECT_EQ(Main().focusWidget(), Control(u"edtTIlosc"));
  // Closing the list without a choice changes nothing.
  PressInNextModal(u"btnCancel"_s);
  Click(Control(u"btnSelectTowar"));
  EXPECT_EQ(Control<QLineEdit>(u"edtTNazwa")->text(), u"Wkręt"_s);
}

}  // namespace
}  // namespace bilvox::testing
