// A document as an FA(3) invoice: header, seller and buyer, the invoice part with its sums by
// rate, annotations, lines and payment, and the remarks in the footer. Every amount is the
// one the printed page shows (the document's own sums, rounded to grosze); texts are checked
// against the lengths KSeF takes and refused, never cut.
#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "common/app_info.h"
#include "common/error.h"
#include "document/faktura.h"
#include "ksef/ksef.h"
#include "ksef/ksef_internal.h"

namespace bilvox {

namespace {

constexpr const char* kNamespace = "http://crd.gov.pl/wzor/2025/06/25/13775/";
constexpr size_t kMaxRows = 10000;   // FaWiersz
constexpr size_t kMaxText = 256;     // most texts
constexpr size_t kMaxName = 512;     // names and address lines
constexpr size_t kMaxCode = 50;      // PKWiU
constexpr size_t kMaxFooter = 3500;  // footer paragraphs

// How the document's lines and sums are shown.
enum class Mode {
  Vat,         // sums by rate with their tax
  WithoutVat,  // an invoice without VAT settlement: sales exempt (or not subject to) tax
  Margin,      // the margin procedure: one sum, lines at gross values without rates
};

std::string Quoted(std::string_view s) { return "„"_cp + std::string(s) + "”"_cp; }

[[noreturn]] void Refuse(std::string_view message) { throw Error(std::string(message)); }

// Bytes no XML file may hold, and the five that Windows-1250 leaves undefined.
bool IsControl(unsigned char c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F || c == 0x81 ||
         c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
}

void CheckText(std::string_view text, std::string_view field, size_t length, size_t max) {
  if (std::any_of(text.begin(), text.end(), [](char c) { return IsControl(c); }))
    Refuse("Pole "_cp + Quoted(field) +
           " zawiera znaki sterujące, których nie można zapisać w pliku KSeF."_cp);
  if (length > max)
    Refuse("Pole "_cp + Quoted(field) + " ma " + std::to_string(length) +
           " znaków, a KSeF przyjmuje najwyżej "_cp + std::to_string(max) + ". Skróć je."_cp);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A one-line text as KSeF reads it: line breaks and runs of blanks become one space, the
// ends are trimmed. May be empty; the caller decides whether that is allowed.
std::string OneLine(std::string_view text, std::string_view field, size_t max) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (IsBlank(c)) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  CheckText(text, field, out.size(), max);
  return out;
}

// A text of several lines (line feeds only), trimmed at its ends.
std::string Paragraphs(std::string_view text, std::string_view field, size_t max) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') continue;
      out += '\n';
    } else {
      out += text[i];
    }
  }
  out = Trim(out);
  CheckText(out, field, out.size(), max);
  return out;
}

// The lines of an address memo without empty ones, each on one line.
std::vector<std::string> AddressLines(std::string_view text, std::string_view field) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = OneLine(text.substr(start, end - start), field, SIZE_MAX);
    if (!line.empty()) lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// Two decimals, full stop: "-61.50".
std::string Amount(Currency c) {
  const int64_t raw = RoundGrosz(c).raw;
  const uint64_t u = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  char text[32];
  std::snprintf(text, sizeof text, "%s%llu.%02llu", raw < 0 ? "-" : "",
                static_cast<unsigned long long>(u / 10000),
                static_cast<unsigned long long>(u % 10000 / 100));
  return text;
}

// Two to four decimals, as few as show the value exactly: "8.99", "8.9955".
std::string Price(Currency c) {
  const uint64_t u = c.raw < 0 ? 0 - static_cast<uint64_t>(c.raw) : static_cast<uint64_t>(c.raw);
  const uint64_t fraction = u % 10000;
  char text[32];
  if (fraction % 100 == 0)
    std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(u / 10000),
                  static_cast<unsigned long long>(fraction / 100));
  else if (fraction % 10 == 0)
    std::snprintf(text, sizeof text, "%llu.%03llu", static_cast<unsigned long long>(u / 10000),
                  static_cast<unsigned long long>(fraction / 10));
  else
    std::snprintf(text, sizeof text, "%llu.%04llu", static_cast<unsigned long long>(u / 10000),
                  static_cast<unsigned long long>(fraction));
  return (c.raw < 0 ? "-" : "") + std::string(text);
}

