#include "page_output.h"

#include <QPageLayout>
#include <QPageSize>

#include "common/cp1250.h"
#include "printout/texts.h"

namespace bilvox {

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
