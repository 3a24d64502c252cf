#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "common/cp1250.h"
#include "currency/nbp_rates.h"
#include "support/cli_run.h"
#include "support/currency_value.h"
#include "support/http_server.h"

namespace bilvox {
namespace {

using testing::HttpReply;
using testing::TestHttpServer;
using test_support::Amount;
using namespace std::chrono_literals;

const std::string kCodeMessage = ToUtf8("Nie mogę pobrać kursu waluty o podanym kodzie"_cp);
const std::string kDirectoryMessage = "Nie można pobrać danych z serwera NBP (tabela HTML)";
const std::string kTableMessage = "Nie można pobrać danych z serwera NBP (tabela XML)";

std::string Position(const std::string& code, const std::string& rate) {
  // The bank's tables are ISO-8859-2: "dolar amerykański" has the byte 0xF1 for "ń".
  return "<pozycja>\r\n  <nazwa_waluty>dolar ameryka\xf1ski</nazwa_waluty>\r\n"
         "  <przelicznik>1</przelicznik>\r\n  <kod_waluty>" + code + "</kod_waluty>\r\n"
         "  <kurs_sredni>" + rate + "</kurs_sredni>\r\n</pozycja>\r\n";
}

std::string Table(const std::string& positions, const std::string& encoding = "ISO-8859-2") {
  return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\r\n<tabela_kursow typ=\"A\">\r\n"
         "<numer_tabeli>044/A/NBP/2027</numer_tabeli>\r\n" + positions + "</tabela_kursow>\r\n";
}

// A server with the directory of early March 2027 (its last table A is dated 2027-03-05,
// the tests' today) and the tables it names.
struct BankServer : TestHttpServer {
  BankServer() {
    Serve("/kursy/xml/dir.txt",
          "\xEF\xBB\xBF" "c001z270104\r\na043z270303\r\nh044z270304\r\na044z270304\r\n\r\n"
          "b010z270304\r\na045z270305\r\nc045z270305\r\n");
    Serve("/kursy/xml/a043z270303.xml", Table(Position("EUR", "4,1000")));
    Serve("/kursy/xml/a044z270304.xml",
          Table(Position("USD", "3,9000") + Position("EUR", "\r\n 4,3012 ") + Position("GBP", "5")));
    Serve("/kursy/xml/a045z270305.xml", Table(Position("EUR", "9,9999")));
  }
};

const Ymd kToday{2027, 3, 5};

RateServer At(const std::string& url) {
  RateServer server;
  server.baseUrl = url;
  return server;
}

// The message of a failed download, with what the rate box shows then.
struct Failure {
  std::string message;  // UTF-8
  std::optional<Currency> rateBox;
  bool cancelled = false;
};

Failure FailureOf(const std::function<void()>& download) {
  try {
    download();
  } catch (const RateDownloadError& e) {
    return {e.what(), e.RateBox(), e.Cancelled()};
  }
  ADD_FAILURE() << "the download did not fail";
  return {};
}

TEST(RateDownload, TakesTheNewestTableAPublishedBeforeTheDay) {
  BankServer bank;
  std::vector<std::string> texts;
  const auto status = [&](const std::string& text) { texts.push_back(ToUtf8(text)); };

  // Today's table is passed over; the code is trimmed and upper-cased.
  EXPECT_EQ(DownloadAverageRate(" eur ", kToday, At(bank.Url()), status), Amount("4.3012"));
  EXPECT_EQ(bank.Paths(), (std::vector<std::string>{"/kursy/xml/dir.txt", "/kursy/xml/a044z270304.xml"}));
  EXPECT_NE(bank.LastHeaders().find("Accept: text/html, */*\r\n"), std::string::npos);
  EXPECT_NE(bank.LastHeaders().find("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
            std::string::npos);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "Łączenie z serwerem 127.0.0.1...");
  EXPECT_EQ(texts.back(), "");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Pobieranie tabeli kursów a044z270304: 1 kB"),
            texts.end());

