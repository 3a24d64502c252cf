// The contractors register file (kontrahenci.db), every version the reader accepts.
#include <tuple>

#include "registers/contractors.h"
#include "support/register_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using bilvox::TKontrahentRec;
  // Everything but the two texts of the oldest versions, which are never written again.
  bilvox::fuzz::RegisterRoundTrip<bilvox::TKontrahenci>(
      bilvox::fuzz::Input(data, size), [](const TKontrahentRec& r) {
        return std::tuple(r.name, r.address, r.reserved, r.nip, r.phone, r.email, r.www,
                          r.remarks, r.discount.raw, r.receivingPerson);
      });
  return 0;
}