std::string DateText(TDate date) { return IsoDateText(CalendarDate(date)); }

bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

// What the user typed without "PL" in front, blanks, "-" and "/".
std::string NipDigits(std::string_view typed) {
  std::string t = AsciiUpper(Trim(typed));
  if (t.rfind("PL", 0) == 0) t.erase(0, 2);
  std::string out;
  for (char c : t)
    if (c != ' ' && c != '-' && c != '/') out += c;
  return out;
}

// Ten digits with a valid check digit, in the form the schema takes (which refuses a few
// numbers with a valid check digit: a leading 0, or 0 in both the second and third place).
std::optional<std::string> PolishNip(std::string_view typed) {
  const std::string d = NipDigits(typed);
  if (d.size() != 10 || !IsDigits(d) || !NipValid(typed)) return std::nullopt;
  if (d[0] == '0' || (d[1] == '0' && d[2] == '0')) return std::nullopt;
  return d;
}

constexpr std::array<std::string_view, 27> kEuPrefixes = {
    "AT", "BE", "BG", "CY", "CZ", "DK", "EE", "FI", "FR", "DE", "EL", "HR", "HU", "IE",
    "IT", "LV", "LT", "LU", "MT", "NL", "PT", "RO", "SK", "SI", "ES", "SE", "XI"};

struct BuyerId {
  enum Kind { None, Nip, Eu, Other } kind = None;
  std::string number;   // NIP, EU VAT number (without prefix) or other tax number
  std::string country;  // EU prefix, or the country of an other tax number
};

