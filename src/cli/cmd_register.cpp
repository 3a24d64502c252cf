// bilvox-cli register show FILE [--contractors|--goods]: the records of a register file in
// register order, as JSON. Reads only: the file is neither created, locked nor rewritten.
#include <string>

#include "cli/command.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/json.h"
#include "document/money.h"
#include "registers/contractors.h"
#include "registers/goods.h"

namespace bilvox::cli {
namespace {

void Text(JsonWriter& w, const char* key, const std::string& cp1250) {
  w.Key(key).TextCp1250(cp1250);
}
void Money(JsonWriter& w, const char* key, Currency c) { w.Key(key).String(FixedText4(c)); }

void ContractorJson(JsonWriter& w, const TKontrahentRec& r) {
  w.BeginObject();
  Text(w, "name", r.name);
  Text(w, "address", r.address);
  Text(w, "nip", r.nip);
  Text(w, "phone", r.phone);
  Text(w, "email", r.email);
  Text(w, "www", r.www);
  Text(w, "remarks", r.remarks);
  Money(w, "discountPercent", r.discount);
  Text(w, "receivingPerson", r.receivingPerson);
  Text(w, "reserved", r.reserved);
  Text(w, "oldTextA", r.oldTextA);
  Text(w, "oldTextB", r.oldTextB);
  w.EndObject();
}

void GoodsJson(JsonWriter& w, const TTowarRec& r) {
  w.BeginObject();
  Text(w, "name", r.name);
  Text(w, "pkwiu", r.pkwiu);
  Text(w, "unit", r.unit);
  Text(w, "nameDe", r.nameDe);
  Text(w, "nameEn", r.nameEn);
  Text(w, "unitDe", r.unitDe);
  Text(w, "unitEn", r.unitEn);
  Money(w, "pricePln", r.pricePln);
  w.Key("pricePlnIsGross").Bool(r.pricePlnGross);
  Money(w, "priceForeign", r.priceForeign);
  w.Key("priceForeignIsGross").Bool(r.priceForeignGross);
  Money(w, "vatRate", r.vatRate);
  w.EndObject();
}

template <class Register, class ToJson>
int Show(const std::string& path, const char* kind, ToJson toJson) {
  // Left for the end of the process to reclaim (the static keeps it reachable, so leak
  // checkers do not count it): freeing 100 000 records one by one would take a fifth of the
  // command's time.
  static Register& reg = *new Register;
  try {
    reg.LoadCopy(path);
  } catch (const Error& e) {
    return FailCp(LoadingFileError(path, e.Message()));
  }
  // Written record by record as it is produced: the text is never held whole.
  JsonWriter out(stdout, 2);
  out.BeginObject();
  out.Key("file").String(path);
  out.Key("kind").String(kind);
  if (reg.FileVersion() < 0) out.Key("version").Null();
  else out.Key("version").Number(reg.FileVersion());
  out.Key("count").Number(reg.Count());
  out.Key("records").BeginArray();
  for (int i = 0; i < reg.Count(); ++i) {
    // The records lie scattered in memory after sorting: fetch the ones ahead.
    if (i + 4 < reg.Count()) {
      const char* ahead = reinterpret_cast<const char*>(reg.Get(i + 4));
      for (size_t at = 0; at < sizeof(*reg.Get(i)); at += 64) __builtin_prefetch(ahead + at);
    }
    toJson(out, *reg.Get(i));
  }
  out.EndArray();
  out.EndObject();
  out.Finish();
  return kExitOk;
}

bool IsGoodsFileName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return AsciiLower(slash == std::string::npos ? path : path.substr(slash + 1)) == "towary.db";
}

int RunRegister(const Args& args) {
  if (args.size() < 2 || args.size() > 3 || args[0] != "show") return UsageError("register");
  const std::string& path = args[1];
  bool goods = IsGoodsFileName(path);
  if (args.size() == 3) {
    if (args[2] == "--goods") goods = true;
    else if (args[2] == "--contractors") goods = false;
    else return UsageError("register");
  }
  if (goods) return Show<TTowary>(path, "goods", GoodsJson);
  return Show<TKontrahenci>(path, "contractors", ContractorJson);
}

const CommandRegistration reg("register", "register show FILE [--contractors|--goods]",
                              RunRegister);

}  // namespace
}  // namespace bilvox::cli
