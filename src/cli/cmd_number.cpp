// bilvox-cli number KIND [--advance]: the automatic number of a document kind from the
// user's settings store; with --advance its counter moves on and the settings are saved.
#include <memory>
#include <optional>
#include <string>

#include "cli/command.h"
#include "common/cp1250.h"
#include "settings/file_store.h"
#include "settings/settings.h"

namespace bilvox::cli {
namespace {

std::optional<int> KindOf(const std::string& text) {
  if (text == "0" || text == "invoice") return 0;
  if (text == "1" || text == "bill") return 1;
  if (text == "2" || text == "correction") return 2;
  return std::nullopt;
}

int RunNumber(const Args& args) {
  bool advance = false;
  std::optional<std::string> kindText;
  for (const auto& a : args) {
    if (a == "--advance" && !advance) advance = true;
    else if (!kindText && !a.starts_with("--")) kindText = a;
    else return UsageError("number");
  }
  if (!kindText) return UsageError("number");
  auto kind = KindOf(*kindText);
  if (!kind)
    return Fail("unknown document kind '" + *kindText +
                "': use 0 or invoice, 1 or bill, 2 or correction");

  auto store = OpenUserSettingsStore();
  TSettings settings;
  std::string number;
  {
    // The number printed is the one the advance moved past: both in one step under the
    // store's lock, so runs at the same time get different numbers.
    std::shared_ptr<void> hold = advance ? store->LockForUpdate() : nullptr;
    // Advancing writes the application settings too, so they must have been read whole;
    // a store that cannot be read has been reported already.
    if (advance && !settings.App.Load(*store)) return kExitError;
    if (!settings.Numbering.Load(*store)) return kExitError;
    number = settings.GenerateNumber(*kind);
    if (advance && !settings.AdvanceCounter(*kind, *store)) return kExitError;
  }
  // Only a number that is stored as used is printed: a failure above prints none.
  Out(ToUtf8(number) + "\n");
  return kExitOk;
}

const CommandRegistration reg("number", "number KIND [--advance]   (KIND: 0|invoice, 1|bill, 2|correction)",
                              RunNumber);

}  // namespace
}  // namespace bilvox::cli
