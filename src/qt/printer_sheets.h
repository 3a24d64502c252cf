// The sheets of a print job on a printer of the system (through Qt Print Support): portrait,
// titled, at the printer's resolution, with the printer's unprintable border as the offset of
// the page's drawing.
#pragma once

#include <QPainter>
#include <memory>
#include <string_view>

#include "printout/print_job.h"
#include "qt_canvas.h"

class QPrinter;

namespace bilvox {

class PrinterSheetSink : public SheetSink {
 public:
  // The printer must outlive the sink.
  explicit PrinterSheetSink(QPrinter& printer);
  ~PrinterSheetSink() override;

  // False when the printer cannot be printed on (not installed, or gone since it was chosen).
  bool Available() override;
  // Throws Error when the job cannot start (the printer refuses it).
  void BeginJob(std::string_view title) override;
  int Dpi() override;
  Point PhysicalOffset() override;
  Canvas& SheetCanvas() override;
  // Throws Error when the printer cannot give another sheet.
  void NewSheet() override;
  // Throws Error when the printer reports the job failed.
  void EndJob() override;
  void AbortJob() override;

 private:
  QPrinter& printer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace bilvox
