// Structured invoices for KSeF, the national e-invoicing system: a VAT invoice or a correcting
// invoice as XML in the Ministry of Finance's schema FA(3). The XML is checked against the copy
// of the schema installed with the program before anyone gets it; nothing is ever fetched from
// the network. Messages are Polish (Windows-1250) and name the field or the XML element.
//
// A window or command exports a document in two steps: BuildKsefXml, then WriteKsefFile.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/cp1250.h"
#include "common/dates.h"

namespace bilvox {

class TFaktura;

// The legal basis of exempt sales written when a document has exempt lines (a setting, see
// TAppSettings::KSeFPodstawaZwolnienia): the exemption of small businesses.
inline constexpr std::string_view kDefaultExemptBasis =
    "art. 113 ust. 1 ustawy z dnia 11 marca 2004 r. o podatku od towarów i usług"_cp;
// The longest basis KSeF takes (characters).
inline constexpr size_t kExemptBasisMaxLength = 256;

// What the document file does not hold and the export needs.
struct KsefOptions {
  // Issue date of the corrected invoice: required for a correcting invoice.
  std::optional<Ymd> correctedIssueDate;
  // KSeF number of the corrected invoice when it was sent through KSeF; empty when it was
  // issued outside KSeF.
  std::string correctedKsefNumber;
  // Creation time of the XML (xsd:dateTime, "2027-03-05T10:15:00+01:00"); empty means now.
  std::string creationTime;
  // Legal basis of exempt sales (Windows-1250).
  std::string exemptBasis = std::string(kDefaultExemptBasis);
};

// Why a document of this kind and type is no VAT invoice for KSeF (a bill, a pro forma
// invoice, a correcting note); empty when it can be exported. Lets a window refuse before it
// asks for anything.
std::string KsefKindRefusal(const TFaktura& doc);

// The document as an FA(3) XML file (UTF-8 bytes), valid against the bundled schema. Throws
// Error with a Polish message naming the field (or the element) when the document cannot be
// exported: a refused kind or type, an error that also stops printing, a seller without a
// valid NIP, a missing corrected invoice date, a text longer than KSeF takes, and so on.
std::string BuildKsefXml(const TFaktura& doc, const KsefOptions& options);

// Checks XML against the bundled FA(3) schema: empty when valid, else a Polish message naming
// the first element found wrong. Throws Error when the schema cannot be read.
std::string KsefValidationError(std::string_view xml);

// Writes the XML in place of the file, keeping the previous file intact until the new one is
// complete. Returns false, writing nothing, when the file exists and `replace` is false.
// Throws Error with the saving message when writing fails.
bool WriteKsefFile(const std::string& path, std::string_view xml, bool replace);

// The moment of calling as xsd:dateTime with the local offset; the date is today's
// (BILVOX_TODAY replaces it as everywhere).
std::string KsefCreationTimeNow();

// The folder holding the installed schema; throws Error when no copy is found.
std::string KsefSchemaDir();

}  // namespace bilvox
