// WMF and EMF logos: hand-built pictures played back on the canvas with fixed metrics, so
// every coordinate after stretching is exact; damaged and lying files are refused.
#include <gtest/gtest.h>

#include <bit>

#include "common/cp1250.h"
#include "common/error.h"
#include "document/picture.h"
#include "printout/metafile.h"
#include "printout/test_canvas.h"
#include "support/metafile_builder.h"

namespace bilvox {
namespace {

using testing::Dib24;
using testing::EmfBuilder;
using testing::WmfBuilder;
using K = CanvasCall::Kind;

uint32_t FloatBits(float f) { return std::bit_cast<uint32_t>(f); }

std::vector<CanvasCall> Play(const std::string& bytes, const Rect& dest, Picture* out = nullptr) {
  Picture picture = DecodePicture(bytes);
  EXPECT_EQ(picture.kind(), Picture::Kind::Metafile);
  TestCanvas canvas;
  canvas.DrawPicture(dest, picture);
  if (out) *out = picture;
  return canvas.Calls();
}

std::vector<Point> Pts(std::initializer_list<Point> p) { return p; }

void ExpectFormatError(const std::string& bytes, const char* what) {
  try {
    DecodePicture(bytes);
    ADD_FAILURE() << what << ": accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Nieprawidłowy format pliku."_cp) << what;
  }
}

// The BMP decoder is needed for pictures inside metafiles.
bool BitmapsDecode() {
  std::string dib = Dib24(1, 1, {0xFF0000});
  ByteWriter w;
  w.Bytes("BM");
  w.U32(static_cast<uint32_t>(14 + dib.size()));
  w.U32(0);
  w.U32(54);
  w.Bytes(dib);
  try {
    return DecodeBmp(w.Data()).width == 1;
  } catch (const Error&) {
    return false;
  }
}

std::string PlaceableWmf() {
  WmfBuilder b;
  b.Pen(0, 0, 0x0000FF)                 // slot 0: red, one pixel
      .Brush(0, 0xFF0000)               // slot 1: blue
      .Rec(0x012D, {0})
      .Rec(0x012D, {1})
      .Box(0x041B, 100, 100, 300, 200)  // rectangle
      .Box(0x0418, 400, 100, 600, 300)  // ellipse
      .Polygon({{700, 100}, {900, 100}, {800, 300}})
      .Font(-100, 700, "Arial")         // slot 2
      .Rec(0x012D, {2})
      .Color(0x0209, 0x00FF00)
      .TextOut(100, 400, "Ab")
      .Eof();
  return b.Build(1000, 0, 0, 1000, 500);
}

TEST(Wmf, PlaceablePictureIsStretchedFromItsBoundingBox) {
  Picture picture;
  auto calls = Play(PlaceableWmf(), Rect{10, 20, 490, 260}, &picture);
  // 1000 × 500 units at 1000 units an inch: 96 × 48 pixels at 96 dpi.
  EXPECT_EQ(picture.Width(), 96);
  EXPECT_EQ(picture.Height(), 48);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].kind, K::Rectangle);
  EXPECT_EQ(calls[0].rect, (Rect{58, 68, 154, 116}));  // scale 0.48
  EXPECT_EQ(calls[0].pen, (Pen{0x0000FF, 1}));
  EXPECT_EQ(calls[0].fill, 0xFF0000u);
  EXPECT_EQ(calls[1].kind, K::Ellipse);
  EXPECT_EQ(calls[1].rect, (Rect{202, 68, 298, 164}));
  EXPECT_EQ(calls[2].kind, K::Polygon);
  ASSERT_EQ(calls[2].points.size(), 1u);
  EXPECT_EQ(calls[2].points[0], Pts({{346, 68}, {442, 68}, {394, 164}}));
  EXPECT_EQ(calls[3].kind, K::Text);
  EXPECT_EQ(calls[3].text, "Ab");
  EXPECT_EQ(calls[3].rect.left, 58);
  EXPECT_EQ(calls[3].rect.top, 212);
  EXPECT_EQ(calls[3].font.EmPixels(), 48);
  EXPECT_EQ(calls[3].font.style, unsigned{kBold});
  EXPECT_EQ(calls[3].font.color, 0x00FF00u);
}

