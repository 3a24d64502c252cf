// bilvox-cli nip TEXT: checks a tax number as the document's validation does.
#include "cli/command.h"
#include "common/cp1250.h"
#include "document/faktura.h"

namespace bilvox::cli {
namespace {

int RunNip(const Args& args) {
  if (args.size() != 1) return UsageError("nip");
  // Characters that Windows-1250 cannot hold become "?" and make the number invalid.
  const bool valid = NipValid(FromUtf8Lossy(args[0]));
  Out(valid ? "valid\n" : "invalid\n");
  return valid ? kExitOk : kExitFalse;
}

const CommandRegistration reg("nip", "nip TEXT", RunNip);

}  // namespace
}  // namespace bilvox::cli
