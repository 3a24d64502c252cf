#include "settings/settings.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "common/app_info.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "settings/numbering.h"

namespace bilvox {

namespace {

// Where a setting lives in memory, by its type.
using SettingRef = std::variant<std::string*, int32_t*, bool*, ColorRef*, std::optional<int32_t>*>;

struct Entry {
  std::string name;
  SettingRef ref;
  bool write = true;  // false: Save leaves the stored value alone
};
using Entries = std::vector<Entry>;

SettingValue Current(const SettingRef& ref) {
  return std::visit([](auto* p) -> SettingValue { return *p; }, ref);
}

bool HasDefault(const SettingRef& ref) {
  return !std::holds_alternative<std::optional<int32_t>*>(ref);
}

void Assign(const SettingRef& ref, const SettingValue& v) {
  std::visit([&](auto* p) { *p = std::get<std::remove_reference_t<decltype(*p)>>(v); }, ref);
}

void ReadEntry(const RegistryKey& key, const Entry& e, const SettingValue& fallback) {
  if (!key.ValueExists(e.name)) {
    if (HasDefault(e.ref)) Assign(e.ref, fallback);
    return;
  }
  if (auto* s = std::get_if<std::string*>(&e.ref)) **s = key.ReadString(e.name);
  else if (auto* i = std::get_if<int32_t*>(&e.ref)) **i = key.ReadInteger(e.name);
  else if (auto* b = std::get_if<bool*>(&e.ref)) **b = key.ReadBool(e.name);
  else if (auto* c = std::get_if<ColorRef*>(&e.ref)) **c = key.ReadColor(e.name);
  else *std::get<std::optional<int32_t>*>(e.ref) = key.ReadInteger(e.name);
}

void WriteEntry(RegistryKey& key, const Entry& e) {
  if (auto* s = std::get_if<std::string*>(&e.ref)) key.WriteString(e.name, **s);
  else if (auto* i = std::get_if<int32_t*>(&e.ref)) key.WriteInteger(e.name, **i);
  else if (auto* b = std::get_if<bool*>(&e.ref)) key.WriteBool(e.name, **b);
  else if (auto* c = std::get_if<ColorRef*>(&e.ref)) key.WriteColor(e.name, **c);
  else if (auto& o = *std::get<std::optional<int32_t>*>(e.ref)) key.WriteInteger(e.name, *o);
}

std::vector<SettingValue> ValuesOf(const Entries& entries) {
  std::vector<SettingValue> values;
  for (const auto& e : entries) values.push_back(Current(e.ref));
  return values;
}

// Opens the key and reads the entries in order; returns the key still open (for a
// group's own last steps), or nullptr when it cannot be opened. On a wrongly typed value
// the error propagates and the entries after it are noted in `unread`.
std::unique_ptr<RegistryKey> ReadGroup(SettingsStore& store, std::string_view path,
                                       const Entries& entries,
                                       const std::vector<SettingValue>& defaults,
                                       UnreadSettings& unread) {
  auto key = store.OpenKey(path);
  if (!key) return nullptr;
  unread.clear();
  for (size_t i = 0; i < entries.size(); ++i) {
    try {
      ReadEntry(*key, entries[i], defaults[i]);
    } catch (const Error&) {
      for (size_t j = i + 1; j < entries.size(); ++j)
        unread.emplace_back(entries[j].name, Current(entries[j].ref));
      throw;
    }
  }
  return key;
}

bool WriteGroup(SettingsStore& store, std::string_view path, const Entries& entries,
                UnreadSettings& unread) {
  auto key = store.OpenKey(path);
  if (!key) return false;
  std::vector<std::string> written;
  for (const auto& e : entries) {
    if (!e.write) continue;
    auto it = std::find_if(unread.begin(), unread.end(),
                           [&](const auto& u) { return u.first == e.name; });
    if (it != unread.end()) {
      if (it->second == Current(e.ref)) continue;  // never read, never changed
      written.push_back(e.name);
    }
    WriteEntry(*key, e);
  }
  key->Close();
  std::erase_if(unread, [&](const auto& u) {
    return std::find(written.begin(), written.end(), u.first) != written.end();
  });
  return true;
}

template <class Group>
bool LoadWithDefaults(SettingsStore& store, std::string_view path, Group& group,
                      Entries (*entriesOf)(Group&), UnreadSettings& unread) {
  Group defaults;
  return ReadGroup(store, path, entriesOf(group), ValuesOf(entriesOf(defaults)), unread) != nullptr;
}

Entries AppEntries(TAppSettings& s) {
  return {
      {"FolderFaktur", &s.FolderFaktur},   {"AutoZapisFaktur", &s.AutoZapisFaktur},
      {"DocTemplate", &s.DocTemplate},     {"ShowInfoFrame", &s.ShowInfoFrame},
      {"LogoWidthAuto", &s.LogoWidthAuto}, {"LogoWidth", &s.LogoWidth},
      {"ShowShadows", &s.ShowShadows},     {"ShadowColor", &s.ShadowColor},
      {"HdrFillColor", &s.HdrFillColor},   {"HdrTextColor", &s.HdrTextColor},
      {"LinesColor", &s.LinesColor},       {"FontName", &s.FontName},
      {"FontSizeDelta", &s.FontSizeDelta}, {"TabTowDist", &s.TabTowDist},
      {"RowAlign", &s.RowAlign},           {"ShowFooter", &s.ShowFooter},
      {"ShowUwagi", &s.ShowUwagi},         {"HideSellerPage", &s.HideSellerPage},
      {"KSeFPodstawaZwolnienia", &s.KSeFPodstawaZwolnienia},
  };
}

constexpr std::string_view kSchemeNames[kNumberedKindCount] = {"Fakt", "Rach", "Kor"};
constexpr std::string_view kSchemePrefixes[kNumberedKindCount] = {"F", "R", "K"};

Entries NumberingEntries(TNumbering& n) {
  Entries entries;
  for (int k = 0; k < kNumberedKindCount; ++k) {
    std::string base(kSchemeNames[k]);
    auto& s = n.Schemes[k];
    entries.push_back({base + "Prefix", &s.Prefix});
    entries.push_back({base + "Number", &s.Number});
    entries.push_back({base + "NumWidth", &s.NumWidth});
    entries.push_back({base + "Sufix", &s.Sufix});
  }
  return entries;
}

Entries MainWindowEntries(TMainWindowState& m) {
  return {
      {"MainFormLeft", &m.MainFormLeft},
      {"MainFormTop", &m.MainFormTop},
      {"MainFormWidth", &m.MainFormWidth},
      {"MainFormHeight", &m.MainFormHeight},
      {"DefaultDoc", &m.DefaultDoc, m.DefaultDoc == 0 || m.DefaultDoc == 1},
  };
}

Entries InfoEntries(TInfoWindowState& w) {
  return {
      {"InfoFormLeft", &w.InfoFormLeft},
      {"InfoFormTop", &w.InfoFormTop},
      {"DisableInfoOptions", &w.DisableInfoOptions},
  };
}

}  // namespace

bool TAppSettings::Load(SettingsStore& store) {
  try {
    const bool opened = LoadWithDefaults(store, kKeySettings, *this, &AppEntries, unread_);
    KeepInRange();
    return opened;
  } catch (...) {
    KeepInRange();  // what was read before the wrongly typed value
    throw;
  }
}

void TAppSettings::KeepInRange() {
  // The ranges of the settings window; values beyond them come only from edited or damaged
  // stores and would take the page's arithmetic past its limits.
  FontSizeDelta = std::clamp(FontSizeDelta, kMinFontSizeDelta, kMaxFontSizeDelta);
  TabTowDist = std::clamp(TabTowDist, kMinTabTowDist, kMaxTabTowDist);
  LogoWidth = std::clamp(LogoWidth, kMinLogoWidth, kMaxLogoWidth);
}

bool TAppSettings::Save(SettingsStore& store) {
  return WriteGroup(store, kKeySettings, AppEntries(*this), unread_);
}

TNumbering::TNumbering() {
  for (int k = 0; k < kNumberedKindCount; ++k) Schemes[k].Prefix = kSchemePrefixes[k];
}

bool TNumbering::Load(SettingsStore& store) {
  return LoadWithDefaults(store, kKeyNumbering, *this, &NumberingEntries, unread_);
}

bool TNumbering::Save(SettingsStore& store) {
  return WriteGroup(store, kKeyNumbering, NumberingEntries(*this), unread_);
}

bool TMainWindowState::Load(SettingsStore& store) {
  return LoadWithDefaults(store, kKeySettings, *this, &MainWindowEntries, unread_);
}

bool TMainWindowState::Save(SettingsStore& store) {
  return WriteGroup(store, kKeySettings, MainWindowEntries(*this), unread_);
}

namespace {
Entries PlacementEntries(const std::string& prefix, TFormPlacement& p) {
  return {
      {prefix + "Left", &p.Left},
      {prefix + "Top", &p.Top},
      {prefix + "Width", &p.Width},
      {prefix + "Height", &p.Height},
  };
}
}  // namespace

bool TFormPlacement::Load(SettingsStore& store) {
  Entries entries = PlacementEntries(prefix_, *this);
  return ReadGroup(store, kKeySettings, entries, ValuesOf(entries), unread_) != nullptr;
}

bool TFormPlacement::Save(SettingsStore& store) {
  return WriteGroup(store, kKeySettings, PlacementEntries(prefix_, *this), unread_);
}

bool TInfoWindowState::Load(SettingsStore& store) {
  TInfoWindowState defaults;
  auto key = ReadGroup(store, kKeySettings, InfoEntries(*this),
                       ValuesOf(InfoEntries(defaults)), unread_);
  if (!key) return false;
  // Choices stored by a version that did not write its number are not trusted.
  if (!key->ValueExists("Version")) DisableInfoOptions = 0;
  return true;
}

bool TInfoWindowState::SaveOptions(SettingsStore& store) {
  int32_t version = kAppVersionNumber;
  return WriteGroup(store, kKeySettings,
                    {{"DisableInfoOptions", &DisableInfoOptions}, {"Version", &version}}, unread_);
}

bool TInfoWindowState::SavePlacement(SettingsStore& store) {
  int32_t version = kAppVersionNumber;
  return WriteGroup(store, kKeySettings,
                    {{"InfoFormLeft", &InfoFormLeft}, {"InfoFormTop", &InfoFormTop},
                     {"Version", &version}},
                    unread_);
}

std::optional<std::string> LoadWebsiteCaption(SettingsStore& store) {
  auto key = store.OpenKey(kKeySettings);
  if (!key || !key->ValueExists("WebsiteCaption")) return std::nullopt;
  return key->ReadString("WebsiteCaption");
}

bool TSettings::Load(SettingsStore& store) {
  bool app = App.Load(store);
  bool numbering = Numbering.Load(store);
  return app && numbering;
}

bool TSettings::Save(SettingsStore& store) {
  bool app = App.Save(store);
  bool numbering = Numbering.Save(store);
  return app && numbering;
}

std::string TSettings::GenerateNumber(int kind) const {
  if (kind < 0 || kind >= kNumberedKindCount) return {};
  const TNumberingScheme& s = Numbering.Schemes[kind];
  return BuildNumber(s.Prefix, s.Number, s.NumWidth, s.Sufix);
}

bool TSettings::CounterAdvances(int kind, bool printedBefore, std::string_view number) const {
  return !printedBefore && number == GenerateNumber(kind);
}

bool TSettings::AdvanceCounter(int kind, SettingsStore& store) {
  // One step from reading the counter to storing it, so that programs advancing at the same
  // time each move it on: the counter is taken as stored now, not as read earlier.
  std::shared_ptr<void> hold = store.LockForUpdate();
  if (kind >= 0 && kind < kNumberedKindCount) {
    int32_t& counter = Numbering.Schemes[kind].Number;
    // A store that cannot be read, or holds no readable counter, leaves memory's: the run
    // still hands out each number once.
    const std::string name = std::string(kSchemeNames[kind]) + "Number";
    if (auto key = store.OpenKey(kKeyNumbering); key && key->ValueExists(name)) {
      try {
        counter = key->ReadInteger(name);
      } catch (const Error&) {
      }
    }
    if (counter == std::numeric_limits<int32_t>::max())
      throw Error(std::string(
          "Licznik numeracji dokumentów osiągnął największą możliwą wartość. Ustaw nowy numer "
          "bieżący w ustawieniach."_cp));
    ++counter;
  }
  return Save(store);
}

}  // namespace bilvox
