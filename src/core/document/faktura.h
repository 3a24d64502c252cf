// The one sales document the program edits at a time: header data, seller and buyer,
// currency and rate, payment data, free texts, the seller's logo and two lists of lines.
// Every setter compares, stores and reports the change (MarkChanged); the main window
// listens through OnChange and polls TakeChanged to redraw. The file reader and writer
// reach the plain fields through Fields() and the line lists through AppendLine /
// AppendPriorLine, which report nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp1250.h"
#include "common/dates.h"
#include "document/money.h"
#include "document/picture.h"
#include "document/towar.h"

namespace bilvox {

class SettingsStore;

enum class DocumentKind : uint8_t {
  Invoice = 0,         // VAT invoice
  Bill = 1,            // bill without VAT
  Correction = 2,      // correcting invoice
  CorrectionNote = 3,  // correcting note: only read from files, otherwise like an invoice
};

// VatInvoiceType codes.
inline constexpr uint8_t kVatTypeVat = 0;
inline constexpr uint8_t kVatTypeVatMp = 1;
inline constexpr uint8_t kVatTypeMargin = 2;      // with MarginProcedure 0..3
inline constexpr uint8_t kVatTypeProForma = 3;
inline constexpr uint8_t kVatTypeWithoutVat = 4;

// DocLanguage codes: 0 Polish, 1 Polish-German, 2 German, 3 and 4 English variants.
inline constexpr int32_t kLanguagePolish = 0;

inline constexpr std::string_view kDefaultInfoText1 = "Twój e-mail\r\nAdres www"_cp;
inline constexpr std::string_view kDefaultInfoText2 =
    "Adres firmy\r\nTelefony\r\nlub inny dowolny tekst,\r\nktóry możesz tu umieścić."_cp;
inline constexpr std::string_view kDefaultStandingRemarks = "Dziękujemy i zapraszamy ponownie."_cp;

// The plain fields of the document (texts Windows-1250, dates whole days). Writing them
// directly reports no change.
struct FakturaFields {
  bool Changed = false;  // pulse for the window's refresh timer
  DocumentKind Kind = DocumentKind::Invoice;
  uint8_t VatInvoiceType = kVatTypeVat;
  uint8_t MarginProcedure = 0;
  int32_t DocLanguage = kLanguagePolish;
  std::string CurrencyCode = "PLN";
  Currency ExchangeRate = Currency::Of(1);  // PLN per unit of the currency
  bool UseForeignPrices = true;             // price-column selector of the lines
  bool LoadedFromFile = false;
  bool AutoNumbering = false;
  std::string Number;
  std::string CorrectedNumber;  // in a correction: number of the corrected invoice
  std::string PlaceOfIssue;
  TDate IssueDate = 0;
  TDate SaleDate = 0;
  bool ContinuousSale = false;
  bool GrossPricing = false;  // values are computed from gross prices
  std::string SellerName;
  std::string SellerAddress;
  std::string SellerNIP;
  std::string BuyerName;
  std::string BuyerAddress;
  std::string BuyerNIP;
  Currency BuyerDiscount;  // percent, applied to every unit price
  std::string InfoText1 = std::string(kDefaultInfoText1);
  std::string InfoText2 = std::string(kDefaultInfoText2);
  TDate PaymentDueDate = 0;
  std::string PaymentForm;
  std::string ReservedText1;  // never set by the program, kept through files
  std::string ReservedText2;
  Currency Paid;
  std::string IssuerName;
  std::string ReceiverName;
  std::string Remarks;
  std::string StandingRemarks = std::string(kDefaultStandingRemarks);
  bool Printed = false;
  bool Modified = false;  // unsaved changes exist
};

// The version of the document file this program writes; it reads every version up to it.
inline constexpr uint16_t kFakturaFileVersion = 8;

// Validation codes: below 100 an error that stops printing, from 100 up a warning.
inline constexpr int kValidOk = 0;
inline constexpr int kValidNoLines = 11;
inline constexpr int kValidSellerMissing = 13;
inline constexpr int kValidBuyerMissing = 14;
inline constexpr int kValidBuyerNipMissing = 101;
inline constexpr int kValidSellerNipInvalid = 102;
inline constexpr int kValidBuyerNipInvalid = 103;
inline constexpr int kValidZeroAmount = 104;

// The text the main window shows for a validation code (empty for 0 and unknown codes).
std::string_view ValidationMessage(int code);

// Checks a Polish tax number (ten digits with a check digit, blanks, "-" and "/" allowed,
// an optional "PL" in front); a number starting with two other letters is accepted as a
// foreign VAT number.
bool NipValid(std::string_view text);

class TFaktura {
 public:
  // The store holds the defaults carried from one document to the next; null means none
  // are read or written. Construction resets the document; an error reading the stored
  // defaults is shown as an error box and the document stays usable.
  explicit TFaktura(SettingsStore* store = nullptr);
  // Stores the defaults for the next run first.
  ~TFaktura();
  TFaktura(const TFaktura&) = delete;
  TFaktura& operator=(const TFaktura&) = delete;

