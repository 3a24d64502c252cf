#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/cp1250.h"
#include "common/error.h"
#include "document/faktura.h"
#include "document/picture.h"
#include "support/jpeg_writer.h"
#include "support/memory_store.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

std::string Le16(uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string Le32(uint32_t v) { return Le16(static_cast<uint16_t>(v)) + Le16(static_cast<uint16_t>(v >> 16)); }
std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b) s += static_cast<char>(v);
  return s;
}

// A bitmap with a 40-byte header; `extra` (masks) and the palette follow the header.
std::string Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                const std::string& pixels, const std::string& palette = "",
                const std::string& extra = "") {
  const uint32_t offBits = static_cast<uint32_t>(14 + 40 + extra.size() + palette.size());
  std::string info = Le32(40) + Le32(static_cast<uint32_t>(width)) +
                     Le32(static_cast<uint32_t>(height)) + Le16(1) + Le16(bits) +
                     Le32(compression) + Le32(static_cast<uint32_t>(pixels.size())) +
                     Le32(2835) + Le32(2835) + Le32(static_cast<uint32_t>(palette.size() / 4)) +
                     Le32(0);
  return "BM" + Le32(static_cast<uint32_t>(offBits + pixels.size())) + Le32(0) + Le32(offBits) +
         info + extra + palette + pixels;
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;
// Palette entries are blue, green, red, reserved.
const std::string kPalette = Bytes({0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0});  // red, blue, green

TEST(Bmp, UncompressedDepthsAndRowOrder) {
  // 24 bits, bottom-up: the first row in the file is the bottom one.
  RasterImage img = DecodeBmp(Bmp(2, 2, 24, 0,
                                  Bytes({255, 0, 0, 0, 255, 0, 0, 0,           // blue, green
                                         0, 0, 255, 255, 255, 255, 0, 0})));  // red, white
  EXPECT_EQ(img.width, 2);
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{kRed, kWhite, kBlue, kGreen}));

  // 8 bits, top-down; an index beyond the palette is black.
  img = DecodeBmp(Bmp(3, -2, 8, 0, Bytes({0, 1, 7, 0, 2, 2, 0, 0}), kPalette));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{kRed, kBlue, kBlack, kGreen, kGreen, kRed}));

  // 1 bit, nine pixels over two bytes.
  img = DecodeBmp(Bmp(9, 1, 1, 0, Bytes({0x80, 0x80, 0, 0}),
                      Bytes({0, 0, 0, 0, 255, 255, 255, 0})));
  EXPECT_EQ(img.pixels[0], kWhite);
  EXPECT_EQ(img.pixels[1], kBlack);
  EXPECT_EQ(img.pixels[8], kWhite);

  // 4 bits: high nibble first.
  img = DecodeBmp(Bmp(3, 1, 4, 0, Bytes({0x12, 0x00, 0, 0}), kPalette));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{kBlue, kGreen, kRed}));

  // 16 bits without masks is 5-5-5.
  img = DecodeBmp(Bmp(2, 1, 16, 0, Bytes({0x00, 0x7C, 0x1F, 0x00})));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{kRed, kBlue}));
}

TEST(Bmp, BitFieldsAndAlpha) {
  // Masks after the header: red in the second byte, green in the third, blue in the top one.
  RasterImage img = DecodeBmp(Bmp(1, 1, 32, 3, Le32(0x12345678),
                                  "", Le32(0x0000FF00) + Le32(0x00FF0000) + Le32(0xFF000000)));
  EXPECT_EQ(img.pixels[0], 0xFF563412u);
  // 5-6-5 in 16 bits: full green.
  img = DecodeBmp(Bmp(1, 1, 16, 3, Le32(0x07E0), "", Le32(0xF800) + Le32(0x07E0) + Le32(0x1F)));
  EXPECT_EQ(img.pixels[0], kGreen);

  const std::string masks = Le32(0xFF0000) + Le32(0xFF00) + Le32(0xFF) + Le32(0xFF000000);
  img = DecodeBmp(Bmp(2, 1, 32, 6, Le32(0x80112233) + Le32(0x00445566), "", masks));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0x80112233u, 0x00445566u}));
  // An alpha channel that is zero everywhere means an opaque picture.
  img = DecodeBmp(Bmp(1, 1, 32, 6, Le32(0x00112233), "", masks));
  EXPECT_EQ(img.pixels[0], 0xFF112233u);
}

