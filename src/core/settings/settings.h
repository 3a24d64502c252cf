// The program's settings in memory, in the groups in which the store keeps them: the
// application settings and the window state of the key "Ustawienia" and the numbering
// schemes of "Ustawienia\Numerowanie". One TSettings object holds the run-time copy that
// the rest of the program reads; nothing else reads these values from the store.
//
// Every group is read value by value (a missing value takes its default, or leaves the
// member as it is where the value has no default) and written whole. Load and Save return
// false when the key cannot be opened: the group is then skipped and memory keeps what it
// had. A value of the wrong type stops the reading with "Invalid data type for '<name>'";
// the values after it keep what memory held, and the next Save leaves those of them that
// still hold that as they are stored, so a stopped reading never wipes stored settings.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "ksef/ksef.h"
#include "settings/registry.h"

namespace bilvox {

// A setting as memory holds it.
using SettingValue = std::variant<std::string, int32_t, bool, ColorRef, std::optional<int32_t>>;
// Values a stopped reading did not reach, with what memory held for each at that moment.
using UnreadSettings = std::vector<std::pair<std::string, SettingValue>>;

// Application settings of "Ustawienia" (edited in the settings window; read by the
// printout and the main window).
class TAppSettings {
 public:
  std::string FolderFaktur;       // folder of documents
  bool AutoZapisFaktur = false;   // save a document automatically after printing
  int32_t DocTemplate = 0;        // 0 "Wzór 1", 1 "Wzór 2"
  bool ShowInfoFrame = true;
  bool LogoWidthAuto = true;
  int32_t LogoWidth = 5;          // millimetres
  bool ShowShadows = true;
  ColorRef ShadowColor = 10461087;   // grey 159
  ColorRef HdrFillColor = 15066597;  // grey 229
  ColorRef HdrTextColor = 0;
  ColorRef LinesColor = 0;
  std::string FontName = "Arial";
  int32_t FontSizeDelta = 0;      // a font size s becomes s * (10 + delta) / 10
  int32_t TabTowDist = 3;         // millimetres before the items table
  int32_t RowAlign = 1;           // 0 top, 1 bottom, 2 centred
  bool ShowFooter = true;
  bool ShowUwagi = true;
  bool HideSellerPage = false;
  // Legal basis of exempt sales in KSeF invoices (Windows-1250).
  std::string KSeFPodstawaZwolnienia = std::string(kDefaultExemptBasis);

  // Reading brings FontSizeDelta, TabTowDist and LogoWidth into their ranges below.
  bool Load(SettingsStore& store);
  bool Save(SettingsStore& store);

  static constexpr int32_t kMinFontSizeDelta = -2, kMaxFontSizeDelta = 2;
  static constexpr int32_t kMinTabTowDist = 0, kMaxTabTowDist = 50;  // millimetres
  static constexpr int32_t kMinLogoWidth = 5, kMaxLogoWidth = 100;   // millimetres
  // Brings those settings into their ranges.
  void KeepInRange();

 private:
  UnreadSettings unread_;
};

// Numbered document kinds: 0 invoice, 1 bill, 2 correcting invoice.
inline constexpr int kNumberedKindCount = 3;

struct TNumberingScheme {
  std::string Prefix;
  int32_t Number = 1;    // the counter: what the next new document of the kind gets
  int32_t NumWidth = 1;  // minimum count of digits
  std::string Sufix = "/%m/%r";
};

// The three schemes of "Ustawienia\Numerowanie" (Fakt..., Rach..., Kor...).
class TNumbering {
 public:
  TNumbering();

  std::array<TNumberingScheme, kNumberedKindCount> Schemes;

  bool Load(SettingsStore& store);
  bool Save(SettingsStore& store);

 private:
  UnreadSettings unread_;
};

// The main window's values (read at its creation, written at its destruction).
class TMainWindowState {
 public:
  std::optional<int32_t> MainFormLeft, MainFormTop;  // absent: the designed position
  int32_t MainFormWidth = 632;
  int32_t MainFormHeight = 450;
  // Kind of the document made at start-up. Save writes it only when it is 0 or 1, so a
  // correcting invoice open at exit leaves the stored kind as it was.
  int32_t DefaultDoc = 0;

  bool Load(SettingsStore& store);
  bool Save(SettingsStore& store);

 private:
  UnreadSettings unread_;
};

// Position and size of a register window: names "<prefix>Left", "<prefix>Top", ...
// ("KontrForm", "TowForm"). Absent values leave the window where it was designed.
class TFormPlacement {
 public:
  explicit TFormPlacement(std::string prefix) : prefix_(std::move(prefix)) {}

  std::optional<int32_t> Left, Top, Width, Height;

  bool Load(SettingsStore& store);
  bool Save(SettingsStore& store);

 private:
  std::string prefix_;
  UnreadSettings unread_;
};

// The information window's values.
class TInfoWindowState {
 public:
  std::optional<int32_t> InfoFormLeft, InfoFormTop;
  // Topics the user asked not to see again. Read as 0 when no "Version" is stored.
  int32_t DisableInfoOptions = 0;

  bool Load(SettingsStore& store);
  // At every close: DisableInfoOptions and Version.
  bool SaveOptions(SettingsStore& store);
  // At destruction: the position and Version.
  bool SavePlacement(SettingsStore& store);

 private:
  UnreadSettings unread_;
};

// The caption of the web-site label of the contractor window, when one is stored.
std::optional<std::string> LoadWebsiteCaption(SettingsStore& store);

class TSettings {
 public:
  TAppSettings App;
  TNumbering Numbering;
  TMainWindowState MainWindow;
  TFormPlacement KontrForm{"KontrForm"};
  TFormPlacement TowForm{"TowForm"};
  TInfoWindowState InfoWindow;

  // The application settings and the numbering schemes, as the settings window reads
  // and writes them. False when either key could not be opened.
  bool Load(SettingsStore& store);
  bool Save(SettingsStore& store);

  // The number the scheme of a kind gives now; empty for a kind other than 0, 1 and 2.
  std::string GenerateNumber(int kind) const;

  // Whether printing or a first save under a name moves the counter on: the document was
  // not printed before and still carries exactly the number its kind gives now.
  bool CounterAdvances(int kind, bool printedBefore, std::string_view number) const;

  // Counter of the kind + 1, then both groups are written, in one step under the store's
  // lock: the counter is read from the store again first, so it moves on from what is
  // stored now (another program may have moved it meanwhile); where the store holds none
  // that can be read, from memory's. Another kind changes no counter but still writes. A
  // counter at the largest 32-bit value cannot move on: that throws and stores nothing.
  // False when a key could not be opened (nothing or not all written); a failed write
  // throws.
  bool AdvanceCounter(int kind, SettingsStore& store);
};

}  // namespace bilvox
