// The remembered printer file (PrinterSetup.cfg) and the printer settings block it carries.
#include <vector>

#include "common/error.h"
#include "printout/printer_setup.h"
#include "support/fuzz_support.h"

using namespace bilvox;
using bilvox::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PrinterSetupFile setup;
  try {
    setup = ParsePrinterSetup(fuzz::Input(data, size));
  } catch (const Error&) {
    return 0;
  }
  Require(setup.device.size() <= kPrinterNameField && setup.driver.size() <= kPrinterNameField &&
              setup.port.size() <= kPrinterNameField,
          "a printer name longer than its field");
  static const std::vector<std::string> installed = {"PDF", "Laser", "Laser 2 on USB"};
  const int match = MatchPrinter(setup.device, installed);
  Require(match >= -1 && match < static_cast<int>(installed.size()), "printer match out of range");

  // Written again, the file reads back the same (a name filling its whole field is cut to
  // leave room for its terminator, once).
  const std::string written = SerializePrinterSetup(setup);
  Require(written.size() == kPrinterSetupHead + setup.block.size(), "written file of wrong size");
  PrinterSetupFile back = ParsePrinterSetup(written);
  Require(back.block == setup.block, "printer settings changed through writing");
  Require(SerializePrinterSetup(back) == written, "a written file does not write back the same");

  if (auto block = DecodePrinterBlock(setup.block)) {
    auto again = DecodePrinterBlock(EncodePrinterBlock(*block));
    Require(again && again->paperWidthUm == block->paperWidthUm &&
                again->paperHeightUm == block->paperHeightUm &&
                again->orientation == block->orientation && again->duplex == block->duplex &&
                again->colorMode == block->colorMode && again->resolution == block->resolution &&
                again->copies == block->copies,
            "printer settings changed through encoding");
  }
  return 0;
}