BuyerId BuyerIdentity(std::string_view typed) {
  const std::string t = AsciiUpper(Trim(typed));
  if (t.empty()) return {};
  if (auto nip = PolishNip(typed)) return {BuyerId::Nip, *nip, "PL"};
  const std::string digits = NipDigits(typed);
  if (digits.size() == 10 && IsDigits(digits))
    Refuse("NIP nabywcy "_cp + Quoted(typed) +
           " jest niepoprawny. Popraw go, a jeśli nabywca jest konsumentem bez NIP, usuń go."_cp);
  if (t.size() > 2 && IsLetter(t[0]) && IsLetter(t[1]) && t.compare(0, 2, "PL") != 0) {
    const std::string prefix = t.substr(0, 2);
    std::string rest;
    for (char c : std::string_view(t).substr(2))
      if (c != ' ' && c != '-' && c != '/' && c != '.') rest += c;
    // A tax number has digits; "BRAK" (none) or a word is no number at all.
    if (std::none_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return {};
    const bool euForm = rest.size() <= 12 &&
                        std::all_of(rest.begin(), rest.end(), [](char c) {
                          return IsLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '*';
                        });
    if (euForm && std::find(kEuPrefixes.begin(), kEuPrefixes.end(), prefix) != kEuPrefixes.end())
      return {BuyerId::Eu, rest, prefix};
    const std::string number = OneLine(prefix + rest, "NIP nabywcy"_cp, 50);
    return {BuyerId::Other, number, prefix};
  }
  return {};  // a consumer: whatever else was typed is no tax number
}

// The address country of a buyer identified by an EU VAT number (whose prefixes for Greece
// and Northern Ireland are not country codes).
std::string AddressCountry(const BuyerId& id) {
  if (id.kind == BuyerId::None || id.kind == BuyerId::Nip) return "PL";
  if (id.country == "EL") return "GR";
  if (id.country == "XI") return "GB";
  return id.country;
}

// A rate of the document's table as the schema writes it; null for the key of all rates.
const char* RateCode(int index) {
  switch (index) {
    case 0: return "22";
    case 1: return "7";
    case 2: return "3";
    case 3: return "0 KR";  // domestic 0 %
    case 4: return "zw";
    case 5: return "np I";
    case 7: return "23";
    case 8: return "8";
    case 9: return "5";
    default: return nullptr;
  }
}

// The fields of a sum by rate and the rate indexes summed into them.
struct RateSum {
  const char* net;
  const char* vat;     // null: no tax at these rates
  const char* vatPln;  // the tax in złoty on a foreign-currency invoice
  std::vector<int> indexes;
};

std::vector<RateSum> RateSums(Mode mode) {
  if (mode == Mode::WithoutVat) return {{"P_13_7", nullptr, nullptr, {3, 4}}, {"P_13_8", nullptr, nullptr, {5}}};
  return {{"P_13_1", "P_14_1", "P_14_1W", {0, 7}},  {"P_13_2", "P_14_2", "P_14_2W", {1, 8}},
          {"P_13_3", "P_14_3", "P_14_3W", {2, 9}},  {"P_13_6_1", nullptr, nullptr, {3}},
          {"P_13_7", nullptr, nullptr, {4}},        {"P_13_8", nullptr, nullptr, {5}}};
}

// One FaWiersz: a line of the document, or of the corrected invoice in a correction.
struct Row {
  const TTowar* line;
  int position;  // 1-based, within its list
  bool before;   // the state before correction
};

std::string RowField(std::string_view what, const Row& row) {
  return std::string(what) + " w pozycji "_cp + std::to_string(row.position) +
         (row.before ? " przed korektą"_cp : "");
}

// The table index of a line's rate; refuses a rate that is not in the table.
int RateIndex(const Row& row) {
  const int index = row.line->GetVatIndex();
  if (index == kVatIndexAll || VatRateTable[index] != row.line->VatRate)
    Refuse("Pozycja "_cp + std::to_string(row.position) + (row.before ? " przed korektą"_cp : "") +
           " ma stawkę VAT spoza wykazu stawek programu; wybierz ją ponownie."_cp);
  return index;
}

std::string QuantityText(const Row& row) {
  const double q = row.line->Quantity;
  char text[400];
  const auto [end, ec] = std::isfinite(q)
                             ? std::to_chars(text, text + sizeof text, q, std::chars_format::fixed)
                             : std::to_chars_result{text, std::errc::value_too_large};
  std::string s = ec == std::errc{} ? std::string(text, end) : std::string("?");
  if (s == "-0") s = "0";
  const size_t dot = s.find('.');
  const size_t decimals = dot == std::string::npos ? 0 : s.size() - dot - 1;
  const size_t whole = (dot == std::string::npos ? s.size() : dot) - (s[0] == '-' ? 1 : 0);
  if (ec != std::errc{} || decimals > 6 || whole > 16)
    Refuse("Pole "_cp + Quoted(RowField("ilość"_cp, row)) + " (" + s +
           ") nie mieści się w KSeF: najwyżej 16 cyfr przed przecinkiem i 6 po nim."_cp);
  return s;
}

Currency PlnVat(Currency vat, Currency rate) {
  return RoundGrosz(
      Currency::FromRaw(RoundRaw(static_cast<long double>(vat.raw) * rate.raw / 10000.0L)));
}

// The tree under construction, in the FA(3) namespace; texts are given in Windows-1250.
class XmlTree {
 public:
  XmlTree() : doc_(xmlNewDoc(BAD_CAST "1.0")) {
    root_ = xmlNewNode(nullptr, BAD_CAST "Faktura");
    ns_ = xmlNewNs(root_, BAD_CAST kNamespace, nullptr);
    xmlSetNs(root_, ns_);
    xmlDocSetRootElement(doc_, root_);
  }
  ~XmlTree() { xmlFreeDoc(doc_); }
  XmlTree(const XmlTree&) = delete;
  XmlTree& operator=(const XmlTree&) = delete;

  xmlNode* Root() const { return root_; }
  xmlNode* Add(xmlNode* parent, const char* name) {
    return Checked(xmlNewChild(parent, ns_, BAD_CAST name, nullptr));
  }
  xmlNode* Text(xmlNode* parent, const char* name, std::string_view cp1250) {
    return Checked(xmlNewTextChild(parent, ns_, BAD_CAST name, BAD_CAST ToUtf8(cp1250).c_str()));
  }
  std::string Bytes() const {
    xmlChar* buffer = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc_, &buffer, &size, "UTF-8", 1);
    if (buffer == nullptr) throw Error(std::string("Brak pamięci na plik XML."_cp));
    std::string bytes(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    xmlFree(buffer);
    return bytes;
  }

 private:
  static xmlNode* Checked(xmlNode* node) {
    if (node == nullptr) throw Error(std::string("Brak pamięci na plik XML."_cp));
    return node;
  }

  xmlDoc* doc_;
  xmlNode* root_ = nullptr;
  xmlNs* ns_ = nullptr;
};

class Builder {
 public:
  Builder(const TFaktura& doc, const KsefOptions& options) : doc_(doc), o_(options) {}

  std::string Build() {
    if (std::string refusal = KsefKindRefusal(doc_); !refusal.empty()) Refuse(refusal);
    if (const int code = doc_.Validate(); code != kValidOk && code < 100)
      Refuse(std::string(ValidationMessage(code)));
    mode_ = doc_.VatInvoiceType() == kVatTypeMargin     ? Mode::Margin
            : doc_.VatInvoiceType() == kVatTypeWithoutVat ? Mode::WithoutVat
                                                          : Mode::Vat;
    foreign_ = doc_.CurrencyCode() != "PLN";
    CollectRows();

    Header();
    Seller();
    Buyer();
    Invoice();
    Footer();
    return tree_.Bytes();
  }

 private:
  void CollectRows() {
    const int after = doc_.LineCount();
    const int before = doc_.IsCorrection() ? doc_.PriorLineCount() : 0;
    // A correction shows each line before and after it, pair by pair; lines added by the
    // correction follow.
    for (int i = 0; i < std::max(before, after); ++i) {
      if (i < before) rows_.push_back({&doc_.PriorLine(i), i + 1, true});
      if (i < after) rows_.push_back({&doc_.Line(i), i + 1, false});
    }
    if (rows_.size() > kMaxRows)
      Refuse("Dokument ma "_cp + std::to_string(rows_.size()) +
             (doc_.IsCorrection() ? " wierszy pozycji (przed korektą i po niej)"_cp
                                  : " pozycji"_cp) +
             ", a KSeF przyjmuje najwyżej 10 000."_cp);
    for (const Row& row : rows_) {
      if (mode_ == Mode::Margin) continue;
      const int index = RateIndex(row);
      if (mode_ == Mode::WithoutVat && index != 3 && index != 4 && index != 5)
        Refuse("Faktura bez rozliczenia VAT nie może mieć pozycji ze stawką VAT (pozycja "_cp +
               std::to_string(row.position) + (row.before ? " przed korektą"_cp : "") +
               "). Zmień jej stawkę albo typ faktury."_cp);
      ratesUsed_[index] = true;
    }
    // Exempt sales need their legal basis; without VAT settlement a 0 % line is exempt too.
    exempt_ = ratesUsed_[4] || (mode_ == Mode::WithoutVat && ratesUsed_[3]);
  }

  void Header() {
    xmlNode* h = tree_.Add(tree_.Root(), "Naglowek");
    xmlNode* code = tree_.Text(h, "KodFormularza", "FA");
    xmlNewProp(code, BAD_CAST "kodSystemowy", BAD_CAST "FA (3)");
    xmlNewProp(code, BAD_CAST "wersjaSchemy", BAD_CAST "1-0E");
    tree_.Text(h, "WariantFormularza", "3");
    tree_.Text(h, "DataWytworzeniaFa",
               o_.creationTime.empty() ? KsefCreationTimeNow() : o_.creationTime);
    tree_.Text(h, "SystemInfo", std::string(kAppTitle) + " " + std::string(kAppVersion));
  }

  void Address(xmlNode* parent, std::string_view text, const std::string& country,
               std::string_view field) {
    const std::vector<std::string> lines = AddressLines(text, field);
    if (lines.empty()) return;
    std::string rest;
    for (size_t i = 1; i < lines.size(); ++i) rest += (i > 1 ? ", " : "") + lines[i];
    CheckText(lines[0], field, lines[0].size(), kMaxName);
    CheckText(rest, field, rest.size(), kMaxName);
    xmlNode* a = tree_.Add(parent, "Adres");
    tree_.Text(a, "KodKraju", country);
    tree_.Text(a, "AdresL1", lines[0]);
    if (!rest.empty()) tree_.Text(a, "AdresL2", rest);
  }

  void Seller() {
    const std::optional<std::string> nip = PolishNip(doc_.SellerNIP());
    if (!nip)
      Refuse("NIP sprzedawcy "_cp + Quoted(doc_.SellerNIP()) +
             " nie jest poprawnym polskim numerem NIP, a faktura w KSeF go wymaga."_cp);
    const std::string name = OneLine(doc_.SellerName(), "nazwa sprzedawcy"_cp, kMaxName);
    if (name.empty()) Refuse("Brak nazwy sprzedawcy."_cp);
    if (AddressLines(doc_.SellerAddress(), "adres sprzedawcy"_cp).empty())
      Refuse("Brak adresu sprzedawcy."_cp);

    xmlNode* p = tree_.Add(tree_.Root(), "Podmiot1");
    xmlNode* id = tree_.Add(p, "DaneIdentyfikacyjne");
    tree_.Text(id, "NIP", *nip);
    tree_.Text(id, "Nazwa", name);
    Address(p, doc_.SellerAddress(), "PL", "adres sprzedawcy"_cp);
  }

  void Buyer() {
    const BuyerId buyer = BuyerIdentity(doc_.BuyerNIP());
    const std::string name = OneLine(doc_.BuyerName(), "nazwa nabywcy"_cp, kMaxName);
    xmlNode* p = tree_.Add(tree_.Root(), "Podmiot2");
    xmlNode* id = tree_.Add(p, "DaneIdentyfikacyjne");
    switch (buyer.kind) {
      case BuyerId::Nip: tree_.Text(id, "NIP", buyer.number); break;
      case BuyerId::Eu:
        tree_.Text(id, "KodUE", buyer.country);
        tree_.Text(id, "NrVatUE", buyer.number);
        break;
      case BuyerId::Other: tree_.Text(id, "NrID", buyer.number); break;
      case BuyerId::None: tree_.Text(id, "BrakID", "1"); break;
    }
    if (!name.empty()) tree_.Text(id, "Nazwa", name);
    Address(p, doc_.BuyerAddress(), AddressCountry(buyer), "adres nabywcy"_cp);
    tree_.Text(p, "JST", "2");
    tree_.Text(p, "GV", "2");
  }

  void Invoice() {
    xmlNode* fa = tree_.Add(tree_.Root(), "Fa");
    tree_.Text(fa, "KodWaluty", doc_.CurrencyCode());
    tree_.Text(fa, "P_1", DateText(doc_.IssueDate()));
    if (std::string place = OneLine(doc_.PlaceOfIssue(), "miejsce wystawienia"_cp, kMaxText);
        !place.empty())
      tree_.Text(fa, "P_1M", place);
    const std::string number = OneLine(doc_.Number(), "numer dokumentu"_cp, kMaxText);
    if (number.empty()) Refuse("Dokument nie ma numeru."_cp);
    tree_.Text(fa, "P_2", number);
    SaleDate(fa);
    Sums(fa);
    tree_.Text(fa, "P_15", Amount(doc_.AmountDue()));
    Annotations(fa);
    tree_.Text(fa, "RodzajFaktury", doc_.IsCorrection() ? "KOR" : "VAT");
    if (doc_.IsCorrection()) Corrected(fa);
    for (size_t i = 0; i < rows_.size(); ++i) Line(fa, rows_[i], i + 1);
    Payment(fa);
  }

  void SaleDate(xmlNode* fa) {
    if (!doc_.ContinuousSale()) {
      tree_.Text(fa, "P_6", DateText(doc_.SaleDate()));
      return;
    }
    // A continuous sale is dated by its month.
    const Ymd sale = CalendarDate(doc_.SaleDate());
    Ymd last{sale.year, sale.month, 31};
    while (last.day > 28 && !IsValidDate(last.year, last.month, last.day)) --last.day;
    xmlNode* period = tree_.Add(fa, "OkresFa");
    tree_.Text(period, "P_6_Od", IsoDateText({sale.year, sale.month, 1}));
    tree_.Text(period, "P_6_Do", IsoDateText(last));
  }

  void Sums(xmlNode* fa) {
    if (mode_ == Mode::Margin) {
      tree_.Text(fa, "P_13_11", Amount(doc_.AmountDue()));
      return;
    }
    for (const RateSum& s : RateSums(mode_)) {
      if (std::none_of(s.indexes.begin(), s.indexes.end(), [&](int i) { return ratesUsed_[i]; }))
        continue;
      Currency net, vat, vatPln;
      for (int i : s.indexes) {
        net += doc_.NetSum(i);
        vat += doc_.VatSum(i);
        vatPln += PlnVat(doc_.VatSum(i), doc_.ExchangeRate());
      }
      tree_.Text(fa, s.net, Amount(net));
      if (s.vat == nullptr) continue;
      tree_.Text(fa, s.vat, Amount(vat));
      if (foreign_) {
        if (doc_.ExchangeRate() <= Currency{})
          Refuse("Faktura w walucie "_cp + doc_.CurrencyCode() +
                 " nie ma kursu waluty, a KSeF wymaga kwot VAT także w złotych."_cp);
        tree_.Text(fa, s.vatPln, Amount(vatPln));
      }
    }
  }

  void Annotations(xmlNode* fa) {
    xmlNode* a = tree_.Add(fa, "Adnotacje");
    tree_.Text(a, "P_16", doc_.VatInvoiceType() == kVatTypeVatMp ? "1" : "2");  // cash method
    tree_.Text(a, "P_17", "2");   // not self-billed
    tree_.Text(a, "P_18", "2");   // no reverse charge
    tree_.Text(a, "P_18A", "2");  // split payment not applied
    xmlNode* exempt = tree_.Add(a, "Zwolnienie");
    if (exempt_) {
      const std::string basis =
          OneLine(o_.exemptBasis, "podstawa zwolnienia z VAT (ustawienia)"_cp,
                  kExemptBasisMaxLength);
      if (basis.empty())
        Refuse("Dokument ma sprzedaż zwolnioną z VAT: podaj w ustawieniach podstawę prawną "
               "zwolnienia."_cp);
      tree_.Text(exempt, "P_19", "1");
      tree_.Text(exempt, "P_19A", basis);
    } else {
      tree_.Text(exempt, "P_19N", "1");
    }
    tree_.Text(tree_.Add(a, "NoweSrodkiTransportu"), "P_22N", "1");
    tree_.Text(a, "P_23", "2");
    xmlNode* margin = tree_.Add(a, "PMarzy");
    if (mode_ != Mode::Margin) {
      tree_.Text(margin, "P_PMarzyN", "1");
      return;
    }
    static constexpr const char* kProcedures[] = {"P_PMarzy_2", "P_PMarzy_3_1", "P_PMarzy_3_2",
                                                  "P_PMarzy_3_3"};
    if (doc_.MarginProcedure() > 3)
      Refuse("Nieznana procedura marży ("_cp + std::to_string(doc_.MarginProcedure()) + ").");
    tree_.Text(margin, "P_PMarzy", "1");
    tree_.Text(margin, kProcedures[doc_.MarginProcedure()], "1");
  }

  void Corrected(xmlNode* fa) {
    if (!o_.correctedIssueDate)
      Refuse("Brak daty wystawienia faktury korygowanej (plik korekty jej nie zawiera)."_cp);
    // A correction corrects an invoice issued before it (or on the same day).
    if (DayNumber(*o_.correctedIssueDate) > DayNumber(CalendarDate(doc_.IssueDate())))
      Refuse("Data wystawienia faktury korygowanej ("_cp + IsoDateText(*o_.correctedIssueDate) +
             ") jest późniejsza niż data wystawienia korekty ("_cp + DateText(doc_.IssueDate()) +
             "). Podaj datę wystawienia faktury, którą ta korekta koryguje."_cp);
    const std::string number =
        OneLine(doc_.CorrectedNumber(), "numer faktury korygowanej"_cp, kMaxText);
    if (number.empty()) Refuse("Korekta nie ma numeru faktury korygowanej."_cp);
    xmlNode* c = tree_.Add(fa, "DaneFaKorygowanej");
    tree_.Text(c, "DataWystFaKorygowanej", IsoDateText(*o_.correctedIssueDate));
    tree_.Text(c, "NrFaKorygowanej", number);
    const std::string ksef =
        OneLine(o_.correctedKsefNumber, "numer KSeF faktury korygowanej"_cp, kMaxText);
    if (ksef.empty()) {
      tree_.Text(c, "NrKSeFN", "1");  // issued outside KSeF
    } else {
      tree_.Text(c, "NrKSeF", "1");
      tree_.Text(c, "NrKSeFFaKorygowanej", ksef);
    }
  }

  void Line(xmlNode* fa, const Row& row, size_t number) {
    const TTowar& line = *row.line;
    xmlNode* w = tree_.Add(fa, "FaWiersz");
    tree_.Text(w, "NrWierszaFa", std::to_string(number));
    if (std::string name = OneLine(line.Name, RowField("nazwa"_cp, row), kMaxName); !name.empty())
      tree_.Text(w, "P_7", name);
    if (std::string code = OneLine(line.Pkwiu, RowField("PKWiU"_cp, row), kMaxCode); !code.empty())
      tree_.Text(w, "PKWiU", code);
    if (std::string unit = OneLine(line.Unit, RowField("jednostka"_cp, row), kMaxText);
        !unit.empty())
      tree_.Text(w, "P_8A", unit);
    tree_.Text(w, "P_8B", QuantityText(row));
    const bool gross = mode_ == Mode::Margin || (mode_ == Mode::Vat && doc_.GrossPricing());
    if (gross) {
      tree_.Text(w, "P_9B", Price(line.GrossUnitPrice()));
      tree_.Text(w, "P_11A", Amount(line.GrossValue()));
    } else {
      tree_.Text(w, "P_9A", Price(line.NetUnitPrice()));
      tree_.Text(w, "P_11", Amount(line.NetValue()));
    }
    if (mode_ != Mode::Margin) {
      int index = RateIndex(row);
      if (mode_ == Mode::WithoutVat && index == 3) index = 4;  // no VAT settled: exempt
      tree_.Text(w, "P_12", RateCode(index));
    }
    if (mode_ == Mode::Vat && foreign_ && doc_.ExchangeRate() > Currency{})
      tree_.Text(w, "KursWaluty", Price(doc_.ExchangeRate()));
    if (row.before) tree_.Text(w, "StanPrzed", "1");
  }

  void Payment(xmlNode* fa) {
    xmlNode* p = tree_.Add(fa, "Platnosc");
    // The document keeps no payment date: what it records as paid counts as paid on the
    // issue date, as the printed page shows it when it is issued.
    const Currency due = RoundGrosz(doc_.AmountDue());
    const Currency paid = RoundGrosz(doc_.Paid());
    const std::string issued = DateText(doc_.IssueDate());
    if (due > Currency{} && paid > Currency{}) {
      if (paid >= due) {
        tree_.Text(p, "Zaplacono", "1");
        tree_.Text(p, "DataZaplaty", issued);
      } else {
        tree_.Text(p, "ZnacznikZaplatyCzesciowej", "1");
        xmlNode* part = tree_.Add(p, "ZaplataCzesciowa");
        tree_.Text(part, "KwotaZaplatyCzesciowej", Amount(paid));
        tree_.Text(part, "DataZaplatyCzesciowej", issued);
      }
    }
    tree_.Text(tree_.Add(p, "TerminPlatnosci"), "Termin", DateText(doc_.PaymentDueDate()));
    const std::string form = OneLine(doc_.PaymentForm(), "forma płatności"_cp, kMaxText);
    const std::string lower = LetterLower(form);
    if (lower == "gotówka"_cp) {
      tree_.Text(p, "FormaPlatnosci", "1");
    } else if (lower == "przelew") {
      tree_.Text(p, "FormaPlatnosci", "6");
    } else if (!form.empty()) {
      tree_.Text(p, "PlatnoscInna", "1");
      tree_.Text(p, "OpisPlatnosci", form);
    }
  }

  void Footer() {
    const std::string remarks = Paragraphs(doc_.Remarks(), "uwagi"_cp, kMaxFooter);
    const std::string standing = Paragraphs(doc_.StandingRemarks(), "stała uwaga"_cp, kMaxFooter);
    if (remarks.empty() && standing.empty()) return;
    xmlNode* footer = tree_.Add(tree_.Root(), "Stopka");
    for (const std::string* text : {&remarks, &standing})
      if (!text->empty()) tree_.Text(tree_.Add(footer, "Informacje"), "StopkaFaktury", *text);
  }

  const TFaktura& doc_;
  const KsefOptions& o_;
  XmlTree tree_;
  Mode mode_ = Mode::Vat;
  bool foreign_ = false;
  bool exempt_ = false;
  std::array<bool, kVatRateCount> ratesUsed_{};
  std::vector<Row> rows_;
};

}  // namespace

