// The contractors and goods lists: filtering and sorting keep every action on the record
// shown in the row, the edit dialog's rules, the hand-off to the document, the price column.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "contractor_window.h"
#include "contractors_window.h"
#include "goods_window.h"
#include "register_models.h"
#include "register_view.h"
#include "support/money_text.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

class RegisterWindowsTest : public AppTest {
 protected:
  TKontrahenci& Contractors() { return program->Services().contractors; }
  TTowary& Goods() { return program->Services().goods; }
  TfrmKontrahenci& List() { return program->frmKontrahenci(); }
  TfrmKontrahent& Dialog() { return program->frmKontrahent(); }
  TKontrahentRec& AddContractor(std::string_view name, std::string_view remarks = {}) {
    TKontrahentRec& r = *Contractors().Get(Contractors().Add());
    r.name = name;
    r.remarks = remarks;
    Contractors().Save();
    return r;
  }
  QString Cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
  }
  // The names shown, top to bottom.
  QStringList Shown(QTableView* grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row) texts << Cell(grid, row, column);
    return texts;
  }
};

TEST_F(RegisterWindowsTest, DeletingInAFilteredListDeletesTheRecordOfTheRow) {
  Start();
  for (char c = 'A'; c <= 'J'; ++c)
    AddContractor(std::string("Kontrahent ") + c, c == 'D' || c == 'I' ? "szukany" : "");
  List().ShowNonModal();
  QTableView* grid = List().sgrKontrahenci;
  TypeText(List().edtFilter, u"SZUK"_s);
  ASSERT_EQ(Shown(grid, 0), (QStringList{u"4"_s, u"9"_s}));
  SelectRow(grid, 1);
  messages.answers = {MsgResult::Yes};
  Click(List().btnDelete);
  EXPECT_EQ(messages.messages.back().text,
            "Czy na pewno chcesz usunąć wybraną pozycję z listy kontrahentów?"_cp);
  EXPECT_EQ(messages.messages.back().caption, "Kontrahenci");
  EXPECT_EQ(Contractors().Count(), 9);
  EXPECT_EQ(Contractors().FindByName("Kontrahent I"), -1);
  EXPECT_GE(Contractors().FindByName("Kontrahent B"), 0);
  EXPECT_EQ(Shown(grid, 2), QStringList{u"Kontrahent D"_s});
  EXPECT_EQ(CurrentRow(grid), 0);  // the last row, the old one is past the end
  // No: nothing is deleted.
  Click(List().btnDelete);
  EXPECT_EQ(Contractors().Count(), 9);
  // The filter and the sort order stay for the next opening.
  List().hide();
  List().ShowNonModal();
  EXPECT_EQ(List().edtFilter->text(), u"SZUK"_s);
  EXPECT_EQ(grid->model()->rowCount(), 1);
  List().hide();
}

TEST_F(RegisterWindowsTest, ListsSortInPolishAlphabeticalOrderByEitherKey) {
  Start();
  AddContractor("Mazur").nip = "111";
  AddContractor("Łęcki"_cp).nip = "333";
  AddContractor("lewandowski").nip = "222";
  Contractors().Save();
  List().ShowNonModal();
  QTableView* grid = List().sgrKontrahenci;
  EXPECT_EQ(Shown(grid, 2), (QStringList{u"lewandowski"_s, u"Łęcki"_s, u"Mazur"_s}));
  SelectRow(grid, 1);
  List().cbxSort->setCurrentIndex(1);  // by NIP
  EXPECT_EQ(Contractors().SortMode(), TKontrahenci::kByNip);
  EXPECT_EQ(Shown(grid, 1), (QStringList{u"111"_s, u"222"_s, u"333"_s}));
  EXPECT_EQ(List().SelectedRecord()->name, "Łęcki"_cp);  // the selection follows the record
  List().hide();
}

