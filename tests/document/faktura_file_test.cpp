#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <string>

#include "common/app_info.h"
#include "common/binio.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "document/faktura.h"
#include "document/ftv_builder.h"
#include "support/memory_store.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::FtvBytes;
using testing::FtvDocument;
using testing::FtvLine;
using testing::ReadBytes;
using testing::WriteBytes;

const std::string kReadLead(
    "Wystąpił błąd podczas odczytywania pliku. Treść błędu:\r\n"_cp);
const std::string kSaveLead(
    "Wystąpił błąd podczas zapisywania pliku. Treść błędu:\r\n"_cp);

void ExpectLine(const TTowar& t, const FtvLine& l, int version, const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(t.Name, l.name);
  EXPECT_EQ(t.Pkwiu, l.pkwiu);
  EXPECT_EQ(t.Unit, l.unit);
  EXPECT_EQ(t.Quantity, l.quantity);
  EXPECT_EQ(t.PricePLN.raw, l.pricePln);
  EXPECT_EQ(t.VatRate.raw, l.vatRate);
  // What the version lacks keeps the defaults of a new line.
  EXPECT_EQ(t.Reserved, version >= 2 ? l.reserved : 0);
  EXPECT_EQ(t.CorrectionChanged, version >= 2 && l.correctionChanged);
  EXPECT_EQ(t.NameLang12, version >= 5 ? l.nameLang12 : "");
  EXPECT_EQ(t.NameLang34, version >= 5 ? l.nameLang34 : "");
  EXPECT_EQ(t.UnitLang12, version >= 5 ? l.unitLang12 : "");
  EXPECT_EQ(t.UnitLang34, version >= 5 ? l.unitLang34 : "");
  EXPECT_EQ(t.PriceForeign.raw, version >= 7 ? l.priceForeign : 0);
  EXPECT_EQ(t.PricePLNIsGross, version >= 7 && l.pricePlnIsGross);
  EXPECT_EQ(t.PriceForeignIsGross, version >= 7 && l.priceForeignIsGross);
}

class FakturaFileTest : public ::testing::Test {
 protected:
  FakturaFileTest() {
    doc.OnChange = [this](TFaktura&) { ++changes; };
  }
  // Loads bytes written to a file; returns the error message, empty on success.
  std::string LoadBytes(const std::string& bytes, const std::string& name = "doc.ftv") {
    // A new file each time: rewriting one in place makes the file system flush it to disk.
    std::filesystem::remove(dir.File(name));
    WriteBytes(dir.File(name), bytes);
    try {
      doc.Load(dir.File(name));
    } catch (const Error& e) {
      return e.Message();
    }
    return {};
  }
  void ExpectEmpty() {
    EXPECT_EQ(doc.LineCount(), 0);
    EXPECT_EQ(doc.PriorLineCount(), 0);
    EXPECT_EQ(doc.FileName(), "");
    EXPECT_EQ(doc.Number(), "");
    EXPECT_EQ(doc.BuyerName(), "");
  }

  testing::RecordingMessages messages;
  testing::MemoryStore store;
  testing::TempDir dir;
  TFaktura doc{&store};
  int changes = 0;
};