TEST(Bmp, RunLengthEncoded) {
  // RLE8, 4 × 2: bottom row a run of three 1s; top row three literal pixels (padded), then
  // the end of the picture; unset pixels take index 0.
  RasterImage img = DecodeBmp(Bmp(4, 2, 8, 1,
                                  Bytes({3, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 1}), kPalette));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{kGreen, kRed, kBlue, kRed,  //
                                               kBlue, kBlue, kBlue, kRed}));
  // A move skips pixels; runs beyond the width are cut off.
  img = DecodeBmp(Bmp(3, 2, 8, 1, Bytes({0, 2, 1, 1, 9, 2, 0, 1}), kPalette));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{kRed, kGreen, kGreen, kRed, kRed, kRed}));

  // RLE4: a run alternates the two nibbles; a literal of three pixels takes two bytes.
  img = DecodeBmp(Bmp(5, 2, 4, 2, Bytes({5, 0x12, 0, 0, 0, 3, 0x21, 0x00, 0, 1}), kPalette));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{kGreen, kBlue, kRed, kRed, kRed,  //
                                               kBlue, kGreen, kBlue, kGreen, kBlue}));
}

TEST(Bmp, DamagedFilesAreRefused) {
  const std::string good = Bmp(2, 2, 24, 0, std::string(16, '\0'));
  EXPECT_NO_THROW(DecodeBmp(good));
  const std::vector<std::string> bad = {
      "",
      "BM",
      good.substr(0, good.size() - 1),                           // a byte of pixels missing
      good.substr(0, 30),                                        // cut in the header
      Bmp(100000, 100000, 24, 0, std::string(16, '\0')),         // beyond any sane size
      Bmp(5000, 5000, 32, 0, std::string(64, '\0')),             // more than the file holds
      Bmp(2, 2, 2, 0, std::string(16, '\0')),                    // no such depth
      Bmp(2, 2, 24, 4, std::string(16, '\0')),                   // JPEG inside: unsupported
      Bmp(0, 2, 24, 0, std::string(16, '\0')),
      Bmp(2, 2, 8, 1, Bytes({2, 1, 0, 0, 0, 5, 1})),             // literal cut short
      Bmp(2, 2, 8, 1, Bytes({2, 1})),                            // no end of picture
      Bmp(2, -2, 8, 1, Bytes({0, 1})),                           // top-down RLE
      Bmp(2, 2, 24, 1, std::string(16, '\0')),                   // RLE8 needs 8 bits
      Bmp(1, 1, 32, 3, Le32(0)),                                 // masks missing
  };
  for (size_t i = 0; i < bad.size(); ++i) EXPECT_THROW(DecodeBmp(bad[i]), Error) << i;

  std::string offset = good;
  offset.replace(10, 4, Le32(5000));  // pixels beyond the end
  EXPECT_THROW(DecodeBmp(offset), Error);
  std::string header = good;
  header.replace(14, 4, Le32(0x7FFFFFFF));  // header larger than the file
  EXPECT_THROW(DecodeBmp(header), Error);
}

TEST(Bmp, CoreHeader) {
  // OS/2 header: 16-bit sizes and three-byte palette entries.
  const std::string info = Le32(12) + Le16(2) + Le16(1) + Le16(1) + Le16(8);
  const std::string palette = Bytes({0, 0, 255, 255, 0, 0});
  const std::string pixels = Bytes({1, 0, 0, 0});
  const uint32_t off = 14 + 12 + 6;
  const std::string file =
      "BM" + Le32(off + 4) + Le32(0) + Le32(off) + info + palette + pixels;
  EXPECT_EQ(DecodeBmp(file).pixels, (std::vector<uint32_t>{kBlue, kRed}));
}

// ---- JPEG ----

std::string Jpeg(int width, int height, int components, J_COLOR_SPACE space,
                 const std::vector<uint8_t>& samples) {
  return testing::EncodeJpeg(width, height, components, space, samples);
}

// Quadrants red, green / blue, white in 16 × 16 pixels.
std::string QuadrantJpeg() {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const uint32_t c = y < 8 ? (x < 8 ? kRed : kGreen) : (x < 8 ? kBlue : kWhite);
      rgb.insert(rgb.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                             static_cast<uint8_t>(c)});
    }
  return Jpeg(16, 16, 3, JCS_RGB, rgb);
}

::testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
  for (int shift : {24, 16, 8, 0}) {
    const int a = static_cast<int>(actual >> shift & 0xFF);
    const int e = static_cast<int>(expected >> shift & 0xFF);
    if (std::abs(a - e) > 12)
      return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
  }
  return ::testing::AssertionSuccess();
}

TEST(Jpeg, ColourGreyAndAdobeCmyk) {
  RasterImage img = DecodeJpeg(QuadrantJpeg());
  ASSERT_EQ(img.width, 16);
  ASSERT_EQ(img.height, 16);
  EXPECT_TRUE(Near(img.pixels[3 * 16 + 3], kRed));
  EXPECT_TRUE(Near(img.pixels[3 * 16 + 12], kGreen));
  EXPECT_TRUE(Near(img.pixels[12 * 16 + 3], kBlue));
  EXPECT_TRUE(Near(img.pixels[12 * 16 + 12], kWhite));

  std::vector<uint8_t> grey(8 * 8);
  for (size_t i = 0; i < grey.size(); ++i) grey[i] = i < 32 ? 0x40 : 0xC0;
  img = DecodeJpeg(Jpeg(8, 8, 1, JCS_GRAYSCALE, grey));
  EXPECT_TRUE(Near(img.pixels[0], 0xFF404040));
  EXPECT_TRUE(Near(img.pixels[63], 0xFFC0C0C0));

  // libjpeg marks CMYK files as Adobe's, whose values are inverted (255 is no ink): red is
  // no cyan, full magenta and yellow, no black.
  std::vector<uint8_t> cmyk;
  for (int i = 0; i < 64; ++i) cmyk.insert(cmyk.end(), {255, 0, 0, 255});
  img = DecodeJpeg(Jpeg(8, 8, 4, JCS_CMYK, cmyk));
  EXPECT_TRUE(Near(img.pixels[27], kRed));
}

