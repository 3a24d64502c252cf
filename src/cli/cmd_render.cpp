// bilvox-cli render: the printed page of a document as a PDF (the sheets of the print
// operation) or as a PNG (the preview: the sheet with its drop shadow).
//
//   render FILE.ftv -o OUT.pdf|OUT.png [--dpi N] [--sheets ...] [--trace TRACE.jsonl] [--smallest]
//   render FILE.ftv... --outdir DIR [--format pdf|png] [--dpi N] [--sheets ...] [--smallest]
//
// The second form renders many documents in one run: the settings, the fonts and the Qt
// application are set up once, each page goes to DIR/<name>.pdf (or .png), and a document
// that fails is reported by name while the others are still written. `-` among the
// documents reads their paths from standard input, one per line. The settings come from the
// settings store, which is only read; nothing is written for a page that does not fit.
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
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
  std::vector<std::string> inputs;  // "-": the paths on standard input
  std::string output, outdir, format, trace;
  bool pdf = false;
  bool smallest = false;
  std::optional<int> dpi;
  std::optional<SheetChoice> sheets;

  bool Batch() const { return !outdir.empty(); }
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

// The single form: one document, -o naming the file and, by its ending, the format.
std::string CheckSingle(RenderArgs& r) {
  if (r.inputs.size() > 1) return "unexpected argument '" + r.inputs[1] + "'";
  if (r.inputs.empty() || r.output.empty()) return "a document and -o OUT are needed";
  if (r.inputs[0] == "-") return "unexpected argument '-'";
  if (!r.format.empty()) return "--format goes with --outdir; with -o the name's ending chooses";
  // "-" is standard input or output for every command; the page and its trace are files.
  if (r.output == "-" || r.trace == "-")
    return "the page and the trace are written to files only, not to standard output (-)";
  r.pdf = EndsWithNoCase(r.output, ".pdf");
  if (!r.pdf && !EndsWithNoCase(r.output, ".png")) return "OUT must end in .pdf or .png";
  return {};
}

// The batch form: documents and an output folder.
std::string CheckBatch(RenderArgs& r) {
  if (!r.output.empty()) return "-o names one output; with --outdir each document gets its own";
  if (r.inputs.empty()) return "documents (or - for a list on standard input) and --outdir DIR are needed";
  if (std::count(r.inputs.begin(), r.inputs.end(), "-") > 1)
    return "- (the list on standard input) may be given once";
  if (!r.trace.empty()) return "--trace applies to one document rendered with -o";
  if (r.outdir == "-") return "the pages are written to files only, not to standard output (-)";
  if (r.format.empty() || r.format == "pdf") r.pdf = true;
  else if (r.format != "png") return "--format is pdf or png";
  return {};
}

// Usage problems as a message; empty when the arguments are fine.
std::string ParseArgs(const Args& args, RenderArgs& r) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "-o" || a == "--outdir" || a == "--format" || a == "--dpi" ||
                            a == "--sheets" || a == "--trace";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    if (a == "-o") {
      r.output = args[++i];
    } else if (a == "--outdir") {
      r.outdir = args[++i];
    } else if (a == "--format") {
      r.format = args[++i];
    } else if (a == "--dpi") {
      r.dpi = ParseDpi(args[++i]);
      if (!r.dpi) return "--dpi takes a whole number of pixels per inch";
    } else if (a == "--sheets") {
      r.sheets = ParseSheets(args[++i]);
      if (!r.sheets) return "--sheets is one of original, copy, both, selfcopy";
    } else if (a == "--trace") {
      r.trace = args[++i];
    } else if (a == "--smallest") {
      r.smallest = true;
    } else if (a.rfind("-", 0) == 0 && a != "-") {
      return "unexpected argument '" + a + "'";
    } else {
      r.inputs.push_back(a);
    }
  }
  if (std::string problem = r.Batch() ? CheckBatch(r) : CheckSingle(r); !problem.empty())
    return problem;
  if (!r.pdf && r.sheets) return "--sheets applies to PDF output only";
  if (r.pdf && r.smallest) return "--smallest applies to PNG output only";
  const int dpi = r.dpi.value_or(r.pdf ? 600 : 100);
  // Bounds that keep a preview image within a few hundred megabytes.
  if (r.pdf && (dpi < 72 || dpi > 4800)) return "--dpi for a PDF is 72 to 4800";
  if (!r.pdf && (dpi < 10 || dpi > 600)) return "--dpi for a PNG is 10 to 600";
  r.dpi = dpi;
  return {};
}

