// bilvox-cli register show FILE [--contractors|--goods]: the records of a register file in
// register order, as JSON. Reads only: the file is neither created, locked nor rewritten.
// bilvox-cli register import IN.json -o FILE [--contractors|--goods] [--force]: a register
// file written from JSON of the shape that `show` prints.
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "cli/command.h"
#include "cli/json_input.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/json.h"
#include "document/money.h"
#include "registers/contractors.h"
#include "registers/goods.h"
#include "registers/register_file_view.h"

namespace bilvox::cli {
namespace {

// One JSON key of a record and the field it stands for.
template <class R>
struct Field {
  const char* key;
  std::variant<std::string R::*, Currency R::*, bool R::*> member;
};

const Field<TKontrahentRec> kContractorFields[] = {
    {"name", &TKontrahentRec::name},
    {"address", &TKontrahentRec::address},
    {"nip", &TKontrahentRec::nip},
    {"phone", &TKontrahentRec::phone},
    {"email", &TKontrahentRec::email},
    {"www", &TKontrahentRec::www},
    {"remarks", &TKontrahentRec::remarks},
    {"discountPercent", &TKontrahentRec::discount},
    {"receivingPerson", &TKontrahentRec::receivingPerson},
    {"reserved", &TKontrahentRec::reserved},
    {"oldTextA", &TKontrahentRec::oldTextA},
    {"oldTextB", &TKontrahentRec::oldTextB},
};

const Field<TTowarRec> kGoodsFields[] = {
    {"name", &TTowarRec::name},
    {"pkwiu", &TTowarRec::pkwiu},
    {"unit", &TTowarRec::unit},
    {"nameDe", &TTowarRec::nameDe},
    {"nameEn", &TTowarRec::nameEn},
    {"unitDe", &TTowarRec::unitDe},
    {"unitEn", &TTowarRec::unitEn},
    {"pricePln", &TTowarRec::pricePln},
    {"pricePlnIsGross", &TTowarRec::pricePlnGross},
    {"priceForeign", &TTowarRec::priceForeign},
    {"priceForeignIsGross", &TTowarRec::priceForeignGross},
    {"vatRate", &TTowarRec::vatRate},
};

std::span<const Field<TKontrahentRec>> FieldsOf(const TKontrahentRec*) { return kContractorFields; }
std::span<const Field<TTowarRec>> FieldsOf(const TTowarRec*) { return kGoodsFields; }

template <class R>
void RecordJson(JsonWriter& w, const R& r) {
  w.BeginObject();
  for (const Field<R>& f : FieldsOf(&r)) {
    w.Key(f.key);
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(r.*member)>;
          if constexpr (std::is_same_v<T, std::string>) w.TextCp1250(r.*member);
          else if constexpr (std::is_same_v<T, Currency>) w.String(FixedText4(r.*member));
          else w.Bool(r.*member);
        },
        f.member);
  }
  w.EndObject();
}

// Fills a record from its JSON object; throws Error naming the key that is wrong.
template <class R>
void RecordFromJson(const Json& json, R& r, const std::string& where) {
  if (!json.IsObject()) throw Error(where + ": expected an object");
  for (const auto& entry : json.AsObject()) {
    const std::string& key = entry.first;
    const Json& value = entry.second;
    const std::string at = where + "." + key;
    const Field<R>* field = nullptr;
    for (const Field<R>& f : FieldsOf(&r))
      if (key == f.key) field = &f;
    if (!field) throw Error(at + ": unknown key");
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(r.*member)>;
          if constexpr (std::is_same_v<T, std::string>) {
            r.*member = TextCp1250From(value, at);
          } else if constexpr (std::is_same_v<T, Currency>) {
            if (!value.IsString() || !ParseFixed(value.AsString(), r.*member))
              throw Error(at + ": expected an amount as a string (\"12.3400\")");
          } else {
            if (!value.IsBool()) throw Error(at + ": expected true or false");
            r.*member = value.AsBool();
          }
        },
        field->member);
  }
}

template <class Register>
int Show(const std::string& path, const char* kind) {
  // The lean form of the register: the file and the order of its records; each record is
  // decoded only while it is written.
  std::optional<RegisterFileView<Register>> reg;
  try {
    reg.emplace(RegisterFileView<Register>::Read(path));
  } catch (const Error& e) {
    return FailCp(LoadingFileError(path, e.Message()));
  }
  // Written record by record as it is produced: the text is never held whole.
  JsonWriter out(stdout, 2);
  out.BeginObject();
  out.Key("file").String(path);
  out.Key("kind").String(kind);
  if (reg->FileVersion() < 0) out.Key("version").Null();
  else out.Key("version").Number(reg->FileVersion());
  out.Key("count").Number(reg->Count());
  out.Key("records").BeginArray();
  for (int i = 0; i < reg->Count(); ++i) RecordJson(out, reg->Get(i));
  out.EndArray();
  out.EndObject();
  out.Finish();
  return kExitOk;
}

