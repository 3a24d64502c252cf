// Drawing speed of the Qt canvas with a page's worth of primitives: head texts, a framed
// table of 20 lines with wrapped names, a summary and totals; into a preview image at
// 100 dpi and into a one-page PDF at 600 dpi.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <string>

#include "common/cp1250.h"
#include "printout/page_painter.h"
#include "qt_canvas.h"

namespace {

using namespace bilvox;

QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  return *app;
}

void DrawPage(PagePainter& p, bool preview) {
  const int dpi = p.Dpi();
  if (preview) {
    const int w = p.Px(210), h = p.Px(297);
    p.FillRect(Rect{w, 5, w + 5, h + 5}, 0x5F5F5F);
    p.FillRect(Rect{5, h, w + 5, h + 5}, 0x5F5F5F);
    p.SetPen(kBlack);
    p.Rectangle(Rect{0, 0, w, h}, kWhite);
  }
  p.SetTextArea(Rect{p.Px(15), p.Px(15), p.Px(195), p.Px(283)});
  const Rect a = p.TextArea();
  int y = a.top;
  p.SetFont(7);
  for (int i = 0; i < 5; ++i) {
    p.TextBlock(a.right - p.Px(70), y, HAlign::Left, "Data wystawienia:"_cp, p.Px(47));
    y = p.TextBlock(a.right, y, HAlign::Right, "2027-03-05", p.Px(23));
  }
  p.SetFont(16);
  y = p.TextBlock((a.left + a.right) / 2, y + p.Px(2), HAlign::Center, "Faktura  FV 12/03/2027", a.Width());
  for (int col = 0; col < 2; ++col) {
    int x = col ? (a.left + a.right) / 2 + p.Px(4) : a.left;
    int w = (a.Width()) / 2 - p.Px(4);
    p.SetFont(10, kBlack, kBold | kUnderline);
    p.TextLine(x, y + p.Px(1), col ? "Nabywca:" : "Sprzedawca:");
    p.SetFont(10);
    int t = y + p.Px(6);
    t += p.CellText(Rect{x, t, x + w, a.bottom}, "Przedsiębiorstwo Handlowo-Usługowe \"Żuraw\" Sp. z o.o."_cp, VAlign::Top, HAlign::Left, 0);
    t += p.CellText(Rect{x, t, x + w, a.bottom}, "ul. Długa 12/3\r\n00-950 Warszawa"_cp, VAlign::Top, HAlign::Left, 0);
    p.TextBlock(x, t, HAlign::Left, "NIP: 123-456-78-90", w);
  }
  y += p.Px(30);
  static const double edges[] = {7, 70, 90, 100, 110, 127.5, 145, 162.5, 180};
  const int inset = p.Px(0.8);
  p.SetFont(7, kBlack, kBold);
  int x = a.left;
  for (double e : edges) {
    int r = a.left + p.Px(e);
    p.FramedCell(Rect{x, y, r, y + p.Px(8)}, 0xE5E5E5, "Wartość netto"_cp, VAlign::Center, HAlign::Center, inset);
    x = r;
  }
  y += p.Px(8);
  p.SetFont(7);
  for (int row = 0; row < 20; ++row) {
    int h = p.Px(row % 3 == 0 ? 7 : 4);
    x = a.left;
    for (size_t c = 0; c < std::size(edges); ++c) {
      int r = a.left + p.Px(edges[c]);
      std::string text = c == 1 ? std::string("Usługa transportowa na trasie Warszawa – Kraków z rozładunkiem i wniesieniem"_cp)
                                : std::string("1 234,56");
      p.FramedCell(Rect{x, y, r, y + h}, kWhite, text, VAlign::Bottom, c == 1 ? HAlign::Left : HAlign::Right, inset);
      x = r;
    }
    y += h;
  }
  p.Shadow(Rect{a.right, y - p.Px(100), a.right + p.Px(1.3), y + p.Px(1.3)});
  for (int row = 0; row < 5; ++row) {
    x = a.left + p.Px(90);
    for (int c = 0; c < 4; ++c) {
      p.FramedCell(Rect{x, y, x + p.Px(22.5), y + p.Px(4)}, kWhite, "23%", VAlign::Bottom, HAlign::Right, inset);
      x += p.Px(22.5);
    }
    y += p.Px(4);
  }
  p.SetFont(12, kBlack, kBold);
  y = p.TextBlock(a.right, y + p.Px(1), HAlign::Right, "Do zapłaty:   24 691,20 zł"_cp, a.Width());
  p.SetFont(8);
  y = p.TextBlock(a.right, y, HAlign::Right, "Słownie:   dwadzieścia cztery tysiące sześćset dziewięćdziesiąt jeden złotych 20/100"_cp, a.Width());
  p.SetPen(kBlack);
  p.Line({a.left, y + p.Px(1.5)}, {a.right, y + p.Px(1.5)});
  p.SetFont(6, 0x5F5F5F);
  p.TextBlock((a.left + a.right) / 2, a.bottom - p.Px(3), HAlign::Center, "Wystawiono programem Bilvox", a.Width());
  (void)dpi;
}

void BM_PreviewPage100Dpi(benchmark::State& state) {
  App();
  QImage image(Px(100, 210) + 12, Px(100, 297) + 12, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    PagePainter p(canvas, 100);
    DrawPage(p, true);
  }
}
BENCHMARK(BM_PreviewPage100Dpi)->Unit(benchmark::kMillisecond);

void BM_PdfPage600Dpi(benchmark::State& state) {
  App();
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    QtCanvas canvas(painter);
    PagePainter p(canvas, 600);
    DrawPage(p, false);
    painter.end();
    benchmark::DoNotOptimize(buffer.data().size());
  }
}
BENCHMARK(BM_PdfPage600Dpi)->Unit(benchmark::kMillisecond);

}  // namespace