TEST(Wmf, WindowWithUpwardYAndObjectSlotsReusedLowestFirst) {
  WmfBuilder b;
  b.Rec(0x020B, {100, -100})     // window origin (−100, 100)
      .Rec(0x020C, {-200, 200})  // extent 200 × −200: y grows upwards
      .Pen(5, 0, 0)              // slot 0: no outline
      .Brush(0, 0x0000FF)        // slot 1
      .Rec(0x00F7, {0x300, 0})   // slot 2: a palette takes a slot too
      .Rec(0x01F0, {1})          // slot 1 free again
      .Brush(0, 0x00FF00)        // slot 1
      .Brush(0, 0xFF00FF)        // slot 3
      .Rec(0x012D, {0})
      .Rec(0x012D, {1})
      .Box(0x041B, -50, 50, 50, -50)
      .Eof();
  Picture picture;
  auto calls = Play(b.Build(), Rect{0, 0, 100, 100}, &picture);
  EXPECT_EQ(picture.Width(), 200);
  EXPECT_EQ(picture.Height(), 200);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].rect, (Rect{25, 25, 75, 75}));
  EXPECT_FALSE(calls[0].pen.has_value());
  EXPECT_EQ(calls[0].fill, 0x00FF00u);
}

TEST(Wmf, WithoutAnyWindowThePictureIsWhatItDraws) {
  WmfBuilder b;
  b.Rec(0x0214, {10, 10})     // move to (10, 10)
      .Rec(0x0213, {60, 110})  // line to (110, 60)
      .Rec(0x0213, {10, 110})  // line to (110, 10): joins the same polyline
      .Eof();
  Picture picture;
  auto calls = Play(b.Build(), Rect{0, 0, 200, 100}, &picture);
  EXPECT_EQ(picture.Width(), 100);
  EXPECT_EQ(picture.Height(), 50);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, K::Polyline);
  EXPECT_EQ(calls[0].points[0], Pts({{0, 0}, {200, 100}, {200, 0}}));
  EXPECT_EQ(calls[0].pen, (Pen{kBlack, 1}));
}

TEST(Wmf, EmbeddedBitmapIsStretchedIntoItsRectangle) {
  if (!BitmapsDecode()) GTEST_SKIP() << "no BMP decoder in this build";
  ByteWriter w;
  w.U32(0x00CC0020);  // copy
  w.U16(0);           // RGB colours
  for (int v : {2, 2, 0, 0, 50, 100, 0, 0}) w.U16(static_cast<uint16_t>(v));
  w.Bytes(Dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
  WmfBuilder b;
  b.Raw(0x0F43, w.Data()).Eof();
  auto calls = Play(b.Build(96, 0, 0, 100, 50), Rect{0, 0, 200, 100});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, K::Image);
  EXPECT_EQ(calls[0].rect, (Rect{0, 0, 200, 100}));
  EXPECT_EQ(calls[0].imageWidth, 2);
  EXPECT_EQ(calls[0].imageHeight, 2);
}

std::string SampleEmf() {
  EmfBuilder e;
  e.Rec(38, {1, 0, 3, 0, 0x0000FF})   // pen 1: red, 3 units wide
      .Rec(39, {2, 0, 0x00FF00, 0})   // brush 2: green
      .Rec(37, {1})
      .Rec(37, {2})
      .Rec(43, {20, 20, 100, 60})      // rectangle
      .Rec(37, {0x80000005})           // stock: no brush
      .Rec(42, {120, 10, 180, 90})     // ellipse
      .Points(86, {{0, 0}, {10, 0}, {5, 10}}, true)
      .Font(3, -20, 700, u"Arial")
      .Rec(37, {3})
      .Rec(22, {24})                   // text on its baseline
      .TextW(10, 80, u"Zażółć")
      .Rec(37, {0x80000000})           // stock: white brush
      .Rec(59, {})                     // path
      .Rec(27, {150, 50})
      .Rec(54, {190, 50})
      .Rec(54, {190, 90})
      .Rec(61, {})
      .Rec(60, {})
      .Rec(62, {0, 0, 0, 0})           // fill it
      .Rec(35, {FloatBits(0.5f), 0, 0, FloatBits(0.5f), 0, 0})
      .Rec(43, {0, 0, 100, 100})
      .Eof();
  // 50 × 25 mm on a device of 4 pixels a millimetre: 200 × 100 reference pixels.
  return e.Build(0, 0, 5000, 2500);
}

