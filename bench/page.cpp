// Drawing speed of the real page: the invoice of 20 lines of inputs.h, drawn as the preview
// into an image at 100 dpi, printed as a one-page PDF at 600 dpi, and the preview encoded
// as a PNG file.
#include <benchmark/benchmark.h>

#include <QImage>

#include "common/cp1250.h"
#include "document/faktura.h"
#include "gui_app.h"
#include "inputs.h"
#include "page_output.h"
#include "printout/print_job.h"
#include "printout/texts.h"

namespace {

using namespace bilvox;

// The 20-line invoice, ready to draw.
struct Page {
  Page() : drawing(doc, settings) {
    EnsureGuiApplication();
    bench::FillInvoice(doc);
    SelectTexts(doc.DocLanguage());
  }
  TFaktura doc;
  TAppSettings settings;
  PageDrawing drawing;
};

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
