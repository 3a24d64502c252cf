// bilvox-cli open FILE: asks the running copy of Bilvox to open a document.
#include <QByteArray>
#include <QFile>

#include "cli/command.h"
#include "common/cp1250.h"
#include "common/files.h"
#include "instance.h"

namespace bilvox::cli {
namespace {

int RunOpen(const Args& args) {
  if (args.size() != 1) return UsageError("open");
  // The running copy ignores a path that names no file, so say so here instead of
  // reporting success for a request that can do nothing.
  if (!FileExists(args[0])) return Fail("Nie odnaleziono pliku: " + args[0]);
  std::string error;
  switch (DeliverOpenRequest(QFile::decodeName(QByteArray::fromStdString(args[0])), &error)) {
    case OpenRequestResult::Sent: return kExitOk;
    case OpenRequestResult::NoCopyRunning:
      Err(ToUtf8(error) + " Plik nie został otwarty: " + args[0] + "\n");
      return kExitFalse;
    case OpenRequestResult::Failed: break;
  }
  return FailCp(std::string("Nie można przekazać pliku do programu Bilvox: "_cp) + error);
}

const CommandRegistration reg("open", "open FILE", RunOpen);

}  // namespace
}  // namespace bilvox::cli
