// Printing the page as sheets: the job's geometry (text area from the printer's resolution
// and unprintable border) and the copy marks of the sheets, on any sink of sheets: a
// printer, a PDF file or a test's recorder.
#pragma once

#include <string>
#include <string_view>

#include "printout/canvas.h"
#include "printout/page.h"

namespace bilvox {

// One print request: the job's title and which of the two sheets to print. With neither,
// one sheet for self-copying paper is printed, marked both original and copy.
struct PrintRequest {
  std::string title;
  bool first = false;   // the sheet marked original
  bool second = false;  // the sheet marked copy
};

// The sheets of one print job.
class SheetSink {
 public:
  virtual ~SheetSink() = default;
  // False when there is nothing to print on (no printer installed).
  virtual bool Available() { return true; }
  // Begins a job of portrait sheets with the title; the first sheet is then open.
  virtual void BeginJob(std::string_view title) = 0;
  // Horizontal resolution in pixels per inch, used for both axes.
  virtual int Dpi() = 0;
  // The unprintable border at the left and top, in device pixels.
  virtual Point PhysicalOffset() = 0;
  // The canvas of the open sheet.
  virtual Canvas& SheetCanvas() = 0;
  virtual void NewSheet() = 0;
  virtual void EndJob() = 0;
  // Ends a job whose drawing failed; what it printed is discarded where possible.
  virtual void AbortJob() = 0;
};

// The text area of a printed page: 15 mm from the sheet's left and top edges (less the
// unprintable border), 180 mm wide and 267 mm high.
Rect PrintTextArea(int dpi, Point offset);

// Prints the page on the sink's sheets: the original, a new sheet, the copy, as the request
// says. The marks are those of the active text set when the job starts. Does nothing when
// the sink is not available or a job is already running. When the drawing fails (a page
// that does not fit) the job is aborted and the printing flag cleared before the error
// goes on to the caller.
void PrintPages(PageDrawing& drawing, SheetSink& sink, const PrintRequest& request);

// Which sheets to print, as the two sheet-selection windows offer them.
enum class SheetChoice { Original, Copy, Both, SelfCopy };

// Whether the sheets are offered as marked original and copy (documents issued up to
// 2013-01-01) rather than as one or two copies of the document (later ones).
bool OffersMarkedSheets(const TFaktura& document);

// The request for a choice: documents issued up to 2013-01-01 get the titles of the marked
// sheets ("Bilvox: oryginał", ...), later ones the document number as title.
PrintRequest RequestForSheets(SheetChoice choice, const TFaktura& document);

}  // namespace bilvox