  // One listener each (the main window).
  std::function<void(TFaktura&)> OnChange;
  std::function<void(TFaktura&)> OnFileNameChange;

  // Direct access for the file reader and writer.
  FakturaFields& Fields() { return f_; }
  const FakturaFields& Fields() const { return f_; }

  // Getters.
  bool Changed() const { return f_.Changed; }
  DocumentKind Kind() const { return f_.Kind; }
  bool IsCorrection() const { return f_.Kind == DocumentKind::Correction; }
  uint8_t VatInvoiceType() const { return f_.VatInvoiceType; }
  uint8_t MarginProcedure() const { return f_.MarginProcedure; }
  int32_t DocLanguage() const { return f_.DocLanguage; }
  const std::string& CurrencyCode() const { return f_.CurrencyCode; }
  Currency ExchangeRate() const { return f_.ExchangeRate; }
  bool UseForeignPrices() const { return f_.UseForeignPrices; }
  bool LoadedFromFile() const { return f_.LoadedFromFile; }
  bool AutoNumbering() const { return f_.AutoNumbering; }
  const std::string& Number() const { return f_.Number; }
  const std::string& CorrectedNumber() const { return f_.CorrectedNumber; }
  const std::string& PlaceOfIssue() const { return f_.PlaceOfIssue; }
  TDate IssueDate() const { return f_.IssueDate; }
  TDate SaleDate() const { return f_.SaleDate; }
  bool ContinuousSale() const { return f_.ContinuousSale; }
  bool GrossPricing() const { return f_.GrossPricing; }
  const std::string& SellerName() const { return f_.SellerName; }
  const std::string& SellerAddress() const { return f_.SellerAddress; }
  const std::string& SellerNIP() const { return f_.SellerNIP; }
  const std::string& BuyerName() const { return f_.BuyerName; }
  const std::string& BuyerAddress() const { return f_.BuyerAddress; }
  const std::string& BuyerNIP() const { return f_.BuyerNIP; }
  Currency BuyerDiscount() const { return f_.BuyerDiscount; }
  const std::string& InfoText1() const { return f_.InfoText1; }
  const std::string& InfoText2() const { return f_.InfoText2; }
  const Picture& Logo() const { return logo_; }
  const std::string& LogoFileName() const { return logoFileName_; }  // native path
  // True while no logo is loaded (after a reset, a cleared or unreadable logo).
  bool LogoAbsent() const { return logoAbsent_; }
  TDate PaymentDueDate() const { return f_.PaymentDueDate; }
  const std::string& PaymentForm() const { return f_.PaymentForm; }
  const std::string& ReservedText1() const { return f_.ReservedText1; }
  const std::string& ReservedText2() const { return f_.ReservedText2; }
  Currency Paid() const { return f_.Paid; }
  const std::string& IssuerName() const { return f_.IssuerName; }
  const std::string& ReceiverName() const { return f_.ReceiverName; }
  const std::string& Remarks() const { return f_.Remarks; }
  const std::string& StandingRemarks() const { return f_.StandingRemarks; }
  const std::string& FileName() const { return fileName_; }  // native path
  bool Printed() const { return f_.Printed; }
  bool Modified() const { return f_.Modified; }

  // Change reporting.
  void MarkChanged();   // Changed and Modified := true, then OnChange
  bool TakeChanged();   // returns Changed and clears it
  void NotifyChange();  // fires OnChange, touching no flag
  void SetModified(bool modified);
  void SetFileName(const std::string& path);  // always fires OnFileNameChange
  void SetPrinted(bool printed);

  // Plain setters: nothing happens when given the stored value.
  void SetVatInvoiceType(uint8_t type);
  void SetMarginProcedure(uint8_t procedure);
  void SetNumber(std::string_view number);
  void SetPlaceOfIssue(std::string_view place);
  void SetIssueDate(TDate date);
  void SetSaleDate(TDate date);
  void SetContinuousSale(bool on);
  void SetGrossPricing(bool on);
  void SetSellerName(std::string_view text);
  void SetSellerAddress(std::string_view text);
  void SetSellerNIP(std::string_view text);
  void SetBuyerName(std::string_view text);
  void SetBuyerAddress(std::string_view text);
  void SetBuyerNIP(std::string_view text);
  void SetBuyerDiscount(Currency percent);
  void SetInfoText1(std::string_view text);
  void SetInfoText2(std::string_view text);
  void SetPaymentDueDate(TDate date);
  void SetPaymentForm(std::string_view text);
  void SetPaid(Currency amount);
  void SetIssuerName(std::string_view name);  // compared as given, stored trimmed
  void SetReceiverName(std::string_view name);
  void SetRemarks(std::string_view text);
  void SetStandingRemarks(std::string_view text);
  // The numbering switch of the main window: stored without a change report.
  void SetAutoNumbering(bool on) { f_.AutoNumbering = on; }

