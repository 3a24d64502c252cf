// The remembered printer: the file's head and block, matching the stored printer, and what
// missing or short files do at start-up.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPrinter>

#include "common/cp1250.h"
#include "common/error.h"
#include "printer_setup_qt.h"
#include "printout/printer_setup.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

TEST(PrinterSetup, StoredNameMatchesAsACaseInsensitivePrefix) {
  const std::vector<std::string> installed = {"Brother HL-2130", "HP LaserJet on USB001",
                                              "hp laserjet 2", "PDF"};
  EXPECT_EQ(MatchPrinter("HP LaserJet", installed), 1);  // the first one in order
  EXPECT_EQ(MatchPrinter("hp LASERJET 2", installed), 2);
  EXPECT_EQ(MatchPrinter("pdf", installed), 3);
  EXPECT_EQ(MatchPrinter("PDF Writer", installed), -1);  // longer than the installed name
  EXPECT_EQ(MatchPrinter("Canon", installed), -1);
  EXPECT_EQ(MatchPrinter("", installed), -1);
  EXPECT_EQ(MatchPrinter("Drukarka Łódź"_cp, {std::string("DRUKARKA ŁÓDŹ 2"_cp)}), 0);
}

TEST(PrinterSetup, HeadAndBlockRoundTrip) {
  PrinterSetupFile s{"HP LaserJet", "hpcups", "USB001", std::string("\x01\x00\xFF", 3)};
  const std::string bytes = SerializePrinterSetup(s);
  ASSERT_EQ(bytes.size(), kPrinterSetupHead + 3);
  EXPECT_EQ(bytes.substr(0, 12), std::string("HP LaserJet\0", 12));
  EXPECT_EQ(bytes.substr(261, 6), "hpcups");
  EXPECT_EQ(bytes.substr(522, 6), "USB001");
  EXPECT_EQ(bytes.substr(783, 5), std::string("\0\x03\0\0\0", 5));
  PrinterSetupFile back = ParsePrinterSetup(bytes + "trailing");
  EXPECT_EQ(back.device, s.device);
  EXPECT_EQ(back.driver, s.driver);
  EXPECT_EQ(back.port, s.port);
  EXPECT_EQ(back.block, s.block);

  s.device = std::string(300, 'x');  // cut so that the terminator still fits
  EXPECT_EQ(ParsePrinterSetup(SerializePrinterSetup(s)).device, std::string(260, 'x'));
}

TEST(PrinterSetup, ShortFilesFailWithAnInputOutputError) {
  PrinterSetupFile s{"P", "", "", std::string(10, 'b')};
  const std::string full = SerializePrinterSetup(s);
  for (size_t cut : {size_t{0}, kPrinterSetupHead - 1, full.size() - 1}) {
    try {
      ParsePrinterSetup(std::string_view(full).substr(0, cut));
      ADD_FAILURE() << cut;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), "Błąd wejścia/wyjścia."_cp) << cut;
    }
  }
}

TEST(PrinterSetup, RestoreAtStartUp) {
  TempDir dir;
  const std::string path = dir.File("PrinterSetup.cfg");
  const std::vector<std::string> installed = {"Brother", "HP LaserJet 1020 (USB)"};
  RecordingMessages msgs;
  SetupType type = SetupType::stSaved;

  EXPECT_FALSE(RestorePrinterSetup(path, {}, type));  // no printer: nothing at all
  EXPECT_EQ(type, SetupType::stSaved);
  EXPECT_FALSE(RestorePrinterSetup(path, installed, type));  // no file: the default printer
  EXPECT_EQ(type, SetupType::stInitial);

  PrinterSetupFile s{"hp laserjet 1020", "drv", "", "block"};
  ASSERT_TRUE(SavePrinterSetup(path, s, type));
  EXPECT_EQ(type, SetupType::stSaved);
  auto restored = RestorePrinterSetup(path, installed, type);
  ASSERT_TRUE(restored);
  EXPECT_EQ(restored->index, 1);
  EXPECT_EQ(restored->setup.block, "block");

  EXPECT_FALSE(RestorePrinterSetup(path, {"Brother"}, type));  // uninstalled: ignored silently
  EXPECT_EQ(type, SetupType::stSaved);
  EXPECT_TRUE(msgs.messages.empty());

  const std::string shortFile = ReadBytes(path).substr(0, kPrinterSetupHead + 2);
  WriteBytes(path, shortFile);
  EXPECT_FALSE(RestorePrinterSetup(path, installed, type));
  EXPECT_EQ(type, SetupType::stInitial);
  ASSERT_EQ(msgs.messages.size(), 1u);
  EXPECT_EQ(msgs.messages[0].caption, "Błąd"_cp);
  EXPECT_EQ(ReadBytes(path), shortFile);  // left for the next confirmed set-up to replace
}

TEST(PrinterSetup, BlockEncodingRoundTripsAndRefusesForeignBlocks) {
  PrinterBlock b;
  b.paperWidthUm = 210000;
  b.paperHeightUm = 297000;
  b.orientation = PrinterBlock::Orientation::Landscape;
  b.duplex = PrinterBlock::Duplex::ShortSide;
  b.colorMode = PrinterBlock::ColorMode::GrayScale;
  b.resolution = 600;
  b.copies = 3;
  const std::string enc = EncodePrinterBlock(b);
  auto back = DecodePrinterBlock(enc);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->paperHeightUm, 297000);
  EXPECT_EQ(back->orientation, PrinterBlock::Orientation::Landscape);
  EXPECT_EQ(back->duplex, PrinterBlock::Duplex::ShortSide);
  EXPECT_EQ(back->colorMode, PrinterBlock::ColorMode::GrayScale);
  EXPECT_EQ(back->resolution, 600);
  EXPECT_EQ(back->copies, 3);
  EXPECT_TRUE(DecodePrinterBlock(enc + "later fields"));  // later versions append
  EXPECT_FALSE(DecodePrinterBlock(enc.substr(0, enc.size() - 1)));
  EXPECT_FALSE(DecodePrinterBlock(std::string(156, '\0')));  // a Windows DEVMODE, say
  std::string badKind = enc;
  badKind[14] = 9;  // duplex
  EXPECT_FALSE(DecodePrinterBlock(badKind));
}

TEST(PrinterSetup, QtPrinterSettingsSurviveTheBlock) {
  int argc = 0;
  std::unique_ptr<QGuiApplication> app;
  if (!QGuiApplication::instance()) app = std::make_unique<QGuiApplication>(argc, nullptr);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  PrinterBlock b;
  b.paperWidthUm = 148000;  // A5
  b.paperHeightUm = 210000;
  b.orientation = PrinterBlock::Orientation::Landscape;
  b.colorMode = PrinterBlock::ColorMode::GrayScale;
  b.copies = 2;
  qt::ApplyPrinterBlock(printer, b);
  PrinterBlock back = qt::CapturePrinterBlock(printer);
  EXPECT_EQ(back.paperWidthUm, 148000);
  EXPECT_EQ(back.paperHeightUm, 210000);
  EXPECT_EQ(back.orientation, PrinterBlock::Orientation::Landscape);
  EXPECT_EQ(back.colorMode, PrinterBlock::ColorMode::GrayScale);
  EXPECT_EQ(back.copies, 2);
}

}  // namespace
}  // namespace bilvox
