#include "cli/command.h"
#include "common/app_info.h"

namespace bilvox::cli {
namespace {

int RunVersion(const Args& args) {
  if (!args.empty()) return UsageError("version");
  Out(std::string(kAppTitle) + " " + std::string(kAppVersion) + "\n");
  return kExitOk;
}

const CommandRegistration reg("version", "version", RunVersion);

}  // namespace
}  // namespace bilvox::cli