TEST_F(FakturaFileTest, ReadsEveryFieldAndWritesTheSameBytes) {
  const FtvDocument d = testing::FullCorrection();
  const std::string bytes = FtvBytes(d, 8);
  WriteBytes(dir.File("k.ftv"), bytes);
  doc.SetModified(true);
  changes = 0;
  EXPECT_EQ(doc.Load(dir.File("k.ftv")), 8);

  const FakturaFields& f = doc.Fields();
  EXPECT_EQ(f.Number, d.number);
  EXPECT_EQ(f.PlaceOfIssue, d.place);
  EXPECT_EQ(f.SellerName, d.sellerName);
  EXPECT_EQ(f.SellerAddress, d.sellerAddress);
  EXPECT_EQ(f.SellerNIP, d.sellerNip);
  EXPECT_EQ(f.BuyerName, d.buyerName);
  EXPECT_EQ(f.BuyerAddress, d.buyerAddress);
  EXPECT_EQ(f.BuyerNIP, d.buyerNip);
  EXPECT_EQ(f.PaymentForm, d.paymentForm);
  EXPECT_EQ(f.IssuerName, d.issuer);
  EXPECT_EQ(f.ReceiverName, d.receiver);
  EXPECT_EQ(f.Remarks, d.remarks);
  EXPECT_EQ(f.IssueDate, d.issueDate);
  EXPECT_EQ(f.SaleDate, d.saleDate);
  EXPECT_EQ(f.PaymentDueDate, d.dueDate);
  EXPECT_EQ(f.Paid.raw, d.paid);
  EXPECT_EQ(f.Kind, DocumentKind::Correction);
  EXPECT_TRUE(f.Printed);
  EXPECT_EQ(f.CorrectedNumber, d.correctedNumber);
  EXPECT_EQ(f.DocLanguage, d.language);
  EXPECT_EQ(f.BuyerDiscount.raw, d.discount);
  EXPECT_EQ(f.CurrencyCode, d.currency);
  EXPECT_EQ(f.ExchangeRate.raw, d.rate);
  EXPECT_EQ(f.ReservedText1, d.reserved1);
  EXPECT_EQ(f.ReservedText2, d.reserved2);
  EXPECT_EQ(f.VatInvoiceType, d.vatType);
  EXPECT_TRUE(f.GrossPricing);
  EXPECT_EQ(f.MarginProcedure, d.marginProcedure);
  ASSERT_EQ(doc.LineCount(), 2);
  ASSERT_EQ(doc.PriorLineCount(), 2);
  for (int i = 0; i < 2; ++i) {
    ExpectLine(doc.Line(i), d.lines[i], 8, "line " + std::to_string(i));
    ExpectLine(doc.PriorLine(i), d.priorLines[i], 8, "prior line " + std::to_string(i));
  }

  EXPECT_EQ(doc.FileName(), dir.File("k.ftv"));
  EXPECT_TRUE(doc.LoadedFromFile());
  EXPECT_FALSE(doc.Modified());
  EXPECT_TRUE(doc.TakeChanged());
  EXPECT_GE(changes, 1);

  // Saved under another name: the same bytes, so every field survives the round trip.
  doc.SetModified(true);
  ASSERT_TRUE(doc.Save(dir.File("copy.ftv")));
  EXPECT_EQ(ReadBytes(dir.File("copy.ftv")), bytes);
  EXPECT_EQ(doc.FileName(), dir.File("copy.ftv"));
  EXPECT_FALSE(doc.Modified());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(FakturaFileTest, OnlyAKindTwoDocumentCarriesTheCorrectionBlock) {
  FtvDocument d = testing::FullCorrection();
  d.priorLines.clear();
  for (uint8_t kind : {0, 1, 3, 9}) {
    SCOPED_TRACE(int(kind));
    d.kind = kind;
    d.language = 2;  // read right after the kind: shows that no block was looked for
    const std::string bytes = FtvBytes(d, 8);
    ASSERT_EQ(LoadBytes(bytes), "");
    EXPECT_EQ(static_cast<int>(doc.Kind()), kind);  // kept as stored
    EXPECT_EQ(doc.DocLanguage(), 2);
    EXPECT_EQ(doc.PriorLineCount(), 0);
    ASSERT_TRUE(doc.Save(""));
    EXPECT_EQ(ReadBytes(dir.File("doc.ftv")), bytes);
  }
}

TEST_F(FakturaFileTest, OlderVersionsKeepTheDefaultsForWhatTheyLack) {
  store.SetString(kKeyDocument, "WalutaObca", "USD");
  store.SetBinary(kKeyDocument, "KursWaluty", std::string("\x58\x98\x00\x00\x00\x00\x00\x00", 8));
  store.SetBinary(kKeyDocument, "TypFakturyVat", std::string(1, '\3'));
  store.SetBinary(kKeyDocument, "ProceduraMarzy", std::string(1, '\2'));
  store.SetInteger(kKeyDocument, "OdCenBrutto", 1);
  store.SetInteger(kKeyDocument, "DocLanguage", 2);
  FtvDocument d = testing::FullCorrection();
  d.grossPricing = false;
  d.dropped1 = "stary tekst";
  d.dropped2 = "drugi";

  for (int version = 0; version <= 8; ++version) {
    SCOPED_TRACE("version " + std::to_string(version));
    TFaktura fresh(&store);
    WriteBytes(dir.File("old.ftv"), FtvBytes(d, version));
    ASSERT_EQ(fresh.Load(dir.File("old.ftv")), version);
    // The texts after the buyer's NIP are where they belong (version 1 skips two more).
    EXPECT_EQ(fresh.BuyerNIP(), d.buyerNip);
    EXPECT_EQ(fresh.PaymentForm(), d.paymentForm);
    EXPECT_EQ(fresh.Remarks(), d.remarks);
    EXPECT_EQ(fresh.Paid().raw, d.paid);

    const bool correction = version >= 2;
    EXPECT_EQ(fresh.Kind(), correction ? DocumentKind::Correction : DocumentKind::Invoice);
    EXPECT_EQ(fresh.Printed(), correction);
    EXPECT_EQ(fresh.CorrectedNumber(), correction ? d.correctedNumber : "");
    ASSERT_EQ(fresh.LineCount(), 2);
    ASSERT_EQ(fresh.PriorLineCount(), correction ? 2 : 0);
    ExpectLine(fresh.Line(0), d.lines[0], version, "line 0");
    if (correction) ExpectLine(fresh.PriorLine(0), d.priorLines[0], version, "prior line 0");

    EXPECT_EQ(fresh.DocLanguage(), version >= 3 ? 1 : 0);
    EXPECT_EQ(fresh.BuyerDiscount().raw, version >= 4 ? d.discount : 0);
    EXPECT_EQ(fresh.CurrencyCode(), version >= 5 ? "EUR" : "USD");
    EXPECT_EQ(fresh.ExchangeRate().raw, version >= 5 ? d.rate : 39000);
    EXPECT_EQ(fresh.ReservedText2(), version >= 5 ? d.reserved2 : "");
    EXPECT_EQ(fresh.VatInvoiceType(), version >= 6 ? d.vatType : 3);
    EXPECT_EQ(fresh.GrossPricing(), version < 7);
    EXPECT_EQ(fresh.MarginProcedure(), version >= 8 ? d.marginProcedure : 2);
  }
}

TEST_F(FakturaFileTest, AFailedLoadLeavesTheDocumentEmpty) {
  const std::string good = FtvBytes(testing::FullCorrection(), 8);
  ASSERT_EQ(LoadBytes(good), "");

  // A newer version is refused.
  std::string newer = good;
  newer[0] = 9;
  EXPECT_EQ(LoadBytes(newer), kReadLead + std::string("Nieprawidłowy format pliku faktury"_cp));
  ExpectEmpty();

  // A missing file.
  ASSERT_EQ(LoadBytes(good), "");
  std::string missing;
  try {
    doc.Load(dir.File("nothing.ftv"));
  } catch (const Error& e) {
    missing = e.Message();
  }
  EXPECT_EQ(missing, kReadLead + std::string("Nie odnaleziono pliku lub folderu."_cp));
  ExpectEmpty();

  // A file that ends early, wherever it ends.
  for (size_t size = 0; size < good.size(); ++size) {
    SCOPED_TRACE("size " + std::to_string(size));
    ASSERT_EQ(LoadBytes(good), "");
    const std::string message = LoadBytes(good.substr(0, size), "cut.ftv");
    ASSERT_EQ(message.rfind(kReadLead, 0), 0u) << message;
    ExpectEmpty();
  }
  // Whatever follows the document is not looked at.
  EXPECT_EQ(LoadBytes(good + "more"), "");
}

TEST_F(FakturaFileTest, CountsAndLengthsBeyondTheFileAreReadErrors) {
  FtvDocument d;
  d.lines = {FtvLine{}};
  const std::string good = FtvBytes(d, 8);
  // Offsets: the number "F1" is the first string; the line count follows the header.
  const size_t countAt = 2 + (4 + 2) + 7 * 4 + 4 * 4 + 3 * 8 + 8;
  ASSERT_EQ(ByteReader(good.substr(countAt, 4)).I32(), 1);
  auto with = [&](size_t at, int32_t value) {
    ByteWriter w;
    w.I32(value);
    std::string b = good;
    b.replace(at, 4, w.Data());
    return b;
  };
  const std::string truncated = kReadLead + std::string(TruncatedFileMessage());
  const std::string wrong = kReadLead + std::string("Nieprawidłowy format pliku faktury"_cp);
  EXPECT_EQ(LoadBytes(with(countAt, 0x7fffffff)), truncated);
  EXPECT_EQ(LoadBytes(with(countAt, 2)), truncated);
  EXPECT_EQ(LoadBytes(with(countAt, -1)), wrong);
  EXPECT_EQ(LoadBytes(with(2, 0x7fffffff)), truncated);  // length of the number
  EXPECT_EQ(LoadBytes(with(2, -5)), truncated);
  ExpectEmpty();

  // Damaged bytes anywhere: the file loads or fails with the reading error, nothing else.
  const std::string full = FtvBytes(testing::FullCorrection(), 8);
  std::mt19937 random(20270305);
  for (int round = 0; round < 1500; ++round) {
    std::string b = full;
    for (int k = 0; k < 1 + round % 4; ++k) b[random() % b.size()] = static_cast<char>(random());
    const std::string message = LoadBytes(b);
    if (!message.empty()) {
      ASSERT_EQ(message.rfind(kReadLead, 0), 0u) << message;
    }
  }
}

TEST_F(FakturaFileTest, SaveAsksBeforeReplacingAnotherFile) {
  doc.AddLine("Towar", "", 7, false, Currency::Of(10), 1, "", "", "szt.");
  const std::string other = dir.File("other.ftv");
  WriteBytes(other, "keep me");

  EXPECT_FALSE(doc.Save(other));  // the recorder answers No
  ASSERT_EQ(messages.messages.size(), 1u);
  const testing::RecordedMessage& q = messages.messages[0];
  EXPECT_EQ(q.caption, kAppTitle);
  EXPECT_EQ(q.text, "Plik \"" + other + "\"\r\n" +
                        std::string("już istnieje. Czy chcesz zastąpić istniejący plik?"_cp));
  EXPECT_EQ(q.icon, MsgIcon::Question);
  EXPECT_EQ(q.buttons, MsgButtons::YesNo);
  EXPECT_EQ(ReadBytes(other), "keep me");
  EXPECT_EQ(doc.FileName(), "");
  EXPECT_TRUE(doc.Modified());

  messages.answers.push_back(MsgResult::Yes);
  EXPECT_TRUE(doc.Save(other));
  EXPECT_EQ(ReadBytes(other).substr(0, 2), std::string("\x08\x00", 2));
  EXPECT_EQ(doc.FileName(), other);
  EXPECT_FALSE(doc.Modified());

  // The document's own file, named or not, is saved without a question.
  doc.SetNumber("F2");
  EXPECT_TRUE(doc.Save(other));
  EXPECT_TRUE(doc.Save(""));
  EXPECT_EQ(messages.messages.size(), 2u);
  // A new name that does not exist yet is not asked about either.
  EXPECT_TRUE(doc.Save(dir.File("new.ftv")));
  EXPECT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(ReadBytes(dir.File("new.ftv")), ReadBytes(other));
}

// Limits the size of files this process may write, so that writing fails part-way.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldSignal_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldSignal_);
  }

 private:
  rlimit old_{};
  sighandler_t oldSignal_;
};