TEST_F(RegisterWindowsTest, AddingAKnownNameOverwritesItAndTheDiscountIsHeldToItsRange) {
  Start();
  AddContractor("Kowalski").phone = "501";
  Contractors().Save();
  List().ShowNonModal();
  AnswerNextModal([&](QWidget*) {
    TypeText(Dialog().mmoBuyerName, u"Kowalski"_s);
    TypeText(Dialog().edtBuyerRabat, u"150"_s);
    TypeText(Dialog().edtEmail, u"jk@example.pl"_s);
    Click(Find<QPushButton>(&Dialog(), u"btnOk"_s));
  });
  Click(List().btnAdd);
  ASSERT_EQ(Contractors().Count(), 1);
  const TKontrahentRec& record = *Contractors().Get(0);
  EXPECT_EQ(record.discount, C("100"));
  EXPECT_EQ(Dialog().edtBuyerRabat->text(), u"100"_s);
  EXPECT_EQ(record.email, "jk@example.pl");
  EXPECT_EQ(record.phone, "");  // every box is copied
  EXPECT_EQ(List().SelectedRecord(), &record);

  AnswerNextModal([&](QWidget*) {
    EXPECT_EQ(Dialog().edtBuyerRabat->text(), u"100"_s);
    ReplaceText(Dialog().edtBuyerRabat, u"abc"_s);
    Click(Find<QPushButton>(&Dialog(), u"btnOk"_s));
  });
  Click(List().btnEdit);
  EXPECT_EQ(record.discount, C("0"));
  EXPECT_EQ(Dialog().edtBuyerRabat->text(), u"abc"_s);
  List().hide();
}

TEST_F(RegisterWindowsTest, CancelInTheEditDialogStillSavesAndRefreshes) {
  Start();
  TKontrahentRec& record = AddContractor("Nowak");
  record.address = "Kraków"_cp;  // changed in memory only
  List().ShowNonModal();
  store.SetString(kKeySettings, "WebsiteCaption", "Facebook");
  AnswerNextModal([&](QWidget*) {
    EXPECT_EQ(Dialog().lblWebsite->text(), u"Facebook"_s);
    ReplaceText(Dialog().edtBuyerNIP, u"999"_s);
    Click(Find<QPushButton>(&Dialog(), u"btnCancel"_s));
  });
  Click(List().btnEdit);
  EXPECT_EQ(record.nip, "");
  TKontrahenci onDisk;
  onDisk.LoadCopy(data.path() + "/kontrahenci.db");
  ASSERT_EQ(onDisk.Count(), 1);
  EXPECT_EQ(onDisk.Get(0)->address, "Kraków"_cp);
  List().hide();
}

TEST_F(RegisterWindowsTest, ChosenContractorBecomesTheBuyer) {
  Start();
  TKontrahentRec& record = AddContractor("Zakład Stolarski"_cp);
  record.address = "ul. Leśna 1\r\n00-001 Warszawa"_cp;
  record.nip = "1234563218";
  record.discount = C("7.5");
  record.receivingPerson = "Jan Nowak";
  AddContractor("Inny");
  AnswerNextModal([&](QWidget*) {
    EXPECT_TRUE(List().btnOk->isVisible());
    TypeText(List().edtFilter, u"stolar"_s);
    PressKey(List().sgrKontrahenci, Qt::Key_Return);
  });
  Click(Control(u"btnSelectBuyer"));
  EXPECT_EQ(Doc().BuyerName(), "Zakład Stolarski"_cp);
  EXPECT_EQ(Doc().BuyerAddress(), "ul. Leśna 1\r\n00-001 Warszawa"_cp);
  EXPECT_EQ(Doc().BuyerNIP(), "1234563218");
  EXPECT_EQ(Doc().BuyerDiscount(), C("7.5"));
  EXPECT_EQ(Control<QLineEdit>(u"edtBuyerRabat")->text(), u"7,5"_s);
  EXPECT_EQ(Doc().ReceiverName(), "Jan Nowak");
  // A filter that shows nothing picks nothing.
  Doc().SetBuyerName("");
  AnswerNextModal([&](QWidget*) {
    ReplaceText(List().edtFilter, u"brak"_s);
    Click(List().btnOk);
  });
  Click(Control(u"btnSelectBuyer"));
  EXPECT_EQ(Doc().BuyerName(), "");
}

