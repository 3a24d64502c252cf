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

Json Text(const std::string& cp1250) { return Json(ToUtf8(cp1250)); }
Json Money(Currency c) { return Json(FixedText4(c)); }

Json ContractorJson(const TKontrahentRec& r) {
  Json o = Json::MakeObject();
  o.Set("name", Text(r.name));
  o.Set("address", Text(r.address));
  o.Set("nip", Text(r.nip));
  o.Set("phone", Text(r.phone));
  o.Set("email", Text(r.email));
  o.Set("www", Text(r.www));
  o.Set("remarks", Text(r.remarks));
  o.Set("discountPercent", Money(r.discount));
  o.Set("receivingPerson", Text(r.receivingPerson));
  o.Set("reserved", Text(r.reserved));
  o.Set("oldTextA", Text(r.oldTextA));
  o.Set("oldTextB", Text(r.oldTextB));
  return o;
}

Json GoodsJson(const TTowarRec& r) {
  Json o = Json::MakeObject();
  o.Set("name", Text(r.name));
  o.Set("pkwiu", Text(r.pkwiu));
  o.Set("unit", Text(r.unit));
  o.Set("nameDe", Text(r.nameDe));
  o.Set("nameEn", Text(r.nameEn));
  o.Set("unitDe", Text(r.unitDe));
  o.Set("unitEn", Text(r.unitEn));
  o.Set("pricePln", Money(r.pricePln));
  o.Set("pricePlnIsGross", Json(r.pricePlnGross));
  o.Set("priceForeign", Money(r.priceForeign));
  o.Set("priceForeignIsGross", Json(r.priceForeignGross));
  o.Set("vatRate", Money(r.vatRate));
  return o;
}

template <class Register, class ToJson>
int Show(const std::string& path, const char* kind, ToJson toJson) {
  Register reg;
  try {
    reg.LoadCopy(path);
  } catch (const Error& e) {
    return FailCp(LoadingFileError(path, e.Message()));
  }
  Json out = Json::MakeObject();
  out.Set("file", Json(path));
  out.Set("kind", Json(kind));
  out.Set("version", reg.FileVersion() < 0 ? Json() : Json(reg.FileVersion()));
  out.Set("count", Json(reg.Count()));
  Json records = Json::MakeArray();
  for (int i = 0; i < reg.Count(); ++i) records.Push(toJson(*reg.Get(i)));
  out.Set("records", std::move(records));
  Out(out.Dump(2) + "\n");
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