  // Yesterday's table is the newest before tomorrow; a table dated after the day (the
  // computer's clock behind the bank's, or a day in the past) is never taken.
  EXPECT_EQ(DownloadAverageRate("EUR", {2027, 3, 6}, At(bank.Url())), Amount("9.9999"));
  EXPECT_EQ(DownloadAverageRate("EUR", {2027, 3, 4}, At(bank.Url())), Amount("4.1"));

  // A server that has moved its files elsewhere redirects there.
  bank.Serve("/old/kursy/xml/dir.txt", HttpReply::Redirect(301, "/kursy/xml/dir.txt"));
  bank.Serve("/old/kursy/xml/a044z270304.xml", HttpReply::Redirect(302, "/kursy/xml/a044z270304.xml"));
  EXPECT_EQ(DownloadAverageRate("usd", kToday, At(bank.Url() + "/old/")), Amount("3.9"));

  // The directory holds this year's tables only: in the first days of January the table
  // comes from the directory of the year before (this year's is not there yet).
  bank.Serve("/kursy/xml/dir2026.txt", "a251z261230\r\na252z261231\r\n");
  bank.Serve("/kursy/xml/a252z261231.xml", Table(Position("EUR", "4,2")));
  const size_t before = bank.Paths().size();
  EXPECT_EQ(DownloadAverageRate("EUR", {2027, 1, 2}, At(bank.Url())), Amount("4.2"));
  std::vector<std::string> paths = bank.Paths();
  paths.erase(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(before));
  EXPECT_EQ(paths, (std::vector<std::string>{"/kursy/xml/dir.txt", "/kursy/xml/dir2027.txt",
                                             "/kursy/xml/dir2026.txt",
                                             "/kursy/xml/a252z261231.xml"}));
}

TEST(RateDownload, FailuresReportTheirMessageAndLeaveTheRateBoxAsShown) {
  const std::string cut = Table(Position("EUR", "4,3012") + Position("USD", "3,9000"));
  struct Case {
    const char* what;
    std::string code;
    std::function<void(TestHttpServer&)> change;
    std::string message;
    std::optional<Currency> rateBox;  // empty: the box keeps what it held
  } cases[] = {
      {"PLN", "pln", {}, kCodeMessage, std::nullopt},
      {"no code", " ", {}, kCodeMessage, std::nullopt},
      {"a code the table lacks", "XYZ", {}, kCodeMessage, Currency{}},
      {"directory error status", "EUR",
       [](auto& s) { s.Serve("/kursy/xml/dir.txt", HttpReply::Status(500, "busy")); }, kDirectoryMessage,
       std::nullopt},
      {"no table A", "EUR", [](auto& s) { s.Serve("/kursy/xml/dir.txt", "c045z270305\r\n../../x\r\n"); },
       kDirectoryMessage, std::nullopt},
      {"table missing", "EUR", [](auto& s) { s.Serve("/kursy/xml/a044z270304.xml", HttpReply::Status(404)); },
       kTableMessage, std::nullopt},
      {"malformed table", "EUR",
       [](auto& s) { s.Serve("/kursy/xml/a044z270304.xml", Table(Position("EUR", "4,3</x>"))); },
       kTableMessage, Currency{}},
      {"truncated table", "EUR",
       [&](auto& s) { s.Serve("/kursy/xml/a044z270304.xml", cut.substr(0, cut.size() - 60)); },
       kTableMessage, Currency{}},
      {"rate not a number", "EUR",
       [](auto& s) { s.Serve("/kursy/xml/a044z270304.xml", Table(Position("EUR", "4.3012"))); },
       "'4.3012' nie jest poprawną wartością zmiennoprzecinkową", Currency{}},
  };
  for (const Case& c : cases) {
    BankServer bank;
    if (c.change) c.change(bank);
    Failure f = FailureOf([&] { DownloadAverageRate(c.code, kToday, At(bank.Url())); });
    EXPECT_EQ(f.message, c.message) << c.what;
    EXPECT_EQ(f.rateBox, c.rateBox) << c.what;
    EXPECT_FALSE(f.cancelled) << c.what;
    if (c.code != "EUR" && c.code != "XYZ") {
      EXPECT_TRUE(bank.Paths().empty()) << c.what;
    }
  }
}

TEST(RateDownload, ServersThatNeverAnswerOrNeverStopDoNotHoldItUp) {
  BankServer bank;
  RateServer server = At(bank.Url());
  const auto elapsed = [](const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::steady_clock::now() - start;
  };

  // Silent after the request: the timeout ends it.
  bank.Serve("/kursy/xml/a044z270304.xml", HttpReply::Misbehaving(HttpReply::Kind::NeverAnswer));
  server.totalTimeout = 300ms;
  Failure f;
  EXPECT_LT(elapsed([&] { f = FailureOf([&] { DownloadAverageRate("EUR", kToday, server); }); }), 3s);
  EXPECT_EQ(f.message, kTableMessage);

  // "Anuluj" or closing the window: the stop request ends the wait at once.
  server.totalTimeout = 30s;
  std::stop_source stop;
  std::jthread canceller([&] {
    std::this_thread::sleep_for(150ms);
    stop.request_stop();
  });
  EXPECT_LT(elapsed([&] {
              f = FailureOf([&] { DownloadAverageRate("EUR", kToday, server, {}, stop.get_token()); });
            }),
            2s);
  EXPECT_TRUE(f.cancelled);
  EXPECT_EQ(f.rateBox, std::nullopt);

  // A body without end is cut off at the limit.
  bank.Serve("/kursy/xml/a044z270304.xml", HttpReply::Misbehaving(HttpReply::Kind::Endless));
  server.maxResponseBytes = 1 << 20;
  EXPECT_LT(elapsed([&] { f = FailureOf([&] { DownloadAverageRate("EUR", kToday, server); }); }), 5s);
  EXPECT_EQ(f.message, kTableMessage);
}

TEST(RateDownload, ReadsEachPositionOnItsOwnAndRoundsToFourDecimals) {
  // A position without a code must not take the code of the one before it, nor one without
  // a rate the rate before it.
  const std::string odd = Position("EUR", "4,3") + "<pozycja><kurs_sredni>9,9</kurs_sredni></pozycja>" +
                          "<pozycja><kod_waluty>USD</kod_waluty></pozycja>";
  EXPECT_EQ(ReadAverageRate(Table(odd), "EUR"), Amount("4.3"));
  EXPECT_EQ(ReadAverageRate(Table(odd), "USD"), Currency{});
  EXPECT_EQ(ReadAverageRate(Table(Position("EUR", "4,21565")), "EUR"), Amount("4.2156"));
  EXPECT_EQ(ReadAverageRate(Table(Position("EUR", "4,215650001")), "EUR"), Amount("4.2157"));
  EXPECT_EQ(ReadAverageRate(Table(Position("EUR", "4,21575")), "EUR"), Amount("4.2158"));
  EXPECT_EQ(ReadAverageRate(Table(Position("CZK", "0,1712"), "windows-1250"), "CZK"),
            Amount("0.1712"));
}

TEST(RateCommand, PrintsTheRateOrTheMessage) {
  BankServer bank;
  const std::string env = "BILVOX_NBP_URL=" + testing::ShellQuote(bank.Url());
  testing::CliResult r = testing::RunCli("rate ' eur'", env);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "4,3012\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(testing::RunCli("rate EUR --date 2027-03-06", env).out, "9,9999\n");

  r = testing::RunCli("rate XYZ", env);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, kCodeMessage + "\n");
  for (const char* args : {"rate", "rate EUR USD", "rate EUR --date 5.03.2027", "rate EUR --date"}) {
    r = testing::RunCli(args, env);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_EQ(r.out, "") << args;
  }
}

}  // namespace
}  // namespace bilvox
