#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/app_info.h"
#include "common/cp1250.h"
#include "printout/texts.h"

namespace bilvox {
namespace {

std::string T(TextKey key) { return ToUtf8(Text(key)); }

template <size_t N>
std::vector<std::string> Utf8(const std::array<std::string, N>& list) {
  std::vector<std::string> v;
  for (const auto& s : list) v.push_back(ToUtf8(s));
  return v;
}

// The keys the English set leaves as the previous set left them.
const TextKey kEnglishUnset[] = {
    TextKey::ColUnitGross,   TextKey::ColGrossValue,     TextKey::LabelDeliveryDate,
    TextKey::TitleVatInvoiceMp, TextKey::TitleVatMargin, TextKey::LabelRemaining,
    TextKey::NoteCashMethod, TextKey::NoteReverseCharge, TextKey::NoteMarginTravel,
    TextKey::NoteMarginUsed, TextKey::NoteMarginArt,     TextKey::NoteMarginCollect,
};

bool InitialStateHolds() {
  bool ok = ActiveLanguage() == 0 && Text(TextKey::Seller).empty() &&
            Utf8(VatSummaryHeadings()) == std::vector<std::string>{"Według stawki VAT",
                                                                   "Obrót netto", "Kwota VAT",
                                                                   "Obrót brutto"};
  // Value 3 selects nothing but rebuilds the lists from the (still empty) slots.
  SelectTexts(3);
  return ok && ActiveLanguage() == 0 && Utf8(VatSummaryHeadings()) == std::vector<std::string>(4);
}

// The state before any selection is checked in a freshly started copy of the test program,
// whatever other tests of this process selected before.
TEST(PrintoutTextsDeathTest, BeforeTheFirstSelection) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(InitialStateHolds() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST(PrintoutTexts, EachSetAndItsLanguageCode) {
  SelectTexts(0);
  EXPECT_EQ(ActiveLanguage(), 0);
  EXPECT_EQ(T(TextKey::MarkOriginal), "oryginał");
  EXPECT_EQ(T(TextKey::IssuerSignature), "Podpis - pieczęć");
  EXPECT_EQ(T(TextKey::NoteMarginCollect),
            "Procedura marży – przedmioty kolekcjonerskie i antyki");
  SelectTexts(1);
  EXPECT_EQ(ActiveLanguage(), 1);
  EXPECT_EQ(T(TextKey::Seller), "Sprzedawca / Verkäufer");
  EXPECT_EQ(T(TextKey::IssuerSignature), "Podpis – pieczęć / Unterschrift - Stempel");
  EXPECT_EQ(Text(TextKey::IssuerSignature).substr(0, 9), "Podpis \x96 ");
  EXPECT_EQ(T(TextKey::LabelDeliveryDate),
            "Data zak. dostawy / wykonania usług\nLieferung / Leistung erbracht");
  EXPECT_EQ(T(TextKey::IssuerInvoice),
            "Osoba upoważniona do wystawienia faktury VAT /\r\ndie für die Ausstellung der "
            "MWSt.-Rechnung zuständige Person");
  SelectTexts(2);
  EXPECT_EQ(ActiveLanguage(), 2);
  EXPECT_EQ(T(TextKey::TitleBill), "Rechnung");
  EXPECT_EQ(T(TextKey::LabelRemaining), "Zusammen");
  SelectTexts(4);
  EXPECT_EQ(ActiveLanguage(), 4);
  EXPECT_EQ(T(TextKey::MarkCopy), "kopia / copy");
  EXPECT_EQ(T(TextKey::ReceiverSignature), "podpis");
}

TEST(PrintoutTexts, FooterEndsWithTheMakerTail) {
  const std::string tail =
      "  " + std::string(kAppTitle) + "  --  " + std::string(kProjectAddress) + " --";
  SelectTexts(0);
  EXPECT_EQ(T(TextKey::Footer), "-- Wydruk z programu Bilvox  --" + tail);
  SelectTexts(2);
  EXPECT_EQ(T(TextKey::Footer), "-- Bilvox  --" + tail);
  SelectTexts(4);
  EXPECT_EQ(T(TextKey::Footer), "-- Wydruk z programu Bilvox  --" + tail);
}

// Selects a set and then the English set; the keys English leaves alone keep their texts.
void ExpectEnglishKeepsTextsOf(int previous) {
  SelectTexts(previous);
  std::vector<std::string> before;
  for (TextKey k : kEnglishUnset) before.push_back(Text(k));
  SelectTexts(4);
  for (size_t i = 0; i < std::size(kEnglishUnset); ++i)
    EXPECT_EQ(Text(kEnglishUnset[i]), before[i]) << "after set " << previous << ", key " << i;
  EXPECT_EQ(T(TextKey::Seller), "Seller");
}

TEST(PrintoutTexts, EnglishKeepsThePreviousSetsTextsWhereItHasNone) {
  ExpectEnglishKeepsTextsOf(0);
  EXPECT_EQ(T(TextKey::ColUnitGross), "Cena jedn. brutto");
  ExpectEnglishKeepsTextsOf(2);
  EXPECT_EQ(T(TextKey::ColUnitGross), "Brutto Einheitspreis");
  EXPECT_EQ(T(TextKey::NoteCashMethod), "Kassenbuchführung");
  // Every slot has a text once any full set has been selected.
  for (int k = 0; k < kTextKeyCount; ++k) EXPECT_FALSE(Text(TextKey(k)).empty()) << k;
}

TEST(PrintoutTexts, ValueThreeAndOutOfRangeValuesChangeNothing) {
  SelectTexts(2);
  const std::string seller = Text(TextKey::Seller);
  SelectTexts(3);
  EXPECT_EQ(ActiveLanguage(), 2);
  EXPECT_EQ(Text(TextKey::Seller), seller);
  EXPECT_EQ(ToUtf8(VatSummaryHeadings()[0]), "Nach MwSt.-satz");
  SelectTexts(5);
  SelectTexts(-1);
  EXPECT_EQ(ActiveLanguage(), 2);
  EXPECT_EQ(Text(TextKey::Seller), seller);
}

TEST(PrintoutTexts, DerivedHeadingListsFollowEverySelection) {
  SelectTexts(2);
  EXPECT_EQ(Utf8(VatSummaryHeadings()),
            (std::vector<std::string>{"Nach MwSt.-satz", "Nettoumsatz", "MwSt.-betrag",
                                      "Bruttoumsatz"}));
  SelectTexts(1);
  EXPECT_EQ(ToUtf8(VatSummaryHeadings()[0]), "Nach MWSt.-satz");
  SelectTexts(0);
  EXPECT_EQ(Utf8(VatColumnHeadings()),
            (std::vector<std::string>{"L.p.", "Nazwa towaru / usługi", "PKWiU", "J.m.",
                                      "Ilość", "Cena jedn. netto", "Wartość netto",
                                      "Podatek VAT", "Stawka VAT", "Kwota VAT"}));
  EXPECT_EQ(Utf8(NoVatColumnHeadings()),
            (std::vector<std::string>{"L.p.", "Nazwa towaru / usługi", "J.m.", "Ilość",
                                      "Cena jednostkowa", "Wartość"}));
  EXPECT_EQ(Utf8(VatSummaryHeadings()),
            (std::vector<std::string>{"Według stawki VAT", "Netto", "Kwota VAT", "Brutto"}));
  SelectTexts(4);
  EXPECT_EQ(Utf8(NoVatColumnHeadings()),
            (std::vector<std::string>{"No.", "Product name", "Unit", "Qty", "Unit price",
                                      "Total price"}));
}

}  // namespace
}  // namespace bilvox