TEST(Jpeg, DamagedFilesAreRefused) {
  const std::string good = QuadrantJpeg();
  EXPECT_THROW(DecodeJpeg(good.substr(0, good.size() / 2)), Error);  // cut in the image data
  EXPECT_THROW(DecodeJpeg(good.substr(0, 40)), Error);               // cut in the headers
  EXPECT_THROW(DecodeJpeg("\xFF\xD8\xFF\xE0 not a jpeg at all"), Error);
  EXPECT_THROW(DecodeJpeg(""), Error);
  std::string huge = good;
  // The frame header (after FF C0, length, precision) gives height then width.
  const size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  huge.replace(sof + 5, 4, Bytes({0xFF, 0x00, 0xFF, 0x00}));  // 65280 × 65280
  EXPECT_THROW(DecodeJpeg(huge), Error);
}

// ---- the logo of the document ----

class LogoTest : public ::testing::Test {
 protected:
  LogoTest() { doc.OnChange = [this](TFaktura&) { ++changes; }; }

  testing::RecordingMessages messages;
  testing::TempDir dir;
  testing::MemoryStore store;
  TFaktura doc{&store};
  int changes = 0;
};

TEST_F(LogoTest, LoadedClearedAndCarriedToTheNextDocument) {
  const std::string path = dir.File("logo_łódź.bmp");  // a native UTF-8 path
  testing::WriteBytes(path, Bmp(2, 1, 24, 0, Bytes({0, 0, 255, 255, 0, 0, 0, 0})));
  doc.SetLogoFileName(path);
  EXPECT_FALSE(doc.LogoAbsent());
  EXPECT_EQ(doc.Logo().Width(), 2);
  EXPECT_EQ(changes, 1);
  doc.SetLogoFileName(path);
  EXPECT_EQ(changes, 1);

  doc.NewDocument(DocumentKind::Invoice, "");
  EXPECT_EQ(store.Get(kKeyDocument, "LogoFileName").bytes, FromUtf8Lossy(path));
  EXPECT_EQ(doc.LogoFileName(), path);
  EXPECT_EQ(doc.Logo().kind(), Picture::Kind::Raster);

  // A cleared logo leaves the stored name, so the next document has the logo again.
  doc.SetLogoFileName("");
  EXPECT_TRUE(doc.LogoAbsent());
  EXPECT_TRUE(doc.Logo().Empty());
  doc.NewDocument(DocumentKind::Invoice, "");
  EXPECT_FALSE(doc.Logo().Empty());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(LogoTest, UnreadablePictureShowsTheBoxAndLeavesNoLogo) {
  const std::string good = dir.File("good.jpg");
  testing::WriteBytes(good, QuadrantJpeg());
  doc.SetLogoFileName(good);
  ASSERT_FALSE(doc.Logo().Empty());

  const std::string bad = dir.File("bad.jpg");
  testing::WriteBytes(bad, QuadrantJpeg().substr(0, 200));
  changes = 0;
  doc.SetLogoFileName(bad);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Błąd"_cp);
  EXPECT_EQ(messages.messages[0].text, "Nieprawidłowy format pliku."_cp);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
  EXPECT_TRUE(doc.Logo().Empty());
  EXPECT_TRUE(doc.LogoAbsent());
  EXPECT_EQ(doc.LogoFileName(), "");
  EXPECT_EQ(changes, 1);

  // A file that does not exist is ignored without a word.
  doc.SetLogoFileName(dir.File("missing.bmp"));
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(changes, 1);
  const std::string folder = dir.path();
  doc.SetLogoFileName(folder);
  EXPECT_EQ(changes, 1);
}

TEST_F(LogoTest, APipeNamedAsTheLogoIsRefusedWithoutWaitingForIt) {
  // A stored logo path may name anything; reading a pipe (or a device) would never end.
  const std::string pipe = dir.File("logo.bmp");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  ::alarm(20);  // a wait for the pipe ends the tests instead of hanging them
  doc.SetLogoFileName(pipe);
  ::alarm(0);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Nieprawidłowy format pliku."_cp);
  EXPECT_TRUE(doc.Logo().Empty());
  EXPECT_TRUE(doc.LogoAbsent());
}

}  // namespace
}  // namespace bilvox