TEST_F(FakturaFileTest, AFailedSaveKeepsThePreviousFile) {
  const std::string path = dir.File("f.ftv");
  doc.SetNumber("F1");
  ASSERT_TRUE(doc.Save(path));
  const std::string before = ReadBytes(path);

  doc.SetRemarks(std::string(4000, 'x'));
  std::string message;
  {
    FileSizeLimit limit(1024);
    try {
      doc.Save("");
    } catch (const Error& e) {
      message = e.Message();
    }
  }
  EXPECT_EQ(message.rfind(kSaveLead, 0), 0u) << message;
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_TRUE(doc.Modified());
  // The unfinished new file is gone.
  const std::filesystem::directory_iterator files(dir.path());
  EXPECT_EQ(std::distance(begin(files), end(files)), 1);

  // Under a new name the document keeps that name after the failure, still modified.
  message.clear();
  try {
    doc.Save(dir.File("missing/g.ftv"));
  } catch (const Error& e) {
    message = e.Message();
  }
  EXPECT_EQ(message, kSaveLead + std::string("Nie odnaleziono pliku lub folderu."_cp));
  EXPECT_EQ(doc.FileName(), dir.File("missing/g.ftv"));
  EXPECT_TRUE(doc.Modified());
}

}  // namespace
}  // namespace bilvox
