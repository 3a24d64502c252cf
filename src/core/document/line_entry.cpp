#include "document/line_entry.h"

#include <string>

#include "common/error.h"
#include "words/number_input.h"

namespace bilvox {

namespace {

[[noreturn]] void NotANumber(std::string_view text) {
  throw Error("'" + std::string(text) + "' is not a valid floating point value");
}

}  // namespace

Currency EntryRate(int vatIndex) {
  if (vatIndex < 0 || vatIndex >= kVatRateCount) return Currency{};
  return ClampRate(VatRateTable[static_cast<size_t>(vatIndex)]);
}

Currency EntryGrossFromNet(Currency net, int vatIndex) {
  return RoundGrosz(GrossFromNet(net, EntryRate(vatIndex)));
}

Currency EntryNetFromGross(Currency gross, int vatIndex) {
  const long double raw = static_cast<long double>(gross.raw) * 10000.0L /
                          static_cast<long double>(10000 + EntryRate(vatIndex).raw);
  return Currency::FromRaw(RoundRaw(raw));
}

Currency ReadEntryPrice(std::string_view text) {
  const std::optional<Currency> price = ParseDecimalInput(text);
  if (!price) NotANumber(text);
  return *price;
}

double ReadEntryQuantity(std::string_view text) {
  const std::optional<double> quantity = ParseQuantityInput(text);
  if (!quantity) NotANumber(text);
  return *quantity;
}

}  // namespace bilvox
