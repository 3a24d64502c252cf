// The canvas on QPainter: fonts, measured against drawn text at screen and printer
// resolutions, exact frames and lines, pictures, and a PDF whose text can be read back.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "common/cp1250.h"
#include "document/picture.h"
#include "gui_app.h"
#include "printout/page_painter.h"
#include "printout/text_wrap.h"
#include "qt_canvas.h"
#include "support/metafile_builder.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

class QtCanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  static QImage White(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
  }
};

struct Ink {
  int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;  // inclusive
};

Ink FindInk(const QImage& img) {
  Ink ink;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 160) {
        ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
      }
  return ink;
}

QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

TEST_F(QtCanvasTest, ArialIsServedByAMetricCompatibleFace) {
  QFont font("Arial");
  font.setPixelSize(20);
  EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
}

TEST_F(QtCanvasTest, TextIsDrawnWhereAndAsWideAsMeasuredAtAnyResolution) {
  // Long enough that a per-character error would add up to several pixels.
  const std::string text(std::string("Zażółć gęślą jaźń ĄĘ, Wartość netto: 1 234,56 zł; AVAWAY"_cp) + "MH");
  int widths[2], heights[2];
  int i = 0;
  for (int dpi : {100, 600}) {
    QImage img = White(dpi * 7, dpi / 2);
    QPainter painter(&img);
    QtCanvas canvas(painter);
    PagePainter p(canvas, dpi);
    p.SetFont(10);
    const int w = canvas.TextWidth(text);
    const TextMetrics m = canvas.Metrics();
    const int x = dpi / 10, y = dpi / 20;
    canvas.DrawText({x, y}, text);
    painter.end();
    Ink ink = FindInk(img);
    const int em = p.Font().EmPixels();
    EXPECT_GE(ink.left, x) << dpi;
    EXPECT_LE(ink.right, x + w) << dpi;          // never past the measured width
    EXPECT_GE(ink.right, x + w - em / 4 - 1) << dpi;  // and the last letter ends near it
    EXPECT_GE(ink.top, y) << dpi;                 // accents included, inside the line
    EXPECT_LE(ink.bottom, y + m.height) << dpi;
    EXPECT_GT(m.ascent, m.height / 2) << dpi;
    // Parts never measure more than the whole plus rounding.
    EXPECT_LE(canvas.TextWidth(text), canvas.TextWidth(text.substr(0, 9)) +
                                          canvas.TextWidth(text.substr(9)) + 1);
    for (const WrappedLine& l : WrapText(canvas, text, w / 2)) EXPECT_LE(l.width, w / 2);
    widths[i] = w, heights[i] = m.height;
    ++i;
  }
  // The same text at six times the resolution is six times as large.
  EXPECT_NEAR(widths[1], 6.0 * widths[0], 0.02 * widths[1]);
  EXPECT_NEAR(heights[1], 6.0 * heights[0], 0.05 * heights[1]);
}

