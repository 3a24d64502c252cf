// Drawing speed of the real page: an invoice of 20 lines (some names on two lines) with
// seller, buyer, VAT summary, payment and remarks (no signature room, so that it fits),
// drawn as the preview into an image at 100 dpi and printed as a one-page PDF at 600 dpi.
#include <benchmark/benchmark.h>

#include <QImage>

#include "common/cp1250.h"
#include "document/faktura.h"
#include "gui_app.h"
#include "page_output.h"
#include "printout/print_job.h"
#include "printout/texts.h"

namespace {

using namespace bilvox;

// The 20-line invoice, ready to draw.
struct Page {
  Page() : drawing(doc, settings) {
    EnsureGuiApplication();
    FillInvoice();
    SelectTexts(doc.DocLanguage());
  }
  void FillInvoice();

  TFaktura doc;
  TAppSettings settings;
  PageDrawing drawing;
};

void Page::FillInvoice() {
  doc.SetNumber("FV 12/03/2027");
  doc.SetPlaceOfIssue("Warszawa");
  doc.SetSellerName("Przedsiębiorstwo Handlowo-Usługowe \"Żuraw\" Sp. z o.o."_cp);
  doc.SetSellerAddress("ul. Długa 12/3\r\n00-950 Warszawa"_cp);
  doc.SetSellerNIP("123-456-32-18");
  doc.SetBuyerName("Apteka Pod Orłem s.c."_cp);
  doc.SetBuyerAddress("ul. Krótka 5\r\n30-001 Kraków"_cp);
  doc.SetBuyerNIP("PL 1234563218");
  doc.SetPaymentForm("przelew");
  doc.SetRemarks("Towar odebrano osobiście."_cp);
  for (int i = 0; i < 20; ++i)
    doc.AddLine(i % 5 == 0
                    ? "Usługa transportowa na trasie Warszawa – Kraków z rozładunkiem"_cp
                    : "Papier ksero A4, ryza 500 arkuszy",
                "", i % 7 == 3 ? 8 : 7, false, Currency::Of(12 + i, 3450), 1.5 + i, "17.12.14",
                "", "szt.");
}

void BM_PreviewPage100Dpi(benchmark::State& state) {
  Page page;
  for (auto _ : state) {
    QImage image = RenderPreview(page.drawing, 100);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PreviewPage100Dpi)->Unit(benchmark::kMillisecond);

void BM_PdfPage600Dpi(benchmark::State& state) {
  Page page;
  const PrintRequest request = RequestForSheets(SheetChoice::Original, page.doc);
  for (auto _ : state) {
    PdfSheetSink sink(600);
    PrintPages(page.drawing, sink, request);
    benchmark::DoNotOptimize(sink.Pdf().size());
  }
}
BENCHMARK(BM_PdfPage600Dpi)->Unit(benchmark::kMillisecond);

// Encoding the preview at 100 dpi as a PNG file: Qt's default compression for comparison,
// then the fast default and the smallest setting; the counter "bytes" is the file's size.
void BM_PreviewPngQtDefault(benchmark::State& state) {
  Page page;
  const QImage image = RenderPreview(page.drawing, 100);
  qsizetype size = 0;
  for (auto _ : state) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    size = bytes.size();
  }
  state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_PreviewPngQtDefault)->Unit(benchmark::kMillisecond);

void BM_PreviewPng(benchmark::State& state) {
  Page page;
  const QImage image = RenderPreview(page.drawing, 100);
  const auto compression = static_cast<PngCompression>(state.range(0));
  qsizetype size = 0;
  for (auto _ : state) size = PngBytes(image, compression).size();
  state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_PreviewPng)
    ->Arg(static_cast<int>(PngCompression::Fast))
    ->Arg(static_cast<int>(PngCompression::Smallest))
    ->Unit(benchmark::kMillisecond);


}  // namespace
