#include "printout/texts.h"

#include <string_view>

#include "common/app_info.h"
#include "common/cp1250.h"

namespace bilvox {

namespace {

// One key's text in each set. An empty text means the set leaves the slot as the previously
// selected set left it.
struct Row {
  TextKey key;
  std::string_view polish, polishGerman, german, english;
};

// Printed after each set's footer text: the maker's name and address.
std::string MakerTail() {
  return "  " + std::string(kAppTitle) + "  --  " + std::string(kProjectAddress) + " --";
}

constexpr Row kRows[] = {
    {TextKey::MarkOriginal, "oryginał"_cp, "oryginał / original"_cp, "original", "oryginał / original"_cp},
    {TextKey::MarkCopy, "kopia", "kopia / kopie", "kopie", "kopia / copy"},
    {TextKey::Translation, "Tłumaczenie"_cp, "Tłumaczenie / Übersetzung"_cp, "Übersetzung"_cp, "Tłumaczenie / translation"_cp},
    {TextKey::LabelCurrency, "Waluta", "Waluta / Währung"_cp, "Währung"_cp, "Waluta"},
    {TextKey::LabelRate, "Kurs", "Kurs", "Kurs", "Kurs"},
    {TextKey::Seller, "Sprzedawca", "Sprzedawca / Verkäufer"_cp, "Verkäufer"_cp, "Seller"},
    {TextKey::Buyer, "Nabywca", "Nabywca / Käufer"_cp, "Käufer"_cp, "Buyer"},
    {TextKey::TaxId, "NIP", "Ust-IdNr", "Ust-IdNr", "VAT Id"},
    {TextKey::ColNo, "L.p.", "Ifd.nr", "Ifd.nr", "No."},
    {TextKey::ColName, "Nazwa towaru / usługi"_cp, "Bezeichnung der Ware oder Dienstleistung", "Bezeichnung der Ware oder Dienstleistung", "Product name"},
    {TextKey::ColPkwiu, "PKWiU", "PKWiU", "PKWiU", "PKWiU"},
    {TextKey::ColUnit, "J.m.", "ME", "ME", "Unit"},
    {TextKey::ColQty, "Ilość"_cp, "Menge", "Menge", "Qty"},
    {TextKey::ColUnitNet, "Cena jedn. netto", "Einheitspreis", "Einheitspreis", "Unit net price"},
    {TextKey::ColNetValue, "Wartość netto"_cp, "Nettobetrag", "Nettobetrag", "Total net price"},
    {TextKey::ColUnitGross, "Cena jedn. brutto", "Brutto Einheitspreis", "Brutto Einheitspreis", ""},
    {TextKey::ColGrossValue, "Wartość brutto"_cp, "Bruttobetrag", "Bruttobetrag", ""},
    {TextKey::ColVat, "Podatek VAT", "MwSt.", "MwSt.", "VAT"},
    {TextKey::ColVatRate, "Stawka VAT", "MwSt.-satz", "MwSt.-satz", "VAT rate"},
    {TextKey::ColVatAmount, "Kwota VAT", "MwSt.-betrag", "MwSt.-betrag", "VAT amount"},
    {TextKey::ColUnitPrice, "Cena jednostkowa", "Einheitspreis", "Einheitspreis", "Unit price"},
    {TextKey::ColValue, "Wartość"_cp, "Betrag", "Betrag", "Total price"},
    {TextKey::RateExempt, "zwoln.", "zwoln.", "zwoln.", "tax-exempt"},
    {TextKey::RateNotSubject, "nie podl. opod.", "nie podl. opod.", "nie podl. opod.", "nie podl. opod."},
    {TextKey::SumByRate, "Według stawki VAT"_cp, "Nach MWSt.-satz", "Nach MwSt.-satz", "According to VAT rate"},
    {TextKey::SumNet, "Netto", "Nettoumsatz", "Nettoumsatz", "Net turnover"},
    {TextKey::SumGross, "Brutto", "Bruttoumsatz", "Bruttoumsatz", "Gross turnover"},
    {TextKey::SumTotal, "Razem", "Zusammeen", "Zusammeen", "Total"},
    {TextKey::LabelPlaceOfIssue, "Miejsce wystawienia", "Miejsce wystawienia / Ausstellungsort", "Ausstellungsort", "Miejsce wystawienia"},
    {TextKey::LabelIssueDate, "Data wystawienia", "Data wystawienia / Ausstellungsdatum", "Ausstellungsdatum", "Data wystawienia"},
    {TextKey::LabelSaleDate, "Data sprzedaży"_cp, "Data sprzedaży / Verkaufsdatum"_cp, "Verkaufsdatum", "Data sprzedaży"_cp},
    {TextKey::LabelDeliveryDate, "Data zak. dostawy / wykonania usług"_cp, "Data zak. dostawy / wykonania usług\nLieferung / Leistung erbracht"_cp, "Lieferung / Leistung erbracht", ""},
    {TextKey::TitleProForma, "Faktura pro forma", "Faktura pro forma", "Faktura pro forma", "Pro forma invoice"},
    {TextKey::TitleVatInvoice, "Faktura VAT", "Faktura VAT / MwSt.-Rechnung", "Faktura VAT / MwSt.-Rechnung", "VAT invoice"},
    {TextKey::TitleVatInvoiceMp, "Faktura VAT - MP", "Faktura VAT - MP / MwSt.-Rechnung", "Faktura VAT - MP / MwSt.-Rechnung", ""},
    {TextKey::TitleVatMargin, "Faktura VAT marża"_cp, "Faktura VAT marża / MwSt.-Rechnung"_cp, "Faktura VAT marża / MwSt.-Rechnung"_cp, ""},
    {TextKey::TitleInvoice, "Faktura", "Faktura / Rechnung", "Rechnung", "Invoice"},
    {TextKey::TitleBill, "Rachunek", "Rachunek", "Rechnung", "Receipt"},
    {TextKey::TitleCorrection, "Faktura korygująca"_cp, "Faktura korygująca"_cp, "Faktura korygująca"_cp, "Correcting invoice"},
    {TextKey::TitleCorrectionNote, "Nota korygująca"_cp, "Nota korygująca"_cp, "Nota korygująca"_cp, "Nota korygująca"_cp},
    {TextKey::RefersTo, "dotyczy faktury VAT", "dotyczy faktury VAT", "dotyczy faktury VAT", "dotyczy faktury VAT"},
    {TextKey::Before, "BYŁO"_cp, "BYŁO"_cp, "BYŁO"_cp, "BYŁO"_cp},
    {TextKey::After, "POWINNO BYĆ"_cp, "POWINNO BYĆ"_cp, "POWINNO BYĆ"_cp, "POWINNO BYĆ"_cp},
    {TextKey::LabelAmountDue, "Do zapłaty"_cp, "Zusammen", "Zusammen", "Do zapłaty"_cp},
    {TextKey::LabelRemaining, "Pozostało"_cp, "Zusammen", "Zusammen", ""},
    {TextKey::LabelInWords, "Słownie"_cp, "In Worten", "In Worten", "In words"},
    {TextKey::LabelPaymentForm, "Forma płatności"_cp, "Zahlungsweise", "Zahlungsweise", "Payment kind"},
    {TextKey::LabelPaid, "Zapłacono"_cp, "Bezahlt", "Bezahlt", "Zapłacono"_cp},
    {TextKey::LabelDueDate, "Termin płatności"_cp, "Zahlungstermin", "Zahlungstermin", "Termin płatności"_cp},
    {TextKey::IssuerInvoice, "Osoba upoważniona do wystawienia faktury VAT"_cp,
     "Osoba upoważniona do wystawienia faktury VAT /\r\ndie für die Ausstellung der MWSt.-Rechnung zuständige Person"_cp,
     "die für die Ausstellung der MWSt.-Rechnung zuständige Person"_cp,
     "Osoba upoważniona do wystawienia faktury VAT"_cp},
    {TextKey::ReceiverInvoice, "Osoba upoważniona do odbioru faktury VAT"_cp,
     "Osoba upoważniona do odbioru faktury VAT /\r\ndie für die Empfang der MWSt.-Rechnung zuständige Person"_cp,
     "die für die Empfang der MWSt.-Rechnung zuständige Person"_cp,
     "Osoba upoważniona do odbioru faktury VAT"_cp},
    {TextKey::IssuerBill, "Osoba upoważniona do wystawienia rachunku"_cp, "Osoba upoważniona do wystawienia rachunku"_cp,
     "Osoba upoważniona do wystawienia rachunku"_cp, "Osoba upoważniona do wystawienia rachunku"_cp},
    {TextKey::ReceiverBill, "Osoba upoważniona do odbioru rachunku"_cp, "Osoba upoważniona do odbioru rachunku"_cp,
     "Osoba upoważniona do odbioru rachunku"_cp, "Osoba upoważniona do odbioru rachunku"_cp},
    {TextKey::IssuerSignature, "Podpis - pieczęć"_cp, "Podpis – pieczęć / Unterschrift - Stempel"_cp, "Unterschrift - Stempel", "podpis i pieczęć"_cp},
    {TextKey::ReceiverSignature, "Podpis - pieczęć"_cp, "Podpis – pieczęć / Unterschrift - Stempel"_cp, "Unterschrift - Stempel", "podpis"},
    {TextKey::LabelRemarks, "Uwagi", "Uwagi", "Uwagi", "Comments"},
    // The maker tail is appended when the set is selected.
    {TextKey::Footer, "-- Wydruk z programu Bilvox  --", "-- Wydruk z programu Bilvox  --", "-- Bilvox  --", "-- Wydruk z programu Bilvox  --"},
    {TextKey::NoteCashMethod, "Metoda kasowa", "Metoda kasowa / Kassenbuchführung"_cp, "Kassenbuchführung"_cp, ""},
    {TextKey::NoteReverseCharge, "Odwrotne obciążenie"_cp, "Odwrotne obciążenie / Steuerschuldnerschaft des Leistungsempfängers"_cp,
     "Steuerschuldnerschaft des Leistungsempfängers"_cp, ""},
    {TextKey::NoteMarginTravel, "Procedura marży dla biur podróży"_cp, "Procedura marży dla biur podróży / Sonderregelung für Reisebüros"_cp,
     "Sonderregelung für Reisebüros"_cp, ""},
    {TextKey::NoteMarginUsed, "Procedura marży – towary używane"_cp, "Procedura marży – towary używane / Gebrauchtgegenstände/Sonderregelung"_cp,
     "Gebrauchtgegenstände/Sonderregelung"_cp, ""},
    {TextKey::NoteMarginArt, "Procedura marży – dzieła sztuki"_cp, "Procedura marży – dzieła sztuki / Kunstgegenstände/Sonderregelung"_cp,
     "Kunstgegenstände/Sonderregelung"_cp, ""},
    {TextKey::NoteMarginCollect, "Procedura marży – przedmioty kolekcjonerskie i antyki"_cp,
     "Procedura marży – przedmioty kolekcjonerskie i antyki / Sammlungsstücke und Antiquitäten/Sonderregelung"_cp,
     "Sammlungsstücke und Antiquitäten/Sonderregelung"_cp, ""},
};

constexpr bool RowsInKeyOrder() {
  int i = 0;
  for (const Row& row : kRows)
    if (static_cast<int>(row.key) != i++) return false;
  return i == kTextKeyCount;
}
static_assert(RowsInKeyOrder(), "one row per key, in key order");

struct TextState {
  int active = 0;
  std::array<std::string, kTextKeyCount> slots;
  std::array<std::string, 10> vatHeadings;
  std::array<std::string, 6> noVatHeadings;
  std::array<std::string, 4> summaryHeadings = {
      std::string("Według stawki VAT"_cp), std::string("Obrót netto"_cp), "Kwota VAT",
      std::string("Obrót brutto"_cp)};
};

TextState& State() {
  static TextState state;
  return state;
}

void RebuildHeadings(TextState& s) {
  auto t = [&s](TextKey k) { return s.slots[static_cast<int>(k)]; };
  s.vatHeadings = {t(TextKey::ColNo),      t(TextKey::ColName),     t(TextKey::ColPkwiu),
                   t(TextKey::ColUnit),    t(TextKey::ColQty),      t(TextKey::ColUnitNet),
                   t(TextKey::ColNetValue), t(TextKey::ColVat),     t(TextKey::ColVatRate),
                   t(TextKey::ColVatAmount)};
  s.noVatHeadings = {t(TextKey::ColNo),  t(TextKey::ColName),      t(TextKey::ColUnit),
                     t(TextKey::ColQty), t(TextKey::ColUnitPrice), t(TextKey::ColValue)};
  s.summaryHeadings = {t(TextKey::SumByRate), t(TextKey::SumNet), t(TextKey::ColVatAmount),
                       t(TextKey::SumGross)};
}

}  // namespace

void SelectTexts(int language) {
  if (language < 0 || language > 4) return;
  TextState& s = State();
  if (language != 3) {
    s.active = language;
    for (const Row& row : kRows) {
      std::string_view text = language == 0   ? row.polish
                              : language == 1 ? row.polishGerman
                              : language == 2 ? row.german
                                              : row.english;
      if (text.empty()) continue;
      std::string& slot = s.slots[static_cast<int>(row.key)];
      slot = text;
      if (row.key == TextKey::Footer) slot += MakerTail();
    }
  }
  RebuildHeadings(s);
}

const std::string& Text(TextKey key) { return State().slots[static_cast<int>(key)]; }

int ActiveLanguage() { return State().active; }

const std::array<std::string, 10>& VatColumnHeadings() { return State().vatHeadings; }
const std::array<std::string, 6>& NoVatColumnHeadings() { return State().noVatHeadings; }
const std::array<std::string, 4>& VatSummaryHeadings() { return State().summaryHeadings; }

}  // namespace bilvox
