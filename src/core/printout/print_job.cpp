#include "printout/print_job.h"

#include "common/cp1250.h"
#include "printout/texts.h"
#include "words/money_text.h"

namespace bilvox {

Rect PrintTextArea(int dpi, Point offset) {
  const int left = MmToDevice(dpi, 15) - offset.x;
  const int top = MmToDevice(dpi, 15) - offset.y;
  return Rect{left, top, left + MmToDevice(dpi, 180), top + MmToDevice(dpi, 267)};
}

void PrintPages(PageDrawing& drawing, SheetSink& sink, const PrintRequest& request) {
  if (!sink.Available() || drawing.Printing()) return;
  const std::string original = Text(TextKey::MarkOriginal);
  const std::string copy = Text(TextKey::MarkCopy);
  drawing.SetPrinting(true);
  struct ClearFlag {
    PageDrawing& drawing;
    ~ClearFlag() { drawing.SetPrinting(false); }
  } clearFlag{drawing};
  try {
    sink.BeginJob(request.title);
    const int dpi = sink.Dpi();
    drawing.SetTextArea(PrintTextArea(dpi, sink.PhysicalOffset()));
    if (!request.first && !request.second)
      drawing.Draw(sink.SheetCanvas(), dpi, original + " / " + copy);
    if (request.first) drawing.Draw(sink.SheetCanvas(), dpi, original);
    if (request.first && request.second) sink.NewSheet();
    if (request.second) drawing.Draw(sink.SheetCanvas(), dpi, copy);
  } catch (...) {
    sink.AbortJob();
    throw;
  }
  sink.EndJob();
}

bool OffersMarkedSheets(const TFaktura& document) {
  return WholeDays(document.IssueDate()) <= DayNumber(2013, 1, 1);
}

PrintRequest RequestForSheets(SheetChoice choice, const TFaktura& document) {
  const bool markedSheets = OffersMarkedSheets(document);
  PrintRequest r;
  r.first = choice == SheetChoice::Original || choice == SheetChoice::Both;
  r.second = choice == SheetChoice::Copy || choice == SheetChoice::Both;
  if (!markedSheets) {
    r.title = document.Number();
  } else if (choice == SheetChoice::Original) {
    r.title = "Bilvox: oryginał"_cp;
  } else if (choice == SheetChoice::Copy) {
    r.title = "Bilvox: kopia";
  } else {
    r.title = "Bilvox: oryginał, kopia"_cp;
  }
  return r;
}

}  // namespace bilvox
