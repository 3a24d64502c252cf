// The currency window: the download of the rate against a local server while the window
// keeps working, failures in the error box, stopping a download, and what OK hands over.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "currency_window.h"
#include "support/http_server.h"
#include "words/number_input.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

std::string Table(const std::string& code, const std::string& rate) {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>\r\n<tabela_kursow typ=\"A\">\r\n"
         "<pozycja><kod_waluty>" + code + "</kod_waluty><kurs_sredni>" + rate +
         "</kurs_sredni></pozycja>\r\n</tabela_kursow>\r\n";
}

class CurrencyWindowTest : public AppTest {
 protected:
  void StartWindow() {
    Start();
    RateServer rates;
    rates.baseUrl = server.Url();
    rates.totalTimeout = 20s;
    Waluta().SetRateServer(rates);
    Waluta().SetUrlOpener([this](const QUrl& url) { opened << url.toString(); });
  }
  TfrmWaluta& Waluta() { return program->frmWaluta(); }
  bool WaitForDownload() {
    return QTest::qWaitFor([this] { return !Waluta().Downloading(); }, 10000);
  }
  // Today is 2027-03-05: its own table is passed over for the one of the day before.
  void ServeTables() {
    server.Serve("/kursy/xml/dir.txt", "a043z270303\r\na044z270304\r\na045z270305\r\n");
    server.Serve("/kursy/xml/a044z270304.xml", Table("EUR", "4,3012"));
  }

  TestHttpServer server;
  QStringList opened;
};

TEST_F(CurrencyWindowTest, TypedCodeIsUpperCasedAndTheDownloadFillsTheRate) {
  ServeTables();
  StartWindow();
  AnswerNextModal([&](QWidget*) {
    QLineEdit* code = Waluta().cbxWaluta->lineEdit();
    EXPECT_FALSE(Waluta().btnWstawKurs->isEnabled());  // a new document is in PLN
    ReplaceText(code, u"eur"_s);
    EXPECT_EQ(code->text(), u"EUR"_s);
    ASSERT_TRUE(Waluta().btnWstawKurs->isEnabled());
    Click(Waluta().btnWstawKurs);
    EXPECT_FALSE(Waluta().btnWstawKurs->isEnabled());
    ASSERT_TRUE(WaitForDownload());
    EXPECT_EQ(Waluta().edtKurs->text(), u"4,3012"_s);
    EXPECT_TRUE(Waluta().btnWstawKurs->isEnabled());
    EXPECT_TRUE(Waluta().lblStatus->text().isEmpty());
    Click(Waluta().btnOk);
  });
  Click(Control(u"btnWaluta"));
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(server.Paths(), (std::vector<std::string>{"/kursy/xml/dir.txt", "/kursy/xml/a044z270304.xml"}));
  EXPECT_EQ(Doc().CurrencyCode(), "EUR");
  EXPECT_EQ(Doc().ExchangeRate(), Currency::FromRaw(43012));
}

TEST_F(CurrencyWindowTest, FailuresAreReportedInTheErrorBox) {
  ServeTables();
  StartWindow();
  std::string code = "XYZ";
  Currency rate = Currency::FromRaw(12345);
  AnswerNextModal([&](QWidget*) {
    Click(Waluta().btnWstawKurs);
    ASSERT_TRUE(WaitForDownload());
    EXPECT_EQ(Waluta().edtKurs->text(), u"0,0000"_s);  // the table came, the code is not in it

    server.Serve("/kursy/xml/dir.txt", HttpReply(500));
    Waluta().edtKurs->setText(u"1,5"_s);
    Click(Waluta().btnWstawKurs);
    ASSERT_TRUE(WaitForDownload());
    EXPECT_EQ(Waluta().edtKurs->text(), u"1,5"_s);  // no table: the box keeps its rate
    Click(Waluta().btnCancel);
  });
  EXPECT_FALSE(Waluta().Execute(code, rate));
  EXPECT_EQ(code, "XYZ");
  EXPECT_EQ(rate, Currency::FromRaw(12345));
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[0].text, "Nie mogę pobrać kursu waluty o podanym kodzie."_cp);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(messages.messages[1].text, "Nie można pobrać danych z serwera NBP (tabela HTML)"_cp);
}

TEST_F(CurrencyWindowTest, CancelStopsADownloadFromASilentServerAtOnce) {
  server.Serve("/kursy/xml/dir.txt", HttpReply(200, {}, {}, HttpReply::Kind::NeverAnswer));
  StartWindow();
  std::string code = "USD";
  Currency rate = Currency::FromRaw(40000);
  QElapsedTimer clock;
  AnswerNextModal([&](QWidget*) {
    Click(Waluta().btnWstawKurs);
    // The window goes on working: the progress reaches the status label.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Waluta().lblStatus->text().isEmpty(); }, 5000));
    EXPECT_TRUE(Waluta().Downloading());
    clock.start();
    Click(Waluta().btnCancel);
  });
  EXPECT_FALSE(Waluta().Execute(code, rate));
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(Waluta().Downloading());
  QTest::qWait(50);  // news of the stopped download, if any, arrives now and is ignored
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_TRUE(Waluta().btnWstawKurs->isEnabled());
  EXPECT_TRUE(Waluta().lblStatus->text().isEmpty());
}

TEST_F(CurrencyWindowTest, OkHandsOverTheTypedRateAndLinksOpenTheBanksPages) {
  StartWindow();
  std::string code = "PLN";
  Currency rate = Currency::FromRaw(10000);
  const auto run = [&](const QString& typedCode, const QString& typedRate) {
    AnswerNextModal([&, typedCode, typedRate](QWidget*) {
      EXPECT_EQ(Waluta().edtKurs->isEnabled(), code != "PLN");
      ReplaceText(Waluta().cbxWaluta->lineEdit(), typedCode);
      ReplaceText(Waluta().edtKurs, typedRate);
      Click(Waluta().lblURL1);
      Click(Waluta().lblURL2);
      Click(Waluta().btnOk);
    });
    return Waluta().Execute(code, rate);
  };
  ASSERT_TRUE(run(u"usd "_s, u"4.30"_s));  // a full stop is taken for the decimal comma
  EXPECT_EQ(code, "USD");
  EXPECT_EQ(rate, Currency::FromRaw(43000));
  ASSERT_TRUE(run(u"GBP"_s, u"cztery"_s));
  EXPECT_EQ(code, "GBP");
  EXPECT_EQ(rate, Currency{});
  EXPECT_EQ(opened.size(), 4);
  EXPECT_TRUE(opened.value(0).endsWith(u"/home.aspx?f=/kursy/kursya.html"_s));
  EXPECT_TRUE(opened.value(1).endsWith(u"/home.aspx?f=/kursy/kursy_archiwum.html"_s));
}

}  // namespace
}  // namespace bilvox::testing
