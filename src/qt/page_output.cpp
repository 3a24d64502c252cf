#include "page_output.h"

#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>

#include "common/cp1250.h"
#include "common/error.h"
#include "printout/texts.h"

namespace bilvox {

namespace {

// Qt's PNG writer takes the zlib level from the quality, (100 - quality) * 9 / 91: 69 gives
// level 3, 0 gives level 9.
constexpr int kQualityLevel3 = 69;
constexpr int kQualityLevel9 = 0;

QByteArray EncodePng(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(quality);
  if (!writer.write(image)) throw Error(std::string("Nie udało się zapisać obrazu PNG."_cp));
  return bytes;
}

}  // namespace

QImage RenderPreview(PageDrawing& drawing, int dpi, std::string* trace) {
  QImage image(PageWidth(dpi) + 5, PageHeight(dpi) + 5, QImage::Format_RGB32);
  image.fill(ToQColor(kPreviewBackground));
  QPainter painter(&image);
  QtCanvas canvas(painter);
  if (!trace) {
    drawing.Draw(canvas, dpi, Text(TextKey::MarkOriginal));
    return image;
  }
  TracingCanvas tracing(canvas);
  drawing.Draw(tracing, dpi, Text(TextKey::MarkOriginal));
  *trace = tracing.JsonLines();
  return image;
}

// Measured on the preview of a page: the zlib levels 1 to 3 (without lazy matching) take
// about two thirds of the time of Qt's default level, and level 3 gives the smallest file
// of them. From level 4 on libpng's filtered-data strategy applies; at 100 dpi it makes even
// level 9 larger than level 3, at 300 dpi level 9 is a few per cent smaller. The smallest
// file therefore comes from trying both.
QByteArray PngBytes(const QImage& image, PngCompression compression) {
  QByteArray fast = EncodePng(image, kQualityLevel3);
  if (compression == PngCompression::Fast) return fast;
  QByteArray tight = EncodePng(image, kQualityLevel9);
  return tight.size() < fast.size() ? tight : fast;
}

PdfSheetSink::PdfSheetSink(int dpi, bool trace) : dpi_(dpi), trace_(trace) {}

PdfSheetSink::~PdfSheetSink() { Close(); }

void PdfSheetSink::BeginJob(std::string_view title) {
  Close();
  bytes_.clear();
  pdf_.clear();
  traceLines_.clear();
  buffer_ = std::make_unique<QBuffer>(&bytes_);
  buffer_->open(QIODevice::WriteOnly);
  writer_ = std::make_unique<QPdfWriter>(buffer_.get());
  writer_->setTitle(Cp1250ToQString(title));
  writer_->setCreator(QStringLiteral("Bilvox"));
  writer_->setResolution(dpi_);
  writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
  painter_ = std::make_unique<QPainter>(writer_.get());
  canvas_ = std::make_unique<QtCanvas>(*painter_);
  if (trace_) tracing_ = std::make_unique<TracingCanvas>(*canvas_);
  sheets_ = 1;
}

Canvas& PdfSheetSink::SheetCanvas() {
  if (tracing_) return *tracing_;
  return *canvas_;
}

void PdfSheetSink::NewSheet() {
  writer_->newPage();
  ++sheets_;
}

void PdfSheetSink::EndJob() {
  Close();
  pdf_ = bytes_;
}

void PdfSheetSink::AbortJob() {
  Close();
  bytes_.clear();
  sheets_ = 0;
}

void PdfSheetSink::Close() {
  if (tracing_) traceLines_ += tracing_->JsonLines();
  tracing_.reset();
  canvas_.reset();
  if (painter_) painter_->end();
  painter_.reset();
  writer_.reset();
  buffer_.reset();
}

}  // namespace bilvox
