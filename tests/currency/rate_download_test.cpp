#include <gtest/gtest.h>

#include <algorithm>
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
using test_support::Amount;
using Paths = std::vector<std::string>;
using namespace std::chrono_literals;

const std::string kCodeMessage = "Nie mogę pobrać kursu waluty o podanym kodzie";
const std::string kDirectoryMessage = "Nie można pobrać danych z serwera NBP (tabela HTML)";
const std::string kTableMessage = "Nie można pobrać danych z serwera NBP (tabela XML)";
const Ymd kToday{2027, 3, 5};

std::string Position(const std::string& code, const std::string& rate) {
  // The bank's tables are ISO-8859-2: "dolar amerykański" has the byte 0xF1 for "ń".
  return "<pozycja>\r\n  <nazwa_waluty>dolar ameryka\xf1ski</nazwa_waluty><przelicznik>1</przelicznik>\r\n"
         "  <kod_waluty>" + code + "</kod_waluty>\r\n  <kurs_sredni>" + rate + "</kurs_sredni>\r\n</pozycja>\r\n";
}

std::string Table(const std::string& positions) {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>\r\n<tabela_kursow typ=\"A\">\r\n" + positions +
         "</tabela_kursow>\r\n";
}

// The directory of early March 2027, whose last table A is dated today, and its tables.
struct BankServer : testing::TestHttpServer {
  BankServer() {
    Serve("/kursy/xml/dir.txt",
          "\xEF\xBB\xBF" "c001z270104\r\na043z270303\r\nh044z270304\r\na044z270304\r\n\r\n"
          "b010z270304\r\na045z270305\r\nc045z270305\r\n");
    Serve("/kursy/xml/a043z270303.xml", Table(Position("EUR", "4,1000")));
    Serve("/kursy/xml/a044z270304.xml", Table(Position("USD", "3,9000") + Position("EUR", "\r\n 4,3012 ")));
    Serve("/kursy/xml/a045z270305.xml", Table(Position("EUR", "9,9999")));
  }
  RateServer Server(const std::string& path = "") const {
    RateServer s;
    s.baseUrl = Url() + path;
    return s;
  }
};

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
  EXPECT_EQ(DownloadAverageRate(" eur ", kToday, bank.Server(), status), Amount("4.3012"));
  EXPECT_EQ(bank.Paths(), (Paths{"/kursy/xml/dir.txt", "/kursy/xml/a044z270304.xml"}));
  EXPECT_NE(bank.LastHeaders().find("Accept: text/html, */*\r\n"), std::string::npos);
  EXPECT_NE(bank.LastHeaders().find("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
            std::string::npos);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "Łączenie z serwerem 127.0.0.1...");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Pobieranie tabeli kursów a044z270304: 1 kB"), texts.end());
  EXPECT_EQ(texts.back(), "");

  // Yesterday's table is the newest before tomorrow; a table dated after the day (the
  // computer's clock behind the bank's, or a day in the past) is never taken.
  EXPECT_EQ(DownloadAverageRate("EUR", {2027, 3, 6}, bank.Server()), Amount("9.9999"));
  EXPECT_EQ(DownloadAverageRate("EUR", {2027, 3, 4}, bank.Server()), Amount("4.1"));

  // Files that moved are followed.
  bank.Serve("/old/kursy/xml/dir.txt", HttpReply(301, "", "/kursy/xml/dir.txt"));
  bank.Serve("/old/kursy/xml/a044z270304.xml", HttpReply(302, "", "/kursy/xml/a044z270304.xml"));
  EXPECT_EQ(DownloadAverageRate("usd", kToday, bank.Server("/old/")), Amount("3.9"));

  // The directory holds this year's tables only: early in January the table comes from the
  // directory of the year before (this year's is not there yet).
  bank.Serve("/kursy/xml/dir2026.txt", "a251z261230\r\na252z261231\r\n");
  bank.Serve("/kursy/xml/a252z261231.xml", Table(Position("EUR", "4,2")));
  const size_t before = bank.Paths().size();
  EXPECT_EQ(DownloadAverageRate("EUR", {2027, 1, 2}, bank.Server()), Amount("4.2"));
  Paths paths = bank.Paths();
  paths.erase(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(before));
  EXPECT_EQ(paths, (Paths{"/kursy/xml/dir.txt", "/kursy/xml/dir2027.txt", "/kursy/xml/dir2026.txt",
                          "/kursy/xml/a252z261231.xml"}));
}