  // Setters with rules.
  void SetLanguage(int32_t language);          // also selects the printout texts
  void SetCurrency(std::string_view code);     // trimmed, upper case, empty is PLN
  void SetExchangeRate(Currency rate);         // always 1.0000 in PLN
  // Loads the logo from an existing file or clears it with an empty name; any other name
  // is ignored. An unreadable picture shows an error box and leaves no logo.
  void SetLogoFileName(const std::string& path);

  // Lines. An index outside the list is an error.
  int LineCount() const { return static_cast<int>(lines_.size()); }
  int PriorLineCount() const { return static_cast<int>(priorLines_.size()); }
  TTowar& Line(int index);
  const TTowar& Line(int index) const;
  TTowar& PriorLine(int index);
  const TTowar& PriorLine(int index) const;
  // Position in Lines, else in PriorLines, else -1.
  int IndexOfLine(const TTowar* line) const;
  // Appends a line with the defaults; returns its index.
  int NewLine();
  // Appends a filled line; returns its index. The translated texts go to the fields of
  // the document's language, the price to the column of its currency. An empty name is an
  // error and adds nothing.
  int AddLine(std::string_view name, std::string_view translatedName, int vatIndex,
              bool isGross, Currency price, double quantity, std::string_view pkwiu,
              std::string_view translatedUnit, std::string_view unit);
  // Refills a line of Lines; returns its index (-1, changing nothing, for a line that is
  // not in Lines).
  int ChangeLine(TTowar* line, std::string_view name, int vatIndex, bool isGross,
                 Currency price, double quantity, std::string_view pkwiu,
                 std::string_view translatedUnit, std::string_view unit,
                 std::string_view translatedName);
  // Removes a line of Lines; in a correction a line of the corrected invoice stays with
  // quantity 0.
  void DeleteLine(TTowar* line);
  // Appends a line with the defaults without reporting a change (file reader).
  TTowar& AppendLine();
  TTowar& AppendPriorLine();

  // Sums by VAT index (kVatIndexAll for all rates). In a correction with withCorrection
  // they are the difference after minus before.
  Currency NetSum(int vatIndex, bool withCorrection = true) const;
  Currency VatSum(int vatIndex, bool withCorrection = true) const;
  Currency GrossSum(int vatIndex, bool withCorrection = true) const;
  Currency PriorNetSum(int vatIndex) const;
  Currency PriorVatSum(int vatIndex) const;
  Currency PriorGrossSum(int vatIndex) const;
  // Net sum of a bill, gross sum otherwise.
  Currency AmountDue() const;

  // The first failing check as a code (see kValid…), 0 when all pass.
  int Validate() const;

  // The document file (extension ftv). Load replaces the document by the file's content and
  // returns the format version it read (0 to 8). On any failure the document is reset (empty,
  // without a file name) and the error's message is the reading error with the cause.
  uint16_t Load(const std::string& path);
  // Writes the whole document as a version-8 file to the path, or to FileName when the path
  // is empty; the previous file stays intact until the new one is complete. Returns false,
  // changing nothing, when the user declines to replace another existing file. A failed
  // write raises the saving error; FileName then keeps the new name and Modified stays.
  bool Save(const std::string& path = {});
  // The bytes Save writes: the whole document as a version-8 file.
  std::string FileContent() const;

  // Life cycle.
  void Reset();
  // Stores the defaults, then starts a document of the kind (a correction is derived from
  // the current invoice); the number is taken only while AutoNumbering is on.
  void NewDocument(DocumentKind kind, const std::string& number);
  // Turns the current VAT invoice into a correction of itself.
  void DeriveCorrection();
  void LoadDefaults();
  void SaveDefaults();

 private:
  using LineList = std::vector<std::unique_ptr<TTowar>>;
  struct RateSums {
    Currency net, vat, gross;
  };

  template <class T>
  void Assign(T& field, const T& value);
  void AssignText(std::string& field, std::string_view value);
  void ResetFields();
  void FillLine(TTowar& line, std::string_view name, std::string_view translatedName,
                int vatIndex, bool isGross, Currency price, double quantity,
                std::string_view pkwiu, std::string_view translatedUnit, std::string_view unit);
  static int IndexIn(const LineList& list, const TTowar* line);
  RateSums SumsOver(const LineList& list, int vatIndex) const;
  RateSums Sums(int vatIndex, bool withCorrection) const;
  void ClearLogo();

  SettingsStore* store_;
  FakturaFields f_;
  LineList lines_;
  LineList priorLines_;
  Picture logo_;
  std::string logoFileName_;
  bool logoAbsent_ = true;
  std::string fileName_;
};

}  // namespace bilvox
