// bilvox-cli lists show FILE: the three remembered lists of an autocomplete-list file
// (PKWiU symbols, units, payment forms), as JSON. Reads only.
#include <string>

#include "cli/command.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/json.h"
#include "registers/autolists.h"

namespace bilvox::cli {
namespace {

Json ListJson(const TextList& list) {
  Json a = Json::MakeArray();
  for (const std::string& item : list) a.Push(Json(ToUtf8(item)));
  return a;
}

int RunLists(const Args& args) {
  if (args.size() != 2 || args[0] != "show") return UsageError("lists");
  const std::string& path = args[1];
  if (!FileExists(path)) return FailCp(ReadingFileError(path, SystemErrorText(ENOENT)));
  TextList pkwiu, units, payment;
  TListyNapisow lists;
  lists.Attach(&pkwiu);
  lists.Attach(&units);
  lists.Attach(&payment);
  try {
    lists.Load(path);  // Load reads only; nothing here saves
  } catch (const Error& e) {
    return FailCp(e.Message());
  }
  Json out = Json::MakeObject();
  out.Set("file", Json(path));
  out.Set("version", Json(static_cast<int>(TListyNapisow::kVersion)));
  out.Set("listsInFile", Json(lists.FileListCount()));
  out.Set("pkwiu", ListJson(pkwiu));
  out.Set("units", ListJson(units));
  out.Set("paymentForms", ListJson(payment));
  Out(out.Dump(2) + "\n");
  return kExitOk;
}

const CommandRegistration reg("lists", "lists show FILE", RunLists);

}  // namespace
}  // namespace bilvox::cli