TEST_F(QtCanvasTest, FramesFillsAndLinesHitExactPixels) {
  QImage img = White(200, 100);
  {
    QPainter painter(&img);
    QtCanvas canvas(painter);
    TAppSettings style;
    style.LinesColor = 0x0000FF;  // red
    PagePainter p(canvas, 100, style);
    p.SetTextArea(Rect{0, 0, 200, 100});
    p.FramedCell(Rect{20, 20, 80, 60}, 0xE5E5E5, "", VAlign::Bottom, HAlign::Left, 0);
    canvas.Rectangle(Rect{100, 20, 150, 60}, Pen{0x00FF00, 1}, 0xFF0000);
    canvas.Rectangle(Rect{160, 20, 190, 60}, Pen{kBlack, 3}, std::nullopt);
    canvas.Line({10, 90}, {20, 90}, Pen{kBlack, 1});
    canvas.Line({30, 95}, {30, 80}, Pen{kBlack, 1});
  }
  const QRgb red = Rgb(255, 0, 0), green = Rgb(0, 255, 0), blue = Rgb(0, 0, 255);
  const QRgb white = Rgb(255, 255, 255), black = Rgb(0, 0, 0), fill = Rgb(0xE5, 0xE5, 0xE5);
  // Framed cell: frame one pixel up and left of the cell, and on its last column and row.
  EXPECT_EQ(img.pixel(19, 19), red);
  EXPECT_EQ(img.pixel(79, 59), red);
  EXPECT_EQ(img.pixel(19, 40), red);
  EXPECT_EQ(img.pixel(79, 40), red);
  EXPECT_EQ(img.pixel(50, 59), red);
  EXPECT_EQ(img.pixel(50, 40), fill);
  EXPECT_EQ(img.pixel(20, 40), fill);
  EXPECT_EQ(img.pixel(18, 40), white);
  EXPECT_EQ(img.pixel(80, 40), white);
  EXPECT_EQ(img.pixel(50, 60), white);
  // Outlined and filled rectangle: the outline on its border pixels.
  EXPECT_EQ(img.pixel(100, 20), green);
  EXPECT_EQ(img.pixel(149, 59), green);
  EXPECT_EQ(img.pixel(101, 21), blue);
  EXPECT_EQ(img.pixel(150, 40), white);
  // A wide pen grows inwards.
  EXPECT_EQ(img.pixel(162, 40), black);
  EXPECT_EQ(img.pixel(163, 40), white);
  EXPECT_EQ(img.pixel(187, 40), black);
  EXPECT_EQ(img.pixel(190, 40), white);
  // Lines leave out their end points.
  EXPECT_EQ(img.pixel(10, 90), black);
  EXPECT_EQ(img.pixel(19, 90), black);
  EXPECT_EQ(img.pixel(20, 90), white);
  EXPECT_EQ(img.pixel(30, 95), black);
  EXPECT_EQ(img.pixel(30, 81), black);
  EXPECT_EQ(img.pixel(30, 80), white);
}

TEST_F(QtCanvasTest, TextClippedToItsBox) {
  QImage img = White(300, 100);
  {
    QPainter painter(&img);
    QtCanvas canvas(painter);
    PagePainter p(canvas, 300);
    p.SetTextArea(Rect{0, 0, 300, 100});
    p.SetFont(12);
    p.TextBlock(10, 10, HAlign::Left, "WWWWWWWW", 40);  // breaks between characters
    const Rect clip{100, 0, 130, 100};
    canvas.DrawText({100, 10}, "WWWWWWWW", &clip);
  }
  Ink left = FindInk(img.copy(0, 0, 100, 100));
  EXPECT_LE(left.right, 50);
  Ink clipped = FindInk(img.copy(100, 0, 200, 100));
  EXPECT_LE(clipped.right, 29);
  EXPECT_GE(clipped.right, 25);
}

TEST_F(QtCanvasTest, RasterPictureIsStretchedSmoothly) {
  RasterImage raster;
  raster.width = raster.height = 2;
  raster.pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x00000000};  // transparent corner
  QImage img = White(120, 120);
  {
    QPainter painter(&img);
    QtCanvas canvas(painter);
    canvas.DrawPicture(Rect{10, 10, 110, 110}, Picture::FromRaster(raster));
  }
  auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 40 && std::abs(qGreen(a) - qGreen(b)) < 40 &&
           std::abs(qBlue(a) - qBlue(b)) < 40;
  };
  EXPECT_TRUE(near(img.pixel(15, 15), Rgb(255, 0, 0)));
  EXPECT_TRUE(near(img.pixel(105, 15), Rgb(0, 255, 0)));
  EXPECT_TRUE(near(img.pixel(15, 105), Rgb(0, 0, 255)));
  EXPECT_TRUE(near(img.pixel(105, 105), Rgb(255, 255, 255)));
  EXPECT_EQ(img.pixel(5, 5), Rgb(255, 255, 255));
  // Smooth: between red and green the colours blend.
  QRgb mid = img.pixel(60, 15);
  EXPECT_GT(qRed(mid), 40);
  EXPECT_GT(qGreen(mid), 40);
}