std::string KsefKindRefusal(const TFaktura& doc) {
  const std::string_view only = " Do KSeF trafiają tylko faktury VAT i faktury korygujące."_cp;
  switch (doc.Kind()) {
    case DocumentKind::Bill: return "Rachunek nie jest fakturą VAT."_cp + std::string(only);
    case DocumentKind::CorrectionNote:
      return "Nota korygująca nie jest fakturą."_cp + std::string(only);
    case DocumentKind::Invoice:
    case DocumentKind::Correction: break;
    default:
      return "Nieznany rodzaj dokumentu ("_cp + std::to_string(static_cast<int>(doc.Kind())) +
             ").";
  }
  if (doc.VatInvoiceType() == kVatTypeProForma)
    return "Faktura pro forma nie jest fakturą VAT."_cp + std::string(only);
  if (doc.VatInvoiceType() > kVatTypeWithoutVat)
    return "Nieznany typ faktury ("_cp + std::to_string(doc.VatInvoiceType()) + ").";
  return {};
}

std::string BuildKsefXml(const TFaktura& doc, const KsefOptions& options) {
  std::string xml = Builder(doc, options).Build();
  // Nothing leaves here that the schema refuses.
  if (std::string error = KsefValidationError(xml); !error.empty()) throw Error(error);
  return xml;
}

