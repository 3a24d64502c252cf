// The defaults carried from one document to the next: before a new document is started the
// outgoing one writes a set of its fields under the document key, and every reset reads
// them back.
#include <cstdint>
#include <limits>

#include "common/cp1250.h"
#include "document/faktura.h"
#include "settings/registry.h"

namespace bilvox {

namespace {

// The payment term in whole days, as the store's 32-bit integer holds it.
int32_t PaymentDays(TDate issue, TDate due) {
  const int64_t days = WholeDays(due) - WholeDays(issue);
  if (days > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (days < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(days);
}

}  // namespace

void TFaktura::LoadDefaults() {
  if (!store_) return;
  std::unique_ptr<RegistryKey> key = store_->OpenKey(kKeyDocument);
  if (!key) return;
  const RegistryKey& k = *key;
  // Each value that exists replaces the field; a value of the wrong type stops the reading
  // there with the store's error.
  auto has = [&](std::string_view name) { return k.ValueExists(name); };
  if (has("AutoNumbering")) f_.AutoNumbering = k.ReadBool("AutoNumbering");
  if (has("DocLanguage")) f_.DocLanguage = k.ReadInteger("DocLanguage");
  if (has("WalutaObca")) f_.CurrencyCode = k.ReadString("WalutaObca");
  if (has("TypFakturyVat")) f_.VatInvoiceType = k.ReadByte("TypFakturyVat");
  if (has("ProceduraMarzy")) f_.MarginProcedure = k.ReadByte("ProceduraMarzy");
  if (has("KursWaluty")) f_.ExchangeRate = k.ReadCurrency("KursWaluty");
  if (has("Numer")) f_.Number = k.ReadString("Numer");
  if (has("OdCenBrutto")) f_.GrossPricing = k.ReadBool("OdCenBrutto");
  if (has("MiejsceWyst")) f_.PlaceOfIssue = k.ReadString("MiejsceWyst");
  if (has("SprzedazCiagla")) f_.ContinuousSale = k.ReadBool("SprzedazCiagla");
  if (has("OkresPlatnosci"))
    f_.PaymentDueDate = f_.IssueDate + static_cast<TDate>(k.ReadInteger("OkresPlatnosci"));
  if (has("SellerName")) f_.SellerName = k.ReadString("SellerName");
  if (has("SellerAddress")) f_.SellerAddress = k.ReadString("SellerAddress");
  if (has("SellerNIP")) f_.SellerNIP = k.ReadString("SellerNIP");
  if (has("InfoText1")) f_.InfoText1 = k.ReadString("InfoText1");
  if (has("InfoText2")) f_.InfoText2 = k.ReadString("InfoText2");
  // The logo is loaded through its setter; the stored path is Windows-1250 text.
  if (has("LogoFileName"))
    SetLogoFileName(ToUtf8(k.ReadString("LogoFileName")));
  else
    logoAbsent_ = true;
  if (has("FormaPlatnosci")) f_.PaymentForm = k.ReadString("FormaPlatnosci");
  if (has("UpowWystaw")) f_.IssuerName = k.ReadString("UpowWystaw");
  f_.StandingRemarks =
      has("UwagiStale") ? k.ReadString("UwagiStale") : std::string(kDefaultStandingRemarks);
}

void TFaktura::SaveDefaults() {
  if (!store_) return;
  std::unique_ptr<RegistryKey> key = store_->OpenKey(kKeyDocument);
  if (!key) return;
  RegistryKey& k = *key;
  k.WriteInteger("DocLanguage", f_.DocLanguage);
  k.WriteString("WalutaObca", f_.CurrencyCode);
  k.WriteByte("TypFakturyVat", f_.VatInvoiceType);
  k.WriteByte("ProceduraMarzy", f_.MarginProcedure);
  k.WriteCurrency("KursWaluty", f_.ExchangeRate);
  k.WriteString("Numer", f_.Number);
  k.WriteBool("AutoNumbering", f_.AutoNumbering);
  k.WriteBool("OdCenBrutto", f_.GrossPricing);
  k.WriteString("MiejsceWyst", f_.PlaceOfIssue);
  k.WriteBool("SprzedazCiagla", f_.ContinuousSale);
  k.WriteInteger("OkresPlatnosci", PaymentDays(f_.IssueDate, f_.PaymentDueDate));
  k.WriteString("SellerName", f_.SellerName);
  k.WriteString("SellerAddress", f_.SellerAddress);
  k.WriteString("SellerNIP", f_.SellerNIP);
  k.WriteString("InfoText1", f_.InfoText1);
  k.WriteString("InfoText2", f_.InfoText2);
  // A cleared logo leaves the previous file name stored.
  if (!logoAbsent_) k.WriteString("LogoFileName", FromUtf8Lossy(logoFileName_));
  k.WriteString("UpowWystaw", f_.IssuerName);
  k.WriteString("UwagiStale", f_.StandingRemarks);
  k.Close();
}

}  // namespace bilvox