// What a run reads once and every document's page uses.
// The store is only read (a document would store its defaults when it goes), each key once
// for the whole run.
struct RenderSetup {
  RenderSetup() { settings.Load(store); }
  std::unique_ptr<SettingsStore> file = OpenUserSettingsStore();
  ReadOnlySettingsStore store{*file};
  TAppSettings settings;
};

// The page of a loaded document as the bytes of its file, and its drawing calls in `trace`
// when one is given. Throws Error when the page does not fit.
QByteArray RenderPage(const TFaktura& doc, const RenderSetup& setup, const RenderArgs& r,
                      std::string* trace) {
  EnsureGuiApplication();  // once per run, when the first page is drawn
  SelectTexts(doc.DocLanguage());
  PageDrawing page(doc, setup.settings);
  if (r.pdf) {
    PdfSheetSink sink(*r.dpi, trace != nullptr);
    PrintPages(page, sink, RequestForSheets(r.sheets.value_or(SheetChoice::Original), doc));
    if (trace) *trace = sink.TraceJsonLines();
    return sink.Pdf();
  }
  return PngBytes(RenderPreview(page, *r.dpi, trace),
                  r.smallest ? PngCompression::Smallest : PngCompression::Fast);
}

std::string_view View(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

int RenderOne(const RenderArgs& r) {
  RenderSetup setup;
  TFaktura doc(&setup.store);
  QByteArray bytes;
  std::string trace;
  try {
    doc.Load(r.inputs[0]);
    bytes = RenderPage(doc, setup, r, r.trace.empty() ? nullptr : &trace);
  } catch (const Error& e) {
    return FailCp(e.Message());  // unreadable, or a page that does not fit: no file is written
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
  if (!prepare(r.output, View(bytes))) return kExitError;
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

// ---- many documents ----

// The documents named on standard input, one path per line (a CR before the line break and
// empty lines are ignored); a list of a million long paths stays far below the limit.
std::vector<std::string> PathsFromStandardInput() {
  constexpr uint64_t kMaxPathListSize = 64 * kMiB;
  const std::string text = ReadWholeFile(STDIN_FILENO, kMaxPathListSize);
  std::vector<std::string> paths;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) paths.push_back(std::move(line));
    start = end + 1;
  }
  return paths;
}

// A document's page in the output folder: its file name without the last extension and
// with the format's ("2027/FV_3.ftv" gives "FV_3.pdf"); empty for a path that names a folder.
std::string OutputName(const std::string& input, bool pdf) {
  std::string name = input.substr(input.find_last_of('/') + 1);
  if (name.empty() || name == "." || name == "..") return {};
  if (size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  return name + (pdf ? ".pdf" : ".png");
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  return !dir.empty() && dir.back() == '/' ? dir + name : dir + "/" + name;
}

// Refuses a run in which two documents would write the same output (names that differ in
// letter case only count as the same, as a folder on a stick or a Windows share sees them)
// or an output would replace one of the documents. Empty when there is no such clash.
std::string OutputClash(const std::vector<std::string>& inputs,
                        const std::vector<std::string>& outputs) {
  std::map<std::string, size_t> taken;
  for (size_t i = 0; i < inputs.size(); ++i) {
    if (outputs[i].empty()) continue;
    auto [it, fresh] = taken.emplace(AsciiLower(outputs[i]), i);
    if (!fresh)
      return "'" + inputs[it->second] + "' and '" + inputs[i] + "' would both be written to '" +
             outputs[i] + "'; rename one of them or render them in separate runs";
  }
  std::set<std::pair<dev_t, ino_t>> documents;
  struct stat st;
  for (const std::string& input : inputs)
    if (::stat(input.c_str(), &st) == 0) documents.emplace(st.st_dev, st.st_ino);
  for (const std::string& output : outputs)
    if (!output.empty() && ::stat(output.c_str(), &st) == 0 &&
        documents.count({st.st_dev, st.st_ino}))
      return "'" + output + "' is one of the documents; choose another --outdir";
  return {};
}

// The documents that failed, each reported on standard error as it fails, from whichever
// thread found it.
class FailureLog {
 public:
  void Report(const std::string& input, std::string_view cp1250) {
    std::lock_guard lock(mutex_);
    ++count_;
    Err(input + ": ");
    FailCp(cp1250);
  }
  size_t Count() {
    std::lock_guard lock(mutex_);
    return count_;
  }

 private:
  std::mutex mutex_;
  size_t count_ = 0;
};

// Pages are put in place by threads of their own while the next ones are drawn. Each save
// waits for the disk twice (the content, then the new name), longer than a page takes to
// draw; the waits of several saves overlap, and the file system commits them together.
class PageWriters {
 public:
  struct Page {
    std::string input, output, bytes;
  };

  explicit PageWriters(FailureLog& failures) : failures_(failures) {
    for (int i = 0; i < kThreads; ++i) threads_.emplace_back([this] { Run(); });
  }
  ~PageWriters() {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : threads_) t.join();
  }
  PageWriters(const PageWriters&) = delete;
  PageWriters& operator=(const PageWriters&) = delete;

  // Queues a page; waits while many pages are waiting already, so that memory stays bounded.
  void Write(Page page) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < kQueued; });
    queue_.push_back(std::move(page));
    lock.unlock();
    changed_.notify_all();
  }

 private:
  static constexpr int kThreads = 4;
  static constexpr size_t kQueued = 8;

  void Run() {
    for (;;) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return closed_ || !queue_.empty(); });
      if (queue_.empty()) return;
      Page page = std::move(queue_.front());
      queue_.pop_front();
      lock.unlock();
      changed_.notify_all();
      try {
        ReplaceFile(page.output, page.bytes);
      } catch (const Error& e) {
        failures_.Report(page.input, SavingFileError(page.output, e.Message()));
      } catch (const std::exception& e) {
        failures_.Report(page.input, SavingFileError(page.output, e.what()));
      }
    }
  }

  FailureLog& failures_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Page> queue_;
  bool closed_ = false;
  std::vector<std::thread> threads_;
};

