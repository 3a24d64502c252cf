// bilvox-cli show FILE.ftv: the document in a file as one JSON object, read as the program
// opens it (with the stored defaults) but changing neither the file nor the settings store.
#include "cli/command.h"
#include "common/error.h"
#include "common/json.h"
#include "document/document_json.h"
#include "document/faktura.h"
#include "settings/file_store.h"
#include "settings/read_only_store.h"

namespace bilvox::cli {
namespace {

int RunShow(const Args& args) {
  if (args.size() != 1) return UsageError("show");
  std::unique_ptr<SettingsStore> store = OpenUserSettingsStore();
  // The document stores its defaults when it goes; the view keeps the store as it is.
  ReadOnlySettingsStore readOnly(*store);
  TFaktura doc(&readOnly);
  uint16_t version = 0;
  try {
    version = doc.Load(args[0]);
  } catch (const Error& e) {
    return FailCp(e.Message());
  }
  // Written as it is produced: the text of a long document is never held whole.
  JsonWriter out(stdout, 2);
  WriteDocumentJson(out, doc, version);
  out.Finish();
  return kExitOk;
}

const CommandRegistration reg("show", "show FILE.ftv", RunShow);

}  // namespace
}  // namespace bilvox::cli
