#include "printout/printer_setup.h"

#include <cerrno>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/messages.h"

namespace bilvox {

namespace {

constexpr std::string_view kBlockMagic = "BXPS";

std::string NameField(std::string_view field) {
  return std::string(field.substr(0, field.find('\0')));
}

void WriteNameField(ByteWriter& out, std::string_view name) {
  name = name.substr(0, std::min(name.find('\0'), kPrinterNameField - 1));
  out.Bytes(name);
  out.Zeros(kPrinterNameField - name.size());
}

}  // namespace

PrinterSetupFile ParsePrinterSetup(std::string_view data) {
  if (data.size() < kPrinterSetupHead) throw Error(SystemErrorText(EIO));
  ByteReader in(data);
  PrinterSetupFile setup;
  setup.device = NameField(in.Bytes(kPrinterNameField));
  setup.driver = NameField(in.Bytes(kPrinterNameField));
  setup.port = NameField(in.Bytes(kPrinterNameField));
  in.Skip(1);
  uint32_t n = in.U32();
  if (n > in.Remaining()) throw Error(SystemErrorText(EIO));
  setup.block = std::string(in.Bytes(n));
  return setup;
}

std::string SerializePrinterSetup(const PrinterSetupFile& setup) {
  ByteWriter out;
  WriteNameField(out, setup.device);
  WriteNameField(out, setup.driver);
  WriteNameField(out, setup.port);
  out.U8(0);
  out.U32(static_cast<uint32_t>(setup.block.size()));
  out.Bytes(setup.block);
  return out.Take();
}

PrinterSetupFile ReadPrinterSetup(const std::string& path) {
  return ParsePrinterSetup(ReadWholeFile(path, kMaxPrinterSetupFileSize));
}

void WritePrinterSetup(const std::string& path, const PrinterSetupFile& setup) {
  ReplaceFile(path, SerializePrinterSetup(setup));
}

int MatchPrinter(std::string_view storedDevice, const std::vector<std::string>& installed) {
  if (storedDevice.empty()) return -1;
  const std::string stored = LetterUpper(storedDevice);
  for (size_t i = 0; i < installed.size(); ++i) {
    std::string_view name = installed[i];
    if (LetterUpper(name.substr(0, stored.size())) == stored) return static_cast<int>(i);
  }
  return -1;
}

std::optional<RestoredPrinter> RestorePrinterSetup(const std::string& path,
                                                   const std::vector<std::string>& installed,
                                                   SetupType& type) {
  if (installed.empty()) return std::nullopt;
  if (!FileExists(path)) {
    type = SetupType::stInitial;
    return std::nullopt;
  }
  RestoredPrinter restored;
  try {
    restored.setup = ReadPrinterSetup(path);
  } catch (const Error& e) {
    ShowError("Błąd"_cp, ReadingFileError(path, e.Message()));
    type = SetupType::stInitial;
    return std::nullopt;
  }
  restored.index = MatchPrinter(restored.setup.device, installed);
  if (restored.index < 0) return std::nullopt;
  type = SetupType::stSaved;
  return restored;
}

bool SavePrinterSetup(const std::string& path, const PrinterSetupFile& setup, SetupType& type) {
  try {
    WritePrinterSetup(path, setup);
  } catch (const Error& e) {
    ShowError("Błąd"_cp, SavingFileError(path, e.Message()));
    return false;
  }
  type = SetupType::stSaved;
  return true;
}

std::string EncodePrinterBlock(const PrinterBlock& b) {
  ByteWriter out;
  out.Bytes(kBlockMagic);
  out.U16(kPrinterBlockVersion);
  out.I32(b.paperWidthUm);
  out.I32(b.paperHeightUm);
  out.U8(static_cast<uint8_t>(b.orientation));
  out.U8(static_cast<uint8_t>(b.duplex));
  out.U8(static_cast<uint8_t>(b.colorMode));
  out.I32(b.resolution);
  out.I32(b.copies);
  return out.Take();
}

std::optional<PrinterBlock> DecodePrinterBlock(std::string_view data) {
  try {
    ByteReader in(data);
    if (in.Remaining() < kBlockMagic.size() || in.Bytes(kBlockMagic.size()) != kBlockMagic)
      return std::nullopt;
    if (in.U16() < 1) return std::nullopt;
    PrinterBlock b;
    b.paperWidthUm = in.I32();
    b.paperHeightUm = in.I32();
    uint8_t orientation = in.U8(), duplex = in.U8(), color = in.U8();
    b.resolution = in.I32();
    b.copies = in.I32();
    if (orientation > 1 || duplex > 3 || color > 1 || b.copies < 1 || b.paperWidthUm < 0 ||
        b.paperHeightUm < 0 || b.resolution < 0)
      return std::nullopt;
    b.orientation = static_cast<PrinterBlock::Orientation>(orientation);
    b.duplex = static_cast<PrinterBlock::Duplex>(duplex);
    b.colorMode = static_cast<PrinterBlock::ColorMode>(color);
    return b;
  } catch (const Error&) {
    return std::nullopt;  // shorter than its version's fields
  }
}

}  // namespace bilvox