int RenderMany(RenderArgs& r) {
  std::vector<std::string> inputs;
  for (const std::string& input : r.inputs) {
    if (input != "-") {
      inputs.push_back(input);
      continue;
    }
    try {
      for (std::string& path : PathsFromStandardInput()) inputs.push_back(std::move(path));
    } catch (const Error& e) {
      return FailCp(ReadingFileError("-", e.Message()));
    }
  }
  std::vector<std::string> outputs;
  outputs.reserve(inputs.size());
  for (const std::string& input : inputs) {
    const std::string name = OutputName(input, r.pdf);
    outputs.push_back(name.empty() ? name : JoinPath(r.outdir, name));
  }
  if (std::string clash = OutputClash(inputs, outputs); !clash.empty())
    return Fail("bilvox-cli render: " + clash);
  std::error_code ec;
  std::filesystem::create_directories(r.outdir, ec);
  if (ec || !std::filesystem::is_directory(r.outdir))
    return Fail("bilvox-cli render: cannot use '" + r.outdir + "' as the output folder: " +
                (ec ? ec.message() : "not a folder"));
  if (inputs.empty()) return kExitOk;

  RenderSetup setup;
  FailureLog failures;
  {
    PageWriters writers(failures);
    // Each document on its own: one that fails is named and the others are still written.
    for (size_t i = 0; i < inputs.size(); ++i) {
      try {
        TFaktura doc(&setup.store);
        doc.Load(inputs[i]);  // a path without a file name (a folder) fails here
        const QByteArray bytes = RenderPage(doc, setup, r, nullptr);
        writers.Write({inputs[i], outputs[i], std::string(View(bytes))});
      } catch (const Error& e) {
        failures.Report(inputs[i], e.Message());
      }
    }
  }  // every page is in place (or reported) when the writers are gone
  const size_t failed = failures.Count();
  if (failed == 0) return kExitOk;
  return Fail("bilvox-cli render: " + std::to_string(failed) + " of " +
              std::to_string(inputs.size()) + " documents were not rendered");
}

int RunRender(const Args& args) {
  RenderArgs r;
  if (std::string problem = ParseArgs(args, r); !problem.empty()) {
    Err("bilvox-cli render: " + problem + "\n");
    return UsageError("render");
  }
  return r.Batch() ? RenderMany(r) : RenderOne(r);
}

const CommandRegistration reg(
    "render",
    "render FILE.ftv -o OUT.pdf|OUT.png [--dpi N] [--sheets original|copy|both|selfcopy] "
    "[--trace TRACE.jsonl] [--smallest]\n"
    "  bilvox-cli render FILE.ftv... --outdir DIR [--format pdf|png] [--dpi N] "
    "[--sheets original|copy|both|selfcopy] [--smallest]   (- reads the paths from standard input)",
    RunRender);

}  // namespace
}  // namespace bilvox::cli