TEST(Emf, ShapesPensFontsPathsAndTransformsAfterStretching) {
  Picture picture;
  auto calls = Play(SampleEmf(), Rect{0, 0, 400, 200}, &picture);
  EXPECT_EQ(picture.Width(), 189);  // 50 mm at 96 dpi
  EXPECT_EQ(picture.Height(), 94);
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].kind, K::Rectangle);
  EXPECT_EQ(calls[0].rect, (Rect{40, 40, 200, 120}));
  EXPECT_EQ(calls[0].pen, (Pen{0x0000FF, 6}));
  EXPECT_EQ(calls[0].fill, 0x00FF00u);
  EXPECT_EQ(calls[1].kind, K::Ellipse);
  EXPECT_EQ(calls[1].rect, (Rect{240, 20, 360, 180}));
  EXPECT_FALSE(calls[1].fill.has_value());
  EXPECT_EQ(calls[2].kind, K::Polygon);
  EXPECT_EQ(calls[2].points[0], Pts({{0, 0}, {20, 0}, {10, 20}}));
  EXPECT_EQ(calls[3].kind, K::Text);
  EXPECT_EQ(calls[3].text, "Zażółć"_cp);
  EXPECT_EQ(calls[3].font.EmPixels(), 40);
  EXPECT_EQ(calls[3].rect.left, 20);
  EXPECT_EQ(calls[3].rect.top, 160 - 32);  // baseline at 160, ascent 32
  EXPECT_EQ(calls[4].kind, K::Polygon);    // the filled path
  EXPECT_EQ(calls[4].points[0], Pts({{300, 100}, {380, 100}, {380, 180}}));
  EXPECT_FALSE(calls[4].pen.has_value());
  EXPECT_EQ(calls[4].fill, kWhite);
  EXPECT_EQ(calls[5].rect, (Rect{0, 0, 100, 100}));  // halved by the world transform
  EXPECT_EQ(calls[5].pen, (Pen{0x0000FF, 3}));
}

TEST(Emf, MappingModes) {
  EmfBuilder e;
  e.Rec(17, {8})                 // anisotropic
      .Rec(9, {1000, 1000})      // window extent
      .Rec(11, {200, 100})       // viewport extent
      .Rec(43, {0, 0, 500, 500})
      .Rec(17, {2})              // tenths of a millimetre, y upwards
      .Rec(12, {0, 100})         // viewport origin 100 pixels down
      .Rec(43, {0, 0, 100, 100})
      .Eof();
  auto calls = Play(e.Build(0, 0, 5000, 2500), Rect{0, 0, 200, 100});
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].rect, (Rect{0, 0, 100, 50}));
  EXPECT_EQ(calls[1].rect, (Rect{0, 60, 40, 100}));  // 10 mm = 40 pixels above y 100
}

TEST(Emf, EmbeddedBitmapCutToItsSourceRectangle) {
  if (!BitmapsDecode()) GTEST_SKIP() << "no BMP decoder in this build";
  std::string dib = Dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  ByteWriter w;
  w.Zeros(16);
  for (int v : {10, 10, 1, 0, 1, 1}) w.I32(v);  // dest x y, source x y (from the bottom) w h
  w.U32(8 + 72), w.U32(40), w.U32(8 + 72 + 40), w.U32(static_cast<uint32_t>(dib.size() - 40));
  w.U32(0), w.U32(0x00CC0020);
  w.I32(20), w.I32(20);
  w.Bytes(dib);
  EmfBuilder e;
  e.Raw(81, w.Data()).Eof();
  auto calls = Play(e.Build(0, 0, 2500, 2500), Rect{0, 0, 100, 100});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].rect, (Rect{10, 10, 30, 30}));
  EXPECT_EQ(calls[0].imageWidth, 1);
  EXPECT_EQ(calls[0].imageHeight, 1);
}

TEST(Metafile, DamagedAndLyingFilesAreRefused) {
  const std::string wmf = PlaceableWmf();
  const std::string emf = SampleEmf();
  ExpectFormatError(wmf.substr(0, wmf.size() - 6), "WMF without its end record");
  ExpectFormatError(emf.substr(0, emf.size() - 20), "EMF without its end record");
  ExpectFormatError("\xD7\xCD\xC6\x9A", "placeable key alone");

  std::string big = wmf;
  big[22 + 18] = '\xFF';  // first record claims 255 words more than the file holds
  big[22 + 19] = '\xFF';
  ExpectFormatError(big, "WMF record longer than the file");

  WmfBuilder many;
  many.Rec(0x0324, {30000, 1, 2}).Eof();  // polygon of 30000 points, two coordinates given
  ExpectFormatError(many.Build(96, 0, 0, 10, 10), "WMF point count beyond its record");

  WmfBuilder nothing;
  nothing.Eof();
  ExpectFormatError(nothing.Build(), "WMF with neither size nor drawing");

  std::string zero = emf;
  zero[88 + 4] = zero[88 + 5] = zero[88 + 6] = zero[88 + 7] = 0;  // record size 0
  ExpectFormatError(zero, "EMF record of size 0");

  std::string header = emf;
  header[4] = '\xFF';  // header larger than the file
  header[5] = '\xFF';
  ExpectFormatError(header, "EMF header beyond the file");

  EmfBuilder counts;
  counts.Rec(8, {0, 0, 0, 0, 2, 3, 2, 0x7FFFFFFF}).Eof();  // ring sizes beyond the total
  ExpectFormatError(counts.Build(0, 0, 100, 100), "EMF poly-polygon counts");

  EmfBuilder text;
  text.Raw(84, std::string(68, '\0')).Eof();
  std::string t = text.Build(0, 0, 100, 100);
  t[88 + 44] = '\x10';  // 16 characters, at offset 0x7F000000
  t[88 + 48 + 3] = '\x7F';
  ExpectFormatError(t, "EMF text outside its record");

  EmfBuilder noFrame;
  noFrame.Eof();
  std::string nf = noFrame.Build(0, 0, 0, 0);
  for (int i = 16; i < 24; ++i) nf[i] = '\xFF';  // empty bounds (0, 0, −1, −1) as well
  ExpectFormatError(nf, "EMF without size");

  ExpectFormatError(std::string("\x01\x00\x09\x00\x00\x03", 6), "WMF header cut short");
  ExpectFormatError(std::string(200, '\xAB'), "no picture at all");
}

