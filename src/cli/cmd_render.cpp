// bilvox-cli render FILE.ftv -o OUT.pdf|OUT.png [--dpi N] [--sheets original|copy|both|selfcopy]
// [--trace TRACE.jsonl]: the printed page of a document as a PDF (the sheets of the print
// operation) or as a PNG (the preview: the sheet with its drop shadow). The settings come
// from the settings store, which is only read; nothing is written when the page does not fit.
#include <QByteArray>
#include <QBuffer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "document/faktura.h"
#include "gui_app.h"
#include "page_output.h"
#include "printout/page.h"
#include "printout/print_job.h"
#include "printout/texts.h"
#include "settings/file_store.h"
#include "settings/read_only_store.h"
#include "settings/settings.h"

namespace bilvox::cli {
namespace {

struct RenderArgs {
  std::string input, output, trace;
  bool pdf = false;
  std::optional<int> dpi;
  std::optional<SheetChoice> sheets;
};

bool EndsWithNoCase(const std::string& s, std::string_view suffix) {
  return s.size() >= suffix.size() && AsciiLower(s.substr(s.size() - suffix.size())) == suffix;
}

std::optional<SheetChoice> ParseSheets(const std::string& s) {
  if (s == "original") return SheetChoice::Original;
  if (s == "copy") return SheetChoice::Copy;
  if (s == "both") return SheetChoice::Both;
  if (s == "selfcopy") return SheetChoice::SelfCopy;
  return std::nullopt;
}

std::optional<int> ParseDpi(const std::string& s) {
  if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoi(s);
}

// Usage problems as a message; empty when the arguments are fine.
std::string ParseArgs(const Args& args, RenderArgs& r) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "-o" || a == "--dpi" || a == "--sheets" || a == "--trace";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    if (a == "-o") {
      r.output = args[++i];
    } else if (a == "--dpi") {
      r.dpi = ParseDpi(args[++i]);
      if (!r.dpi) return "--dpi takes a whole number of pixels per inch";
    } else if (a == "--sheets") {
      r.sheets = ParseSheets(args[++i]);
      if (!r.sheets) return "--sheets is one of original, copy, both, selfcopy";
    } else if (a == "--trace") {
      r.trace = args[++i];
    } else if (a.rfind("-", 0) == 0 || !r.input.empty()) {
      return "unexpected argument '" + a + "'";
    } else {
      r.input = a;
    }
  }
  if (r.input.empty() || r.output.empty()) return "a document and -o OUT are needed";
  // "-" is standard input or output for every command; the page and its trace are files.
  if (r.output == "-" || r.trace == "-")
    return "the page and the trace are written to files only, not to standard output (-)";
  r.pdf = EndsWithNoCase(r.output, ".pdf");
  if (!r.pdf && !EndsWithNoCase(r.output, ".png")) return "OUT must end in .pdf or .png";
  if (!r.pdf && r.sheets) return "--sheets applies to PDF output only";
  const int dpi = r.dpi.value_or(r.pdf ? 600 : 100);
  // Bounds that keep a preview image within a few hundred megabytes.
  if (r.pdf && (dpi < 72 || dpi > 4800)) return "--dpi for a PDF is 72 to 4800";
  if (!r.pdf && (dpi < 10 || dpi > 600)) return "--dpi for a PNG is 10 to 600";
  r.dpi = dpi;
  return {};
}

QByteArray PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw Error(std::string("Nie udało się zapisać obrazu PNG."_cp));
  return bytes;
}

int RunRender(const Args& args) {
  RenderArgs r;
  if (std::string problem = ParseArgs(args, r); !problem.empty()) {
    Err("bilvox-cli render: " + problem + "\n");
    return UsageError("render");
  }

  std::unique_ptr<SettingsStore> store = OpenUserSettingsStore();
  // The document and the settings are read as the program reads them; the store stays as
  // it is (the document would store its defaults when it goes).
  ReadOnlySettingsStore readOnly(*store);
  TAppSettings settings;
  settings.Load(readOnly);
  TFaktura doc(&readOnly);
  try {
    doc.Load(r.input);
  } catch (const Error& e) {
    return FailCp(e.Message());
  }
  SelectTexts(doc.DocLanguage());

  EnsureGuiApplication();
  PageDrawing page(doc, settings);
  QByteArray bytes;
  std::string trace;
  try {
    if (r.pdf) {
      PdfSheetSink sink(*r.dpi, !r.trace.empty());
      PrintPages(page, sink, RequestForSheets(r.sheets.value_or(SheetChoice::Original), doc));
      bytes = sink.Pdf();
      trace = sink.TraceJsonLines();
    } else {
      bytes = PngBytes(RenderPreview(page, *r.dpi, r.trace.empty() ? nullptr : &trace));
    }
  } catch (const Error& e) {
    return FailCp(e.Message());  // a page that does not fit: no file is written
  }

  // Both files are written completely before either takes its place, so that a failure
  // leaves neither behind.
  std::vector<std::unique_ptr<PendingFile>> files;
  auto prepare = [&files](const std::string& path, std::string_view content) {
    try {
      files.push_back(std::make_unique<PendingFile>(path, content));
    } catch (const Error& e) {
      FailCp(SavingFileError(path, e.Message()));
      return false;
    }
    return true;
  };
  if (!prepare(r.output, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))))
    return kExitError;
  if (!r.trace.empty() && !prepare(r.trace, trace)) return kExitError;
  const std::string paths[] = {r.output, r.trace};
  for (size_t i = 0; i < files.size(); ++i) {
    try {
      files[i]->Commit();
    } catch (const Error& e) {
      return FailCp(SavingFileError(paths[i], e.Message()));
    }
  }
  return kExitOk;
}

const CommandRegistration reg(
    "render",
    "render FILE.ftv -o OUT.pdf|OUT.png [--dpi N] [--sheets original|copy|both|selfcopy] "
    "[--trace TRACE.jsonl]",
    RunRender);

}  // namespace
}  // namespace bilvox::cli
