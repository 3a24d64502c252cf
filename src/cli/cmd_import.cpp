// bilvox-cli import IN.json -o OUT.ftv [--force]: a document built from JSON of the shape
// that `show` prints, saved as a document file. Missing keys keep the values of a new
// document (without the stored defaults, which are neither read nor written here). "-"
// stands for standard input (IN) and standard output (OUT). Without --force an existing OUT
// is never replaced, not even one made by another program while this one runs.
#include <memory>
#include <string>

#include "cli/command.h"
#include "cli/json_input.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/json.h"
#include "common/messages.h"
#include "document/document_json.h"
#include "document/faktura.h"

namespace bilvox::cli {
namespace {

// Answers Yes to the question about replacing an existing file; shows everything else as
// the terminal's reporter does.
class OverwritingReporter : public MessageReporter {
 public:
  OverwritingReporter() : previous_(SetMessages(this)) {}
  ~OverwritingReporter() override { SetMessages(previous_); }
  MsgResult Show(std::string_view caption, std::string_view text, MsgIcon icon,
                 MsgButtons buttons) override {
    if (buttons != MsgButtons::Ok) return MsgResult::Yes;
    return terminal_.Show(caption, text, icon, buttons);
  }

 private:
  MessageReporter* previous_;
  StderrReporter terminal_;
};

int RunImport(const Args& args) {
  std::string in, out;
  bool haveIn = false, haveOut = false, force = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o") {
      if (haveOut || i + 1 >= args.size()) return UsageError("import");
      out = args[++i];
      haveOut = true;
    } else if (a == "--force") {
      force = true;
    } else if ((a.rfind("-", 0) == 0 && a != "-") || haveIn) {
      return UsageError("import");
    } else {
      in = a;
      haveIn = true;
    }
  }
  if (!haveIn || !haveOut || out.empty()) return UsageError("import");

  std::optional<Json> json = ReadJsonInput(in, "bilvox-cli import");
  if (!json) return kExitError;

  TFaktura doc;  // no settings store: nothing is read from it or stored in it
  try {
    DocumentFromJson(*json, doc);
  } catch (const Error& e) {
    return Fail("bilvox-cli import: " + in + ": " + e.what() + "; nothing written");
  }
  if (!doc.IsCorrection() && (doc.PriorLineCount() > 0 || !doc.CorrectedNumber().empty()))
    Err("bilvox-cli import: warning: PriorLines and CorrectedNumber are kept only in a "
        "correcting invoice (Kind 2); they are not written\n");

  if (out == "-") {
    // As "-" for the input is standard input, "-o -" is standard output.
    Out(doc.FileContent());
    return kExitOk;
  }
  std::unique_ptr<OverwritingReporter> overwrite;
  if (force) overwrite = std::make_unique<OverwritingReporter>();
  if (!doc.Save(out)) {
    Err("bilvox-cli import: " + out + " exists; nothing written (--force replaces it)\n");
    return kExitFalse;
  }
  return kExitOk;
}

const CommandRegistration reg("import", "import IN.json -o OUT.ftv [--force]   (- for standard input or output)",
                              RunImport);

}  // namespace
}  // namespace bilvox::cli
