// The document as JSON, for the command-line tool: every field of the document and of its
// lines under its own name, with the computed prices, values and sums beside them, and the
// way back from such JSON to a document. Texts are UTF-8 (CR LF kept); money, prices,
// percentages and rates are strings with a full stop and four decimals ("-61.5000");
// quantities are numbers; dates are "YYYY-MM-DD".
#pragma once

#include "common/json.h"

namespace bilvox {

class TFaktura;

// The document as one JSON object, written as it is produced (a line at a time);
// formatVersion is the file version it was read from. A date outside the years 1 to 9999
// (or not a number at all) is null, a date with a time of day gives its day; a quantity
// that is not a finite number is null.
void WriteDocumentJson(JsonWriter& out, const TFaktura& doc, int formatVersion);
// The same as a JSON value.
Json DocumentToJson(const TFaktura& doc, int formatVersion);

// Fills a document from a JSON object of the shape DocumentToJson gives. Only the fields
// the document file keeps are taken; the keys of computed values and of fields the file
// does not keep (they come from the stored defaults) are ignored, and a missing key leaves
// its field as it is. Each entry of "Lines" and "PriorLines" appends a new line whose
// missing keys keep the defaults of a new line. Throws Error, with an English message
// naming the key, for an unknown key, a value of the wrong type or range, or a text that
// Windows-1250 cannot hold; the document may then be partly filled.
void DocumentFromJson(const Json& json, TFaktura& doc);

}  // namespace bilvox
