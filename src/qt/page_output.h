// The printed page rendered by Qt: the preview image (the sheet with its drop shadow) and
// PDF files whose sheets come from the print operation.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <string>
#include <string_view>

#include "printout/page.h"
#include "printout/print_job.h"
#include "printout/tracing_canvas.h"
#include "qt_canvas.h"

namespace bilvox {

// The colour around the sheet in a preview image.
inline constexpr ColorRef kPreviewBackground = 0xC0C0C0;

// The preview of the page at `dpi`: an image of the sheet plus its 5-pixel drop shadow on
// the neutral background, drawn with the mark of the original. When `trace` is given it
// receives every drawing call as JSON lines. Throws Error when the page does not fit.
QImage RenderPreview(PageDrawing& drawing, int dpi, std::string* trace = nullptr);

// How hard a PNG file is compressed: quickly (the default: a page is a few times faster to
// write and a little larger), or for the smallest file.
enum class PngCompression { Fast, Smallest };

// The image as the bytes of a PNG file. Throws Error when it cannot be encoded.
QByteArray PngBytes(const QImage& image, PngCompression compression = PngCompression::Fast);

// PDF sheets of A4 portrait without margins at a fixed resolution, written into memory.
// The printer's unprintable border is 0.
class PdfSheetSink : public SheetSink {
 public:
  explicit PdfSheetSink(int dpi, bool trace = false);
  ~PdfSheetSink() override;

  void BeginJob(std::string_view title) override;
  int Dpi() override { return dpi_; }
  Point PhysicalOffset() override { return {0, 0}; }
  Canvas& SheetCanvas() override;
  void NewSheet() override;
  void EndJob() override;
  void AbortJob() override;

  // The finished file (empty until the job ended, and after an aborted job).
  const QByteArray& Pdf() const { return pdf_; }
  int Sheets() const { return sheets_; }
  // Every drawing call of the job's sheets in order, as JSON lines (when tracing).
  const std::string& TraceJsonLines() const { return traceLines_; }

 private:
  void Close();

  int dpi_;
  bool trace_;
  QByteArray bytes_;
  QByteArray pdf_;
  int sheets_ = 0;
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> canvas_;
  std::unique_ptr<TracingCanvas> tracing_;
  std::string traceLines_;
};

}  // namespace bilvox