std::string_view KsefElementMeaning(std::string_view e) {
  struct Meaning {
    std::string_view element, meaning;
  };
  static constexpr Meaning kMeanings[] = {
      {"DataWytworzeniaFa", "czas utworzenia pliku"_cp},
      {"NIP", "NIP"},
      {"Nazwa", "nazwa"},
      {"AdresL1", "adres"},
      {"AdresL2", "adres"},
      {"KodKraju", "kod kraju"},
      {"KodUE", "kraj numeru VAT UE nabywcy"_cp},
      {"NrVatUE", "numer VAT UE nabywcy"},
      {"NrID", "numer identyfikacji podatkowej nabywcy"},
      {"KodWaluty", "waluta"},
      {"P_1", "data wystawienia"},
      {"P_1M", "miejsce wystawienia"},
      {"P_2", "numer dokumentu"},
      {"P_6", "data sprzedaży"_cp},
      {"P_6_Od", "miesiąc sprzedaży"_cp},
      {"P_6_Do", "miesiąc sprzedaży"_cp},
      {"P_13_11", "wartość sprzedaży w procedurze marży"_cp},
      {"P_15", "kwota należności ogółem"_cp},
      {"P_19A", "podstawa zwolnienia z VAT"},
      {"DataWystFaKorygowanej", "data wystawienia faktury korygowanej"},
      {"NrFaKorygowanej", "numer faktury korygowanej"},
      {"NrKSeFFaKorygowanej", "numer KSeF faktury korygowanej"},
      {"P_7", "nazwa towaru lub usługi"_cp},
      {"PKWiU", "PKWiU"},
      {"P_8A", "jednostka"},
      {"P_8B", "ilość"_cp},
      {"P_9A", "cena jednostkowa netto"},
      {"P_9B", "cena jednostkowa brutto"},
      {"P_11", "wartość netto"_cp},
      {"P_11A", "wartość brutto"_cp},
      {"KursWaluty", "kurs waluty"},
      {"DataZaplaty", "data zapłaty"_cp},
      {"KwotaZaplatyCzesciowej", "kwota zapłacona"_cp},
      {"DataZaplatyCzesciowej", "data zapłaty"_cp},
      {"Termin", "termin płatności"_cp},
      {"OpisPlatnosci", "forma płatności"_cp},
      {"StopkaFaktury", "uwagi"},
  };
  for (const Meaning& m : kMeanings)
    if (m.element == e) return m.meaning;
  if (e.rfind("P_13_", 0) == 0) return "wartość sprzedaży netto"_cp;
  if (e.rfind("P_14_", 0) == 0)
    return e.back() == 'W' ? "kwota podatku w złotych"_cp : "kwota podatku"_cp;
  return {};
}

}  // namespace bilvox