// Writes the records of `json` ("records", as `show` prints them) as the register file
// `path`, taking the file's lock as the program does, so a register a running program holds
// is not replaced behind its back.
template <class Register>
int Import(const Json& json, const std::string& in, const std::string& path, bool force) {
  using Rec = std::remove_pointer_t<decltype(std::declval<Register&>().Get(0))>;
  std::vector<Rec> records;
  try {
    const Json* list = json.Find("records");
    if (!list || !list->IsArray()) throw Error("records: expected an array of records");
    for (const Json& item : list->AsArray()) {
      records.emplace_back();
      RecordFromJson(item, records.back(), "records[" + std::to_string(records.size() - 1) + "]");
    }
  } catch (const Error& e) {
    return Fail("bilvox-cli register import: " + in + ": " + e.what() + "; nothing written");
  }
  if (!force && FileExists(path)) {
    Err("bilvox-cli register import: " + path + " exists; nothing written (--force replaces it)\n");
    return kExitFalse;
  }
  Register reg;
  reg.Open(path);  // reports a file it cannot lock or read, and stays closed then
  if (!reg.IsOpen()) return Fail("bilvox-cli register import: nothing written");
  while (reg.Count() > 0) reg.Delete(0);
  for (Rec& record : records) {
    const int at = reg.Add();
    if (at < 0) return Fail("bilvox-cli register import: out of memory; nothing written");
    *reg.Get(at) = std::move(record);
  }
  reg.Sort();
  reg.Save();  // a failed save is reported and leaves the previous file as it was
  if (!reg.IsOpen()) return kExitError;
  return kExitOk;
}

bool IsGoodsFileName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return AsciiLower(slash == std::string::npos ? path : path.substr(slash + 1)) == "towary.db";
}

int RunShowCommand(const Args& args) {
  if (args.size() < 2 || args.size() > 3) return UsageError("register");
  const std::string& path = args[1];
  bool goods = IsGoodsFileName(path);
  if (args.size() == 3) {
    if (args[2] == "--goods") goods = true;
    else if (args[2] == "--contractors") goods = false;
    else return UsageError("register");
  }
  if (goods) return Show<TTowary>(path, "goods");
  return Show<TKontrahenci>(path, "contractors");
}

// The kind of register: the option, else the "kind" the JSON names, else the file's name.
int RunImportCommand(const Args& args) {
  std::string in, out;
  bool haveIn = false, haveOut = false, force = false;
  std::optional<bool> goods;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o") {
      if (haveOut || i + 1 >= args.size()) return UsageError("register");
      out = args[++i];
      haveOut = true;
    } else if (a == "--force") {
      force = true;
    } else if (a == "--goods" || a == "--contractors") {
      if (goods) return UsageError("register");
      goods = a == "--goods";
    } else if ((a.rfind("-", 0) == 0 && a != "-") || haveIn) {
      return UsageError("register");
    } else {
      in = a;
      haveIn = true;
    }
  }
  if (!haveIn || !haveOut || out.empty()) return UsageError("register");

  std::optional<Json> json = ReadJsonInput(in, "bilvox-cli register import");
  if (!json) return kExitError;
  if (!json->IsObject())
    return Fail("bilvox-cli register import: " + in + ": expected an object with \"records\"");
  if (!goods) {
    const Json* kind = json->Find("kind");
    if (kind && kind->IsString() && kind->AsString() == "goods") goods = true;
    else if (kind && kind->IsString() && kind->AsString() == "contractors") goods = false;
    else if (kind) return Fail("bilvox-cli register import: " + in +
                               ": kind: expected \"contractors\" or \"goods\"");
    else goods = IsGoodsFileName(out);
  }
  if (*goods) return Import<TTowary>(*json, in, out, force);
  return Import<TKontrahenci>(*json, in, out, force);
}

int RunRegister(const Args& args) {
  if (!args.empty() && args[0] == "show") return RunShowCommand(args);
  if (!args.empty() && args[0] == "import") return RunImportCommand(args);
  return UsageError("register");
}

const CommandRegistration reg(
    "register",
    "register show FILE [--contractors|--goods]\n"
    "\n  bilvox-cli register import IN.json -o FILE [--contractors|--goods] [--force]",
    RunRegister);

}  // namespace
}  // namespace bilvox::cli
