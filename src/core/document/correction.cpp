// The correcting invoice: made from the VAT invoice in the document, whose lines are frozen
// as the lines before correction and stay editable as the lines after correction.
#include "common/cp1250.h"
#include "common/error.h"
#include "document/faktura.h"

namespace bilvox {

void TFaktura::DeriveCorrection() {
  if (f_.Kind != DocumentKind::Invoice)
    throw Error(std::string(
        "Aby wystawić korektę, należy najpierw otworzyć istniejącą fakturę VAT."_cp));
  if (lines_.empty())
    throw Error(std::string(
        "Aby wystawić korektę, na fakturze VAT musi się znajdować przynajmniej jedna pozycja."_cp));
  f_.Paid = Currency{};
  f_.CorrectedNumber = f_.Number;
  f_.Kind = DocumentKind::Correction;
  priorLines_.clear();
  for (const auto& line : lines_) AppendPriorLine().CopyFrom(line.get());
  MarkChanged();
}

}  // namespace bilvox