TEST_F(RegisterWindowsTest, GoodsPricesFollowTheDocumentsCurrency) {
  Start();
  TTowarRec& r = *Goods().Get(Goods().Add());
  r.name = "Stół"_cp;
  r.pricePln = C("100");        // net at 23 %: 123,00 zł gross
  r.priceForeign = C("30.5");
  r.priceForeignGross = true;
  r.vatRate = C("0.23");
  TTowarRec& exempt = *Goods().Get(Goods().Add());
  exempt.name = "Szkolenie";
  exempt.pricePln = C("50");
  exempt.vatRate = C("-1");
  Goods().Save();
  TfrmTowary& list = program->frmTowary();
  list.ShowNonModal();
  EXPECT_FALSE(list.btnOk->isVisible());
  EXPECT_FALSE(list.Label1->isVisible());
  QTableView* grid = list.sgrTowary;
  EXPECT_EQ(Shown(grid, 3), (QStringList{u"123,00zł"_s, u"50,00zł"_s}));
  EXPECT_EQ(Shown(grid, 4), (QStringList{u"23%"_s, u"zwoln."_s}));
  list.cbxSort->setCurrentIndex(1);  // by price
  EXPECT_EQ(Shown(grid, 0), (QStringList{u"Szkolenie"_s, u"Stół"_s}));
  list.hide();
  Doc().SetCurrency("EUR");
  list.ShowNonModal();
  EXPECT_EQ(Cell(grid, 1, 3), u"30,50€"_s);
  // Deleting asks, and keeps the record on No.
  SelectRow(grid, 1);
  Click(list.btnDelete);
  EXPECT_EQ(messages.messages.back().text,
            "Czy na pewno chcesz usunąć wybraną pozycję z listy towarów i usług?"_cp);
  EXPECT_EQ(Goods().Count(), 2);
  messages.answers = {MsgResult::Yes};
  Click(list.btnDelete);
  EXPECT_EQ(Goods().Count(), 1);
  EXPECT_EQ(Goods().Get(0)->name, "Szkolenie");
  list.hide();
}

// The list mends itself record by record after small changes; it must end where a list
// prepared afresh ends, and filter exactly as the register does.
TEST_F(RegisterWindowsTest, ListFollowsEveryChangeOfTheRegister) {
  Start();
  TKontrahenci& reg = Contractors();
  const char* const parts[] = {"Kowal", "Łęcki", "kowalski", "Nowak", "ŻUK", "Adam", "zając"};
  for (int i = 0; i < 300; ++i) {
    TKontrahentRec& r = *reg.Get(reg.Add());
    r.name = FromUtf8Lossy(parts[i % 7]) + " " + std::to_string(i * 7919 % 1000);
    r.nip = std::to_string(i * 31 % 97);
  }
  reg.Save();
  ContractorsModel mended(reg, nullptr);
  mended.Sync();
  for (int round = 0; round < 3; ++round) {
    for (int i = round; i < reg.Count(); i += 37) reg.Get(i)->name += "x";
    reg.Delete(round * 5);
    reg.Get(reg.Add())->name = "Adam " + std::to_string(round);
    reg.Save();
    for (uint8_t mode : {TKontrahenci::kByNip, TKontrahenci::kByName}) {
      reg.SetSortMode(mode);
      mended.Sync();
      mended.Refilter();
      ContractorsModel fresh(reg, nullptr);
      fresh.Sync();
      ASSERT_EQ(mended.rowCount(), reg.Count());
      // Records of equal keys may come in either order: the key column is compared.
      const int key = mode == TKontrahenci::kByNip ? 1 : 2;
      for (int row = 0; row < fresh.rowCount(); ++row) {
        ASSERT_EQ(mended.index(row, key).data().toString(),
                  fresh.index(row, key).data().toString()) << row;
        ASSERT_EQ(mended.index(row, 0).data().toString(), QString::number(row + 1));
      }
    }
  }
  for (const char* filter : {"KOWAL", " ł", "ŁĘ", "  ", "x"}) {
    reg.SetFilterText(FromUtf8Lossy(filter));
    mended.Refilter();
    int matching = 0;
    for (reg.First(); reg.Cursor() >= 0; reg.Next()) {
      ++matching;
      EXPECT_GE(mended.RowOf(reg.Get(reg.Cursor())), 0) << filter;
    }
    EXPECT_EQ(mended.rowCount(), matching) << filter;
  }
}

TEST_F(RegisterWindowsTest, WindowPlacementIsStoredAndRestored) {
  Start();
  List().move(40, 50);
  List().resize(600, 400);
  Stop();
  EXPECT_EQ(store.Get(kKeySettings, "KontrFormWidth").integer, 600);
  Start();
  EXPECT_EQ(List().width(), 600);
  EXPECT_EQ(List().height(), 400);
}

}  // namespace
}  // namespace bilvox::testing
