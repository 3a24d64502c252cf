// The remembered printer, file PrinterSetup.cfg: a 788-byte head with the device, driver and
// port names, then the printer's own settings as an opaque block.
//
// Head: three fields of 261 bytes (single-byte text, NUL-terminated, rest zero) at 0, 261 and
// 522; a zero byte at 783; the block length N (unsigned 32 bits, little-endian) at 784; the N
// bytes of the block from 788.
//
// On this platform the block holds the printer settings in an encoding of our own (see
// PrinterBlock below); a block that does not decode is kept as it is and simply not applied.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bilvox {

inline constexpr size_t kPrinterNameField = 261;
inline constexpr size_t kPrinterSetupHead = 788;

// Which printer is remembered, and with what settings.
struct PrinterSetupFile {
  std::string device;  // printer name (Windows-1250)
  std::string driver;
  std::string port;
  std::string block;   // the printer's settings, opaque here
};

// Reads the head and the block. Throws Error("Błąd wejścia/wyjścia.") when the data are
// shorter than the head or than head + N. Bytes after the block are ignored.
PrinterSetupFile ParsePrinterSetup(std::string_view data);
// The file's bytes; a name too long for its field is cut to 260 bytes.
std::string SerializePrinterSetup(const PrinterSetupFile& setup);

// Reads the file at path; throws Error with the cause (a missing file included).
PrinterSetupFile ReadPrinterSetup(const std::string& path);
// Writes the file as a whole (the previous one stays intact until the new one is complete).
void WritePrinterSetup(const std::string& path, const PrinterSetupFile& setup);

// The first installed printer whose name, cut to the length of the stored device name, equals
// it when both are upper-cased: its index in `installed`, or -1. An empty stored name
// matches no printer.
int MatchPrinter(std::string_view storedDevice, const std::vector<std::string>& installed);

// How the current printer was chosen; the program uses stInitial (no file yet, the system's
// default printer) and stSaved (from the file, or saved to it).
enum class SetupType : uint8_t { stDefault = 0, stInitial = 1, stSaved = 2, stUser = 3 };

struct RestoredPrinter {
  int index = -1;          // into the installed printers
  PrinterSetupFile setup;  // the stored names and block
};

// Restore at start-up, given the installed printer names in the platform's order. Nothing
// happens without an installed printer. A missing file sets stInitial. A file too short for
// its head or block is reported (caption "Błąd", the reading-file message), sets stInitial
// and keeps the default printer; so does a stored printer that is no longer installed, but
// silently and keeping stSaved. Otherwise gives the printer to make current and its settings.
std::optional<RestoredPrinter> RestorePrinterSetup(const std::string& path,
                                                   const std::vector<std::string>& installed,
                                                   SetupType& type);
// Save after the user confirmed the printer set-up dialog: writes the file and sets stSaved.
// A failure is reported (caption "Błąd", the saving-file message) and gives false.
bool SavePrinterSetup(const std::string& path, const PrinterSetupFile& setup, SetupType& type);

// The printer settings this program keeps in the block.
struct PrinterBlock {
  enum class Orientation : uint8_t { Portrait = 0, Landscape = 1 };
  enum class Duplex : uint8_t { None = 0, Auto = 1, LongSide = 2, ShortSide = 3 };
  enum class ColorMode : uint8_t { GrayScale = 0, Color = 1 };

  // Paper size in micrometres, portrait (width not above height); 0 × 0 for the printer's
  // default paper.
  int32_t paperWidthUm = 0;
  int32_t paperHeightUm = 0;
  Orientation orientation = Orientation::Portrait;
  Duplex duplex = Duplex::None;
  ColorMode colorMode = ColorMode::Color;
  int32_t resolution = 0;  // dots per inch; 0 for the printer's default
  int32_t copies = 1;
};

// Block encoding: the 4 bytes "BXPS", a version (16 bits), then the fields of PrinterBlock in
// their order (widths and height, resolution and copies as signed 32 bits, the three kinds as
// one byte each). Later versions only append fields, so a reader takes what it knows.
inline constexpr uint16_t kPrinterBlockVersion = 1;
std::string EncodePrinterBlock(const PrinterBlock& block);
// The settings of a block, or nothing when it is not one of ours or is damaged (an unknown
// kind, a non-positive copy count or a negative size or resolution).
std::optional<PrinterBlock> DecodePrinterBlock(std::string_view block);

}  // namespace bilvox
