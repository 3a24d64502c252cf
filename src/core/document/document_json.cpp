#include "document/document_json.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "document/faktura.h"
#include "words/polish_words.h"

namespace bilvox {

namespace {

// One field of a record under its JSON name. `inFile`: the document file keeps it, so it is
// read back from JSON; the others are shown only.
template <class S>
struct Binding {
  using Member = std::variant<std::string S::*, Currency S::*, bool S::*, double S::*,
                              uint8_t S::*, int32_t S::*, DocumentKind S::*>;
  const char* name;
  Member member;
  bool inFile = true;
};

using DocBinding = Binding<FakturaFields>;
using LineBinding = Binding<TTowar>;

// The document's fields in their order; the doubles of the document are dates.
const DocBinding kDocumentFields[] = {
    {"Changed", &FakturaFields::Changed, false},
    {"Kind", &FakturaFields::Kind},
    {"VatInvoiceType", &FakturaFields::VatInvoiceType},
    {"MarginProcedure", &FakturaFields::MarginProcedure},
    {"DocLanguage", &FakturaFields::DocLanguage},
    {"CurrencyCode", &FakturaFields::CurrencyCode},
    {"ExchangeRate", &FakturaFields::ExchangeRate},
    {"UseForeignPrices", &FakturaFields::UseForeignPrices, false},
    {"LoadedFromFile", &FakturaFields::LoadedFromFile, false},
    {"AutoNumbering", &FakturaFields::AutoNumbering, false},
    {"Number", &FakturaFields::Number},
    {"CorrectedNumber", &FakturaFields::CorrectedNumber},
    {"PlaceOfIssue", &FakturaFields::PlaceOfIssue},
    {"IssueDate", &FakturaFields::IssueDate},
    {"SaleDate", &FakturaFields::SaleDate},
    {"ContinuousSale", &FakturaFields::ContinuousSale, false},
    {"GrossPricing", &FakturaFields::GrossPricing},
    {"SellerName", &FakturaFields::SellerName},
    {"SellerAddress", &FakturaFields::SellerAddress},
    {"SellerNIP", &FakturaFields::SellerNIP},
    {"BuyerName", &FakturaFields::BuyerName},
    {"BuyerAddress", &FakturaFields::BuyerAddress},
    {"BuyerNIP", &FakturaFields::BuyerNIP},
    {"BuyerDiscount", &FakturaFields::BuyerDiscount},
    {"InfoText1", &FakturaFields::InfoText1, false},
    {"InfoText2", &FakturaFields::InfoText2, false},
    {"PaymentDueDate", &FakturaFields::PaymentDueDate},
    {"PaymentForm", &FakturaFields::PaymentForm},
    {"ReservedText1", &FakturaFields::ReservedText1},
    {"ReservedText2", &FakturaFields::ReservedText2},
    {"Paid", &FakturaFields::Paid},
    {"IssuerName", &FakturaFields::IssuerName},
    {"ReceiverName", &FakturaFields::ReceiverName},
    {"Remarks", &FakturaFields::Remarks},
    {"StandingRemarks", &FakturaFields::StandingRemarks, false},
    {"Printed", &FakturaFields::Printed},
    {"Modified", &FakturaFields::Modified, false},
};

// A line's fields; its double is the quantity.
const LineBinding kLineFields[] = {
    {"Name", &TTowar::Name},
    {"Pkwiu", &TTowar::Pkwiu},
    {"Unit", &TTowar::Unit},
    {"NameLang12", &TTowar::NameLang12},
    {"NameLang34", &TTowar::NameLang34},
    {"UnitLang12", &TTowar::UnitLang12},
    {"UnitLang34", &TTowar::UnitLang34},
    {"Quantity", &TTowar::Quantity},
    {"PricePLN", &TTowar::PricePLN},
    {"PriceForeign", &TTowar::PriceForeign},
    {"PricePLNIsGross", &TTowar::PricePLNIsGross},
    {"PriceForeignIsGross", &TTowar::PriceForeignIsGross},
    {"VatRate", &TTowar::VatRate},
    {"Reserved", &TTowar::Reserved},
    {"CorrectionChanged", &TTowar::CorrectionChanged},
};

// Keys of values that are computed, or kept outside the document's fields and file.
constexpr std::string_view kShownDocumentKeys[] = {
    "FormatVersion", "LogoFileName", "FileName", "Sums",     "SumsAfter",
    "PriorSums",     "AmountDue",    "Validate", "AmountInWords",
};
constexpr std::string_view kShownLineKeys[] = {
    "VatIndex", "NetUnitPrice", "GrossUnitPrice", "NetValue", "VatValue", "GrossValue",
};

// ---- to JSON ----

// The calendar range of a date a document may hold.
const TDate kFirstDay = DayNumber(1, 1, 1);
const TDate kDayAfterLast = DayNumber(9999, 12, 31) + 1;

void WriteDate(JsonWriter& w, TDate date) {
  if (!(date >= kFirstDay && date < kDayAfterLast)) w.Null();  // also NaN
  else w.String(IsoDateText(CalendarDate(date)));
}

void WriteMoney(JsonWriter& w, Currency value) { w.String(FixedText4(value)); }

template <class S>
void WriteField(JsonWriter& w, const S& record, const typename Binding<S>::Member& member) {
  std::visit(
      [&](auto field) {
        const auto& v = record.*field;
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) w.TextCp1250(v);
        else if constexpr (std::is_same_v<T, Currency>) WriteMoney(w, v);
        else if constexpr (std::is_same_v<T, bool>) w.Bool(v);
        else if constexpr (std::is_same_v<T, double>) {
          if constexpr (std::is_same_v<S, FakturaFields>) WriteDate(w, v);
          else w.Number(v);
        } else w.Number(static_cast<int>(v));
      },
      member);
}

template <class S>
void WriteFields(JsonWriter& w, const S& record, std::span<const Binding<S>> bindings) {
  for (const Binding<S>& b : bindings) WriteField(w.Key(b.name), record, b.member);
}

void WriteLine(JsonWriter& w, const TTowar& line) {
  w.BeginObject();
  WriteFields<TTowar>(w, line, kLineFields);
  w.Key("VatIndex").Number(line.GetVatIndex());
  WriteMoney(w.Key("NetUnitPrice"), line.NetUnitPrice());
  WriteMoney(w.Key("GrossUnitPrice"), line.GrossUnitPrice());
  WriteMoney(w.Key("NetValue"), line.NetValue());
  WriteMoney(w.Key("VatValue"), line.VatValue());
  WriteMoney(w.Key("GrossValue"), line.GrossValue());
  w.EndObject();
}

// The sums of the ten rate keys, in the order of the keys.
struct RateSums {
  Currency net, vat, gross;
};

template <class SumFn>
void WriteSums(JsonWriter& w, SumFn sums) {
  w.BeginArray();
  for (int i = 0; i < kVatRateCount; ++i) {
    const auto [net, vat, gross] = sums(i);
    w.BeginObject();
    WriteMoney(w.Key("NetSum"), net);
    WriteMoney(w.Key("VatSum"), vat);
    WriteMoney(w.Key("GrossSum"), gross);
    w.EndObject();
  }
  w.EndArray();
}

// ---- from JSON ----

[[noreturn]] void Wrong(const std::string& where, std::string_view expected) {
  throw Error(where + ": expected " + std::string(expected));
}

Currency MoneyFrom(const Json& v, const std::string& where) {
  Currency c;
  if (!v.IsString() || !ParseFixed(v.AsString(), c))
    Wrong(where, "an amount as a string with a full stop and at most four decimals (\"12.3400\")");
  return c;
}

double NumberFrom(const Json& v, const std::string& where) {
  if (!v.IsNumber()) Wrong(where, "a number");
  return v.AsNumber();
}

int64_t IntegerFrom(const Json& v, const std::string& where, int64_t low, int64_t high) {
  const std::string range = "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  if (!v.IsNumber()) Wrong(where, range);
  const double d = v.AsNumber();
  if (!(d >= static_cast<double>(low) && d <= static_cast<double>(high)) || d != std::floor(d))
    Wrong(where, range);
  return static_cast<int64_t>(d);
}

TDate DateFrom(const Json& v, const std::string& where) {
  std::optional<Ymd> ymd;
  if (v.IsString()) ymd = ParseIsoDate(v.AsString());
  if (!ymd) Wrong(where, "a date \"YYYY-MM-DD\"");
  return DayNumber(*ymd);
}

template <class S>
void AssignField(S& record, const typename Binding<S>::Member& member, const Json& v,
                 const std::string& where) {
  std::visit(
      [&](auto field) {
        auto& target = record.*field;
        using T = std::decay_t<decltype(target)>;
        if constexpr (std::is_same_v<T, std::string>) target = TextCp1250From(v, where);
        else if constexpr (std::is_same_v<T, Currency>) target = MoneyFrom(v, where);
        else if constexpr (std::is_same_v<T, bool>) {
          if (!v.IsBool()) Wrong(where, "true or false");
          target = v.AsBool();
        } else if constexpr (std::is_same_v<T, double>) {
          target = std::is_same_v<S, FakturaFields> ? DateFrom(v, where) : NumberFrom(v, where);
        } else if constexpr (std::is_same_v<T, int32_t>) {
          target = static_cast<int32_t>(IntegerFrom(v, where, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
        } else {
          target = static_cast<T>(IntegerFrom(v, where, 0, 255));
        }
      },
      member);
}

// Reads the keys of an object into a record. `other` takes the keys no binding names and
// returns whether it knew them; anything else is refused.
template <class S, class Other>
void ReadObject(const Json& json, S& record, std::span<const Binding<S>> bindings,
                std::span<const std::string_view> shownOnly, const std::string& prefix,
                Other other) {
  if (!json.IsObject()) Wrong(prefix.empty() ? "the document" : prefix, "an object");
  for (const auto& [key, value] : json.AsObject()) {
    const std::string where = prefix.empty() ? key : prefix + "." + key;
    bool known = false;
    for (const Binding<S>& b : bindings) {
      if (key != b.name) continue;
      known = true;
      if (b.inFile) AssignField(record, b.member, value, where);
      break;
    }
    for (std::string_view k : shownOnly) known = known || key == k;
    if (!known && !other(key, value, where))
      throw Error(where + ": unknown key (see the document's JSON fields)");
  }
}

void ReadLines(const Json& json, const std::string& where, TTowar& (TFaktura::*append)(),
               TFaktura& doc) {
  if (!json.IsArray()) Wrong(where, "an array of lines");
  const Json::Array& lines = json.AsArray();
  for (size_t i = 0; i < lines.size(); ++i) {
    TTowar& line = (doc.*append)();
    ReadObject<TTowar>(lines[i], line, kLineFields, kShownLineKeys,
                       where + "[" + std::to_string(i) + "]",
                       [](const std::string&, const Json&, const std::string&) { return false; });
  }
}

}  // namespace

void WriteDocumentJson(JsonWriter& w, const TFaktura& doc, int formatVersion) {
  w.BeginObject();
  w.Key("FormatVersion").Number(formatVersion);
  WriteFields<FakturaFields>(w, doc.Fields(), kDocumentFields);
  w.Key("LogoFileName").String(doc.LogoFileName());
  w.Key("FileName").String(doc.FileName());

  // One line at a time: a document of any length needs no more memory for its text.
  w.Key("Lines").BeginArray();
  for (int i = 0; i < doc.LineCount(); ++i) WriteLine(w, doc.Line(i));
  w.EndArray();
  w.Key("PriorLines").BeginArray();
  for (int i = 0; i < doc.PriorLineCount(); ++i) WriteLine(w, doc.PriorLine(i));
  w.EndArray();

  WriteSums(w.Key("Sums"), [&](int i) {
    return RateSums{doc.NetSum(i, true), doc.VatSum(i, true), doc.GrossSum(i, true)};
  });
  WriteSums(w.Key("SumsAfter"), [&](int i) {
    return RateSums{doc.NetSum(i, false), doc.VatSum(i, false), doc.GrossSum(i, false)};
  });
  WriteSums(w.Key("PriorSums"), [&](int i) {
    return RateSums{doc.PriorNetSum(i), doc.PriorVatSum(i), doc.PriorGrossSum(i)};
  });
  WriteMoney(w.Key("AmountDue"), doc.AmountDue());
  w.Key("Validate").Number(doc.Validate());
  // In the words of the document's own language and currency, whatever text set is active.
  w.Key("AmountInWords")
      .TextCp1250(AmountInWords(doc.AmountDue(), doc.CurrencyCode(), doc.DocLanguage()));
  w.EndObject();
}

Json DocumentToJson(const TFaktura& doc, int formatVersion) {
  std::string text;
  JsonWriter w(text);
  WriteDocumentJson(w, doc, formatVersion);
  return Json::Parse(text).value();  // the writer's own text always parses
}

void DocumentFromJson(const Json& json, TFaktura& doc) {
  ReadObject<FakturaFields>(
      json, doc.Fields(), kDocumentFields, kShownDocumentKeys, "",
      [&](const std::string& key, const Json& value, const std::string& where) {
        if (key == "Lines") ReadLines(value, where, &TFaktura::AppendLine, doc);
        else if (key == "PriorLines") ReadLines(value, where, &TFaktura::AppendPriorLine, doc);
        else return false;
        return true;
      });
}

}  // namespace bilvox
