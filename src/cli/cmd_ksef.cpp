// bilvox-cli ksef FILE.ftv -o OUT.xml [--corrected-date YYYY-MM-DD]
// [--corrected-ksef-number NUMBER] [--force]: a VAT invoice or correcting invoice as a
// structured invoice for KSeF (schema FA(3)), checked against the installed schema before
// it is written. The document and the settings (the basis of exempt sales) are read as the
// program reads them; the settings store is not written.
#include <memory>
#include <optional>
#include <string>

#include "cli/command.h"
#include "common/dates.h"
#include "common/error.h"
#include "document/faktura.h"
#include "ksef/ksef.h"
#include "settings/file_store.h"
#include "settings/read_only_store.h"
#include "settings/settings.h"

namespace bilvox::cli {
namespace {

struct KsefArgs {
  std::string input, output;
  KsefOptions options;
  bool force = false;
};

// Usage problems as a message; empty when the arguments are fine.
std::string ParseArgs(const Args& args, KsefArgs& k) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue =
        a == "-o" || a == "--corrected-date" || a == "--corrected-ksef-number";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    if (a == "-o") {
      k.output = args[++i];
    } else if (a == "--corrected-date") {
      k.options.correctedIssueDate = ParseIsoDate(args[++i]);
      if (!k.options.correctedIssueDate) return "--corrected-date takes a date YYYY-MM-DD";
    } else if (a == "--corrected-ksef-number") {
      k.options.correctedKsefNumber = args[++i];
    } else if (a == "--force") {
      k.force = true;
    } else if (a.rfind("-", 0) == 0 || !k.input.empty()) {
      return "unexpected argument '" + a + "'";
    } else {
      k.input = a;
    }
  }
  if (k.input.empty() || k.output.empty()) return "a document and -o OUT.xml are needed";
  return {};
}

int RunKsef(const Args& args) {
  KsefArgs k;
  if (std::string problem = ParseArgs(args, k); !problem.empty()) {
    Err("bilvox-cli ksef: " + problem + "\n");
    return UsageError("ksef");
  }
  if (auto number = FromUtf8(k.options.correctedKsefNumber)) {
    k.options.correctedKsefNumber = *number;
  } else {
    return Fail("bilvox-cli ksef: --corrected-ksef-number is not a KSeF number");
  }

  std::unique_ptr<SettingsStore> store = OpenUserSettingsStore();
  ReadOnlySettingsStore readOnly(*store);
  TAppSettings settings;
  try {
    settings.Load(readOnly);
  } catch (const Error& e) {
    return FailCp(e.Message());
  }
  k.options.exemptBasis = settings.KSeFPodstawaZwolnienia;

  TFaktura doc(&readOnly);
  std::string xml;
  try {
    doc.Load(k.input);
    xml = BuildKsefXml(doc, k.options);
  } catch (const Error& e) {
    FailCp(e.Message());
    if (doc.IsCorrection() && !k.options.correctedIssueDate)
      Err("bilvox-cli ksef: give the corrected invoice's issue date with --corrected-date "
          "YYYY-MM-DD\n");
    return kExitError;
  }
  try {
    if (!WriteKsefFile(k.output, xml, k.force))
      return Fail("bilvox-cli ksef: " + k.output + " exists; nothing written (--force replaces it)");
  } catch (const Error& e) {
    return FailCp(e.Message());
  }
  return kExitOk;
}

const CommandRegistration reg(
    "ksef",
    "ksef FILE.ftv -o OUT.xml [--corrected-date YYYY-MM-DD] [--corrected-ksef-number NUMBER] "
    "[--force]",
    RunKsef);

}  // namespace
}  // namespace bilvox::cli