TEST(Metafile, EveryCutAndEveryFlippedByteIsReadOrRefusedSafely) {
  for (const std::string& file : {PlaceableWmf(), SampleEmf()}) {
    for (size_t n = 0; n < file.size(); ++n) {
      try {
        Metafile::Parse(file.substr(0, n));
      } catch (const Error&) {
      }
    }
    for (size_t i = 0; i < file.size(); ++i) {
      std::string bad = file;
      bad[i] = static_cast<char>(bad[i] ^ 0xA5);
      try {
        auto m = Metafile::Parse(bad);
        TestCanvas canvas;
        PlayMetafile(canvas, *m, Rect{0, 0, 300, 200});
      } catch (const Error&) {
      }
    }
  }
}

TEST(Metafile, HostileCountsDoNotExhaustMemoryOrTime) {
  // Object slots far apart, a deep stack of saved states, and unknown records.
  EmfBuilder e;
  e.Rec(39, {0x7FFFFFF0, 0, 0x0000FF, 0}).Rec(37, {0x7FFFFFF0}).Rec(40, {0x7FFFFFFF});
  for (int i = 0; i < 5000; ++i) e.Rec(33, {});
  e.Rec(34, {-4000}).Rec(34, {-1000000}).Rec(34, {0x7FFFFFFF}).Rec(34, {-2147483647 - 1});
  e.Rec(9999, {1, 2, 3}).Rec(43, {0, 0, 10, 10}).Eof();
  auto calls = Play(e.Build(0, 0, 250, 250), Rect{0, 0, 10, 10});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].fill, 0x0000FFu);
}

TEST(Metafile, OutlinesMultipliedFromFewBytesAreBounded) {
  // Under a rotation every ellipse becomes a polygon of many points: a small file of many
  // ellipses must not grow without bound.
  EmfBuilder e;
  e.Rec(35, {FloatBits(0.6f), FloatBits(0.8f), FloatBits(-0.8f), FloatBits(0.6f), 0, 0});
  for (int i = 0; i < 40000; ++i) e.Rec(42, {0, 0, 10, 10});
  e.Eof();
  auto m = Metafile::Parse(e.Build(0, 0, 250, 250));
  EXPECT_GT(m->shapes.size(), 1000u);
  EXPECT_LT(m->shapes.size(), 40000u);
}

TEST(Metafile, BitmapsMultipliedFromFewBytesAreBounded) {
  // A run-length bitmap that ends at once is a few bytes for any size: the bitmaps of one
  // picture together keep no more pixels than one picture may have.
  ByteWriter dib;
  dib.U32(40), dib.I32(5000), dib.I32(5000), dib.U16(1), dib.U16(8), dib.U32(1);  // RLE8
  dib.Zeros(12), dib.U32(1), dib.U32(0);
  dib.U32(0x00FF0000);  // one palette entry
  const std::string header = dib.Data();
  ByteWriter rec;  // StretchDIBits: the header after the fixed part, then "end of picture"
  rec.Zeros(16);
  for (int v : {0, 0, 0, 0, 5000, 5000}) rec.I32(v);
  rec.U32(8 + 72), rec.U32(static_cast<uint32_t>(header.size()));
  rec.U32(static_cast<uint32_t>(8 + 72 + header.size())), rec.U32(2);
  rec.U32(0), rec.U32(0x00CC0020), rec.I32(100), rec.I32(100);
  rec.Bytes(header);
  rec.U16(0x0100);
  rec.U16(0);
  EmfBuilder e;
  for (int i = 0; i < 4; ++i) e.Raw(81, rec.Data());
  auto m = Metafile::Parse(e.Eof().Build(0, 0, 2500, 2500));
  int64_t pixels = 0;
  int images = 0;
  for (const auto& s : m->shapes)
    if (s.kind == Metafile::Shape::Kind::Image) {
      ++images;
      pixels += int64_t{s.image->width} * s.image->height;
    }
  EXPECT_EQ(images, 2);
  EXPECT_LE(pixels, kMaxPicturePixels);
}

}  // namespace
}  // namespace bilvox
