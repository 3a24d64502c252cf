// A document as JSON (what `bilvox-cli import` reads): the JSON text, then the document made
// from it, which shown as JSON and read again is the same document.
#include "common/error.h"
#include "common/json.h"
#include "document/document_json.h"
#include "document/faktura.h"
#include "support/fuzz_support.h"

using namespace bilvox;
using bilvox::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  const std::optional<Json> json = Json::Parse(fuzz::Input(data, size), &error);
  if (!json) {
    Require(!error.empty(), "a parse failure without its reason");
    return 0;
  }
  // What is written parses to what was read.
  const std::string dumped = json->Dump();
  const std::optional<Json> again = Json::Parse(dumped);
  Require(again && again->Dump() == dumped, "JSON changed through writing and reading back");

  TFaktura doc;  // without a settings store, as the command imports
  try {
    DocumentFromJson(*json, doc);
  } catch (const Error&) {
    return 0;
  }
  (void)doc.AmountDue();
  (void)doc.Validate();
  // The document as `show` prints it reads back into the same document file.
  const Json shown = DocumentToJson(doc, 8);
  TFaktura back;
  try {
    DocumentFromJson(shown, back);
  } catch (const Error& e) {
    Require(false, "a shown document cannot be imported again");
  }
  Require(back.FileContent() == doc.FileContent(),
          "a document changed through showing and importing it");
  Require(DocumentToJson(back, 8).Dump() == shown.Dump(), "the shown document changed");
  return 0;
}
