// The printed page of the current document: one drawing operation paints the whole A4 page
// (head blocks, items tables, VAT summary, totals, payment, the translated pass of a
// bilingual page, signatures, remarks, information frame, footer) onto any canvas at any
// resolution. The preview and the printer use the same drawing; only the resolution and
// the text area differ.
#pragma once

#include <string>
#include <string_view>

#include "document/faktura.h"
#include "printout/canvas.h"
#include "settings/settings.h"

namespace bilvox {

// The error raised when the content does not fit on the one page.
inline constexpr std::string_view kPageOverflowMessage =
    "Zbyt dużo danych na fakturze.\n\rSpróbuj skrócić część danych (np. ilość towarów) tak,"
    "\n\raby wydruk mieścił się na jednej stronie."_cp;

// The size of an A4 sheet in device pixels at a resolution: 210 × 297 mm.
int PageWidth(int dpi);
int PageHeight(int dpi);

// The drawing state of the program: one object for the run, as the drawing is not
// re-entrant. It reads the document and the settings and never changes them; the only
// process-wide state it changes is the active printout text set and the active currency
// display (see Draw).
class PageDrawing {
 public:
  PageDrawing(const TFaktura& document, const TAppSettings& settings)
      : document_(document), settings_(settings) {}

  const TFaktura& Document() const { return document_; }
  const TAppSettings& Settings() const { return settings_; }

  // Draws the page at `dpi` pixels per inch; `copyMark` is the sheet's mark (shown only on
  // documents issued before 2013). The caller selects the texts of the document's language
  // first. Outside a print job the page itself is drawn too (a white A4 rectangle with a
  // drop shadow at the canvas origin) and the text area becomes the preview's; while
  // printing the text area set by the print job is used.
  //
  // Afterwards the document's own text set (the Polish one for language 3) and the home
  // currency display are active. Throws Error(kPageOverflowMessage) when the content runs
  // past the footer line, the bottom information frame or the bottom of the text area;
  // what was drawn up to then stays on the canvas.
  void Draw(Canvas& canvas, int dpi, std::string_view copyMark);

  // Set by the print operation for the duration of a job.
  bool Printing() const { return printing_; }
  void SetPrinting(bool printing) { printing_ = printing; }

  // The text area in device pixels: what the last preview drawing or print job set.
  const Rect& TextArea() const { return area_; }
  void SetTextArea(const Rect& area) { area_ = area; }

  // The resolution of the last drawing and the position where its content ended (below
  // the remarks: the place the free room of the page is measured from).
  int Dpi() const { return dpi_; }
  int ContentBottom() const { return y_; }

 private:
  const TFaktura& document_;
  const TAppSettings& settings_;
  bool printing_ = false;
  Rect area_;
  int dpi_ = 0;
  int y_ = 0;
};

}  // namespace bilvox
