// The settings store file (registry.reg): its text form, and every group of settings and
// document defaults read from it.
#include "common/error.h"
#include "common/files.h"
#include "document/faktura.h"
#include "printout/page.h"
#include "printout/texts.h"
#include "settings/file_store.h"
#include "settings/reg_text.h"
#include "settings/settings.h"
#include "support/checking_canvas.h"
#include "support/fuzz_support.h"

using namespace bilvox;
using bilvox::fuzz::Require;

namespace {

bool SameTree(const RegTree& a, const RegTree& b) {
  if (a.Keys().size() != b.Keys().size()) return false;
  for (size_t i = 0; i < a.Keys().size(); ++i)
    if (a.Keys()[i].path != b.Keys()[i].path || a.Keys()[i].values != b.Keys()[i].values)
      return false;
  return true;
}

// Reads every group; false when one of them stopped at a wrongly typed value.
bool LoadAll(SettingsStore& store, TSettings& s) {
  bool complete = true;
  auto read = [&](auto&& load) {
    try {
      load();
    } catch (const Error&) {
      complete = false;
    }
  };
  read([&] { s.Load(store); });
  read([&] { s.MainWindow.Load(store); });
  read([&] { s.KontrForm.Load(store); });
  read([&] { s.TowForm.Load(store); });
  read([&] { s.InfoWindow.Load(store); });
  read([&] { LoadWebsiteCaption(store); });
  for (int kind = 0; kind < kNumberedKindCount; ++kind) s.GenerateNumber(kind);
  return complete;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::Input(data, size);

  // The text form: whatever parses is written in the program's own form, which parses to
  // the same keys and values.
  RegParseError error;
  const std::optional<RegTree> tree = ParseRegText(text, &error);
  if (tree) {
    const std::string formatted = FormatRegText(*tree);
    const std::optional<RegTree> back = ParseRegText(formatted, &error);
    Require(back.has_value(), "the store's own text form does not parse");
    Require(SameTree(*tree, *back), "keys or values changed through the text form");
    Require(FormatRegText(*back) == formatted, "the text form is not written the same twice");
  } else {
    Require(error.line >= 1 && !error.reason.empty(), "a parse failure without its line");
  }

  // The store over that file: settings, window state and the document's defaults.
  const std::string path = fuzz::WriteScratch("registry.reg", text);
  FileSettingsStore store(path);
  TSettings settings;
  const bool complete = LoadAll(store, settings);
  {
    TFaktura doc(&store);  // reads the document defaults at its reset, writes them at the end
    // The page drawn with the settings and the defaults read, at the preview's resolution.
    doc.AddLine("Pozycja", "", 7, false, Currency::Of(10), 1, "", "", "szt.");
    PageDrawing drawing(doc, settings.App);
    fuzz::CheckingCanvas canvas;
    SelectTexts(doc.DocLanguage());
    try {
      drawing.Draw(canvas, 96, Text(TextKey::MarkOriginal));
    } catch (const Error& e) {
      Require(e.Message() == kPageOverflowMessage, "the page failed with another error");
    }
    SelectTexts(0);
  }
  if (!tree || !complete) return 0;
  // Settings read whole and saved are read back and saved to the very same file.
  settings.Save(store);
  const std::string saved = ReadWholeFile(path);
  TSettings again;
  Require(LoadAll(store, again), "saved settings cannot be read back");
  again.Save(store);
  Require(ReadWholeFile(path) == saved, "settings changed through saving and reading back");
  return 0;
}
