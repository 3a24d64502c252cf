// bilvox-cli printer show FILE: the names and block length of a printer set-up file, and the
// printer settings when the block is one of this program's. Reads only.
#include <string>

#include "cli/command.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/json.h"
#include "printout/printer_setup.h"

namespace bilvox::cli {
namespace {

const char* OrientationName(PrinterBlock::Orientation o) {
  return o == PrinterBlock::Orientation::Landscape ? "landscape" : "portrait";
}

const char* DuplexName(PrinterBlock::Duplex d) {
  switch (d) {
    case PrinterBlock::Duplex::Auto: return "auto";
    case PrinterBlock::Duplex::LongSide: return "long-side";
    case PrinterBlock::Duplex::ShortSide: return "short-side";
    case PrinterBlock::Duplex::None: break;
  }
  return "none";
}

int RunPrinter(const Args& args) {
  if (args.size() != 2 || args[0] != "show") return UsageError("printer");
  const std::string& path = args[1];
  PrinterSetupFile setup;
  try {
    setup = ReadPrinterSetup(path);
  } catch (const Error& e) {
    return FailCp(ReadingFileError(path, e.Message()));
  }
  Json out = Json::MakeObject();
  out.Set("file", Json(path));
  out.Set("device", Json(ToUtf8(setup.device)));
  out.Set("driver", Json(ToUtf8(setup.driver)));
  out.Set("port", Json(ToUtf8(setup.port)));
  out.Set("blockLength", Json(static_cast<int64_t>(setup.block.size())));
  if (auto b = DecodePrinterBlock(setup.block)) {
    Json s = Json::MakeObject();
    s.Set("paperWidthMm", Json(b->paperWidthUm / 1000.0));
    s.Set("paperHeightMm", Json(b->paperHeightUm / 1000.0));
    s.Set("orientation", Json(OrientationName(b->orientation)));
    s.Set("duplex", Json(DuplexName(b->duplex)));
    s.Set("color", Json(b->colorMode == PrinterBlock::ColorMode::Color));
    s.Set("resolution", Json(b->resolution));
    s.Set("copies", Json(b->copies));
    out.Set("settings", std::move(s));
  } else {
    out.Set("settings", Json());
  }
  Out(out.Dump(2) + "\n");
  return kExitOk;
}

const CommandRegistration reg("printer", "printer show FILE", RunPrinter);

}  // namespace
}  // namespace bilvox::cli