TEST_F(QtCanvasTest, VectorPicturesArePlayedIntoTheirRectangle) {
  testing::WmfBuilder wmf;
  wmf.Pen(5, 0, 0)
      .Brush(0, 0xFF0000)
      .Rec(0x012D, {0})
      .Rec(0x012D, {1})
      .Box(0x041B, 0, 0, 500, 500)       // left half blue
      .Brush(0, 0x0000FF)
      .Rec(0x012D, {2})
      .Box(0x0418, 500, 0, 1000, 500)   // red disc in the right half
      .Eof();
  testing::EmfBuilder emf;
  emf.Rec(39, {1, 0, 0x00FF00, 0})
      .Rec(37, {1})
      .Rec(37, {0x80000008})  // no outline
      .Rec(59, {})
      .Rec(27, {0, 0})
      .Rec(54, {100, 0})
      .Rec(54, {0, 100})
      .Rec(60, {})
      .Rec(62, {0, 0, 0, 0})
      .Eof();
  QImage img = White(400, 200);
  {
    QPainter painter(&img);
    QtCanvas canvas(painter);
    canvas.DrawPicture(Rect{0, 0, 200, 100}, DecodePicture(wmf.Build(1000, 0, 0, 1000, 500)));
    // 25 × 25 mm at 4 pixels a millimetre: the triangle fills the upper left half.
    canvas.DrawPicture(Rect{200, 0, 400, 200}, DecodePicture(emf.Build(0, 0, 2500, 2500)));
  }
  EXPECT_EQ(img.pixel(50, 50), Rgb(0, 0, 255));
  EXPECT_EQ(img.pixel(150, 50), Rgb(255, 0, 0));
  EXPECT_EQ(img.pixel(102, 2), Rgb(255, 255, 255));  // outside the disc
  EXPECT_EQ(img.pixel(220, 20), Rgb(0, 255, 0));
  EXPECT_EQ(img.pixel(380, 180), Rgb(255, 255, 255));
}

TEST_F(QtCanvasTest, PdfHoldsTheTextWithPolishLetters) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext missing";
  testing::TempDir dir;
  const std::string pdf = dir.File("page.pdf");
  const std::string text = "Faktura VAT — Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ 1 234,56 zł";
  int pdfWidth = 0;
  {
    QPdfWriter writer(QString::fromStdString(pdf));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    QtCanvas canvas(painter);
    PagePainter p(canvas, 600);
    p.SetTextArea(Rect{p.Px(15), p.Px(15), p.Px(195), p.Px(282)});
    p.SetFont(10, kBlack, kBold);
    p.TextBlock(p.Px(15), p.Px(15), HAlign::Left, *FromUtf8(text), p.Px(180));
    pdfWidth = canvas.TextWidth(*FromUtf8(text));
    p.FramedCell(Rect{p.Px(15), p.Px(30), p.Px(100), p.Px(40)}, 0xE5E5E5, "Razem"_cp,
                 VAlign::Center, HAlign::Center, p.Px(0.8));
  }
  // The same font measures alike on the PDF and on an image of the same resolution.
  QImage img = White(10, 10);
  QPainter painter(&img);
  QtCanvas onImage(painter);
  onImage.SetFont(FontSpec{"Arial", 10, 600, kBold});
  EXPECT_NEAR(pdfWidth, onImage.TextWidth(*FromUtf8(text)), 0.01 * pdfWidth);

  const std::string out = dir.File("page.txt");
  ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + pdf + "' '" + out + "'").c_str()), 0);
  std::string read = testing::ReadBytes(out);
  EXPECT_NE(read.find(text), std::string::npos) << read;
  EXPECT_NE(read.find("Razem"), std::string::npos) << read;
}

}  // namespace
}  // namespace bilvox
