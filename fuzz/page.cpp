// Invoice documents (ftv files) drawn as the printed page: read, then drawn on a canvas that
// checks every call, at the preview's and a printer's resolution and in both templates.
// Its corpus is the documents' corpus.
#include "common/error.h"
#include "document/faktura.h"
#include "printout/page.h"
#include "printout/texts.h"
#include "support/checking_canvas.h"

using namespace bilvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("faktura.ftv", fuzz::Input(data, size));
  TFaktura doc;
  try {
    doc.Load(path);
  } catch (const Error&) {
    return 0;
  }
  TAppSettings settings;
  for (int pass = 0; pass < 2; ++pass) {
    settings.DocTemplate = pass;
    settings.FontSizeDelta = pass ? 2 : -2;
    settings.ShowInfoFrame = pass == 0;
    PageDrawing drawing(doc, settings);
    fuzz::CheckingCanvas canvas;
    SelectTexts(doc.DocLanguage());
    try {
      drawing.Draw(canvas, pass ? 600 : 96, Text(TextKey::MarkOriginal));
    } catch (const Error& e) {
      fuzz::Require(e.Message() == kPageOverflowMessage, "the page failed with another error");
    }
  }
  SelectTexts(0);
  return 0;
}