TEST(RateDownload, FailuresReportTheirMessageAndLeaveTheRateBoxAsShown) {
  const std::string whole = Table(Position("EUR", "4,3012") + Position("USD", "3,9000"));
  const std::string table = "/kursy/xml/a044z270304.xml";
  struct Case {
    std::string code, path;
    HttpReply reply;
    std::string message;
    std::optional<Currency> rateBox;  // empty: the box keeps what it held
  } cases[] = {
      {"pln", "", {}, kCodeMessage, std::nullopt},
      {" ", "", {}, kCodeMessage, std::nullopt},
      {"XYZ", "", {}, kCodeMessage, Currency{}},
      {"EUR", "/kursy/xml/dir.txt", HttpReply(500, "busy"), kDirectoryMessage, std::nullopt},
      {"EUR", "/kursy/xml/dir.txt", HttpReply(200, "c045z270305\r\n../../x\r\n"), kDirectoryMessage,
       std::nullopt},
      {"EUR", table, HttpReply(404), kTableMessage, std::nullopt},
      {"EUR", table, HttpReply(200, Table(Position("EUR", "4,3</x>"))), kTableMessage, Currency{}},
      // Cut short after a complete EUR position: a truncated table gives no rate at all.
      {"EUR", table, HttpReply(200, whole.substr(0, whole.size() - 60)), kTableMessage, Currency{}},
      {"EUR", table, HttpReply(200, Table(Position("EUR", "4.3012"))),
       "'4.3012' nie jest poprawną wartością zmiennoprzecinkową", Currency{}},
  };
  for (const Case& c : cases) {
    BankServer bank;
    if (!c.path.empty()) bank.Serve(c.path, c.reply);
    Failure f = FailureOf([&] { DownloadAverageRate(c.code, kToday, bank.Server()); });
    EXPECT_EQ(f.message, c.message) << c.code << " " << c.reply.body;
    EXPECT_EQ(f.rateBox, c.rateBox) << c.code << " " << c.reply.body;
    EXPECT_FALSE(f.cancelled);
    EXPECT_EQ(bank.Paths().empty(), c.message == kCodeMessage && !c.rateBox) << c.code;
  }
}

TEST(RateDownload, ServersThatNeverAnswerOrNeverStopDoNotHoldItUp) {
  BankServer bank;
  RateServer server = bank.Server();
  Failure f;
  const auto failsWithin = [&](std::chrono::milliseconds limit, std::stop_token stop = {}) {
    const auto start = std::chrono::steady_clock::now();
    f = FailureOf([&] { DownloadAverageRate("EUR", kToday, server, {}, stop); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
  };

  // Silent after the request: the timeout ends it.
  bank.Serve("/kursy/xml/a044z270304.xml", HttpReply(200, "", "", HttpReply::Kind::NeverAnswer));
  server.totalTimeout = 300ms;
  failsWithin(3s);
  EXPECT_EQ(f.message, kTableMessage);

  // "Anuluj" or closing the window: the stop request ends the wait at once.
  server.totalTimeout = 30s;
  std::stop_source stop;
  std::jthread canceller([&] {
    std::this_thread::sleep_for(150ms);
    stop.request_stop();
  });
  failsWithin(2s, stop.get_token());
  EXPECT_TRUE(f.cancelled);
  EXPECT_EQ(f.rateBox, std::nullopt);

  // A body without end is cut off at the limit.
  bank.Serve("/kursy/xml/a044z270304.xml", HttpReply(200, "", "", HttpReply::Kind::Endless));
  server.maxResponseBytes = 1 << 20;
  failsWithin(5s);
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
  EXPECT_EQ(ReadAverageRate(Table(Position("EUR", "4,21575")), "EUR"), Amount("4.2158"));
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
  EXPECT_EQ(testing::RunCli("rate EUR --date 5.03.2027", env).status, 2);
}

}  // namespace
}  // namespace bilvox
