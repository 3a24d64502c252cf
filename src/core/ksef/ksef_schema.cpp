// The bundled FA(3) schema: where it lies, reading it once (offline: the catalog beside it
// resolves the schema's one remote import to the local copy and the network is never used),
// checking XML against it, and writing an exported file.
#include <libxml/catalog.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlschemas.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>

#include "common/error.h"
#include "common/files.h"
#include "ksef/ksef.h"
#include "ksef/ksef_internal.h"

namespace bilvox {

namespace {

constexpr const char* kSchemaFile = "schemat_FA(3)_v1-0E.xsd";
constexpr const char* kCatalogFile = "catalog.xml";

std::string ProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

bool HasSchema(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir / kSchemaFile, ec) &&
         std::filesystem::is_regular_file(dir / kCatalogFile, ec);
}

// libxml2's messages end with a line break and name elements with their namespace; a list
// of allowed values (180 currencies) is cut short.
std::string CleanLibxmlMessage(const char* message) {
  std::string m = message ? message : "";
  for (size_t open; (open = m.find("{http")) != std::string::npos;) {
    const size_t close = m.find('}', open);
    if (close == std::string::npos) break;
    m.erase(open, close - open + 1);
  }
  while (!m.empty() && (m.back() == '\n' || m.back() == ' ')) m.pop_back();
  if (m.size() > 240) m = m.substr(0, 240) + "...";
  return FromUtf8Lossy(m);
}

struct FirstError {
  std::string message;
  std::string element;
  std::string row;  // NrWierszaFa of the invoice line the element belongs to
};

std::string ChildText(const xmlNode* parent, const char* name) {
  for (const xmlNode* c = parent->children; c != nullptr; c = c->next) {
    if (c->type != XML_ELEMENT_NODE || xmlStrcmp(c->name, BAD_CAST name) != 0) continue;
    xmlChar* text = xmlNodeGetContent(c);
    std::string s = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return s;
  }
  return {};
}

void CollectFirst(void* data, xmlErrorPtr error) {
  auto* first = static_cast<FirstError*>(data);
  if (!first->message.empty() || error == nullptr || error->level < XML_ERR_ERROR) return;
  first->message = CleanLibxmlMessage(error->message);
  const auto* node = static_cast<const xmlNode*>(error->node);
  if (node == nullptr || node->type != XML_ELEMENT_NODE || node->name == nullptr) return;
  first->element = reinterpret_cast<const char*>(node->name);
  for (const xmlNode* n = node; n != nullptr && n->type == XML_ELEMENT_NODE; n = n->parent)
    if (xmlStrcmp(n->name, BAD_CAST "FaWiersz") == 0) first->row = FromUtf8Lossy(ChildText(n, "NrWierszaFa"));
}

struct SchemaDeleter {
  void operator()(xmlSchema* s) const { xmlSchemaFree(s); }
};

// The parsed schema, read on first use and kept for the run.
xmlSchema* Schema() {
  static std::unique_ptr<xmlSchema, SchemaDeleter> schema;
  static bool catalogLoaded = false;
  if (schema) return schema.get();

  xmlInitParser();
  const std::filesystem::path dir = KsefSchemaDir();
  if (!catalogLoaded) {
    if (xmlLoadCatalog((dir / kCatalogFile).c_str()) != 0)
      throw Error("Nie można wczytać katalogu schematu FA(3): "_cp +
                  FromUtf8Lossy((dir / kCatalogFile).string()));
    catalogLoaded = true;
  }

  // While the schema is read, only the catalog may resolve what it imports: a name the
  // catalog does not know is refused rather than fetched.
  const xmlExternalEntityLoader previous = xmlGetExternalEntityLoader();
  xmlSetExternalEntityLoader(xmlNoNetExternalEntityLoader);
  FirstError error;
  xmlSchemaParserCtxt* parser = xmlSchemaNewParserCtxt((dir / kSchemaFile).c_str());
  if (parser != nullptr) {
    xmlSchemaSetParserStructuredErrors(parser, CollectFirst, &error);
    schema.reset(xmlSchemaParse(parser));
    xmlSchemaFreeParserCtxt(parser);
  }
  xmlSetExternalEntityLoader(previous);
  if (!schema)
    throw Error("Nie można wczytać schematu FA(3) z folderu "_cp + FromUtf8Lossy(dir.string()) +
                (error.message.empty() ? std::string(".") : ": " + error.message));
  return schema.get();
}

struct DocDeleter {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct ParserDeleter {
  void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};
struct ValidDeleter {
  void operator()(xmlSchemaValidCtxt* c) const { xmlSchemaFreeValidCtxt(c); }
};

std::string Located(const FirstError& e) {
  std::string where;
  if (!e.element.empty()) {
    where = "element „"_cp + e.element + "”"_cp;
    const std::string_view meaning = KsefElementMeaning(e.element);
    if (!meaning.empty()) where += " (" + std::string(meaning) + ")";
  }
  if (!e.row.empty()) where += " w wierszu faktury "_cp + e.row;
  return where.empty() ? e.message : where + ": " + e.message;
}

}  // namespace

std::string KsefSchemaDir() {
  std::vector<std::filesystem::path> candidates;
  // Installed: beside the program (bin/../share/bilvox/ksef), then at the configured prefix;
  // in the build tree, the copy in the sources.
  if (const std::string folder = ProgramFolder(); !folder.empty())
    candidates.push_back(std::filesystem::path(folder) / ".." / BILVOX_KSEF_RELATIVE_DIR);
  candidates.emplace_back(BILVOX_KSEF_INSTALL_DIR);
  candidates.emplace_back(BILVOX_KSEF_SOURCE_DIR);
  for (const auto& dir : candidates) {
    if (!HasSchema(dir)) continue;
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::canonical(dir, ec);
    return ec ? dir.string() : canonical.string();
  }
  throw Error("Nie znaleziono schematu FA(3) zainstalowanego z programem ("_cp +
              std::string(kSchemaFile) + ").");
}

std::string KsefValidationError(std::string_view xml) {
  xmlSchema* schema = Schema();
  if (xml.size() > static_cast<size_t>(INT32_MAX)) return std::string("Plik XML jest zbyt duży."_cp);

  std::unique_ptr<xmlParserCtxt, ParserDeleter> parser(xmlNewParserCtxt());
  if (!parser) throw Error(std::string("Brak pamięci na sprawdzenie pliku XML."_cp));
  std::unique_ptr<xmlDoc, DocDeleter> doc(
      xmlCtxtReadMemory(parser.get(), xml.data(), static_cast<int>(xml.size()), "faktura.xml",
                        "UTF-8", XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) {
    const xmlError* error = xmlCtxtGetLastError(parser.get());
    return "Plik nie jest poprawnym dokumentem XML"_cp +
           (error ? " (wiersz " + std::to_string(error->line) + "): " +
                        CleanLibxmlMessage(error->message)
                  : std::string("."));
  }

  std::unique_ptr<xmlSchemaValidCtxt, ValidDeleter> valid(xmlSchemaNewValidCtxt(schema));
  if (!valid) throw Error(std::string("Brak pamięci na sprawdzenie pliku XML."_cp));
  FirstError e;
  xmlSchemaSetValidStructuredErrors(valid.get(), CollectFirst, &e);
  const int rc = xmlSchemaValidateDoc(valid.get(), doc.get());
  if (rc == 0) return {};
  return "Plik nie spełnia schematu FA(3): "_cp +
         (e.message.empty() ? "błąd nr "_cp + std::to_string(rc) : Located(e));
}

bool WriteKsefFile(const std::string& path, std::string_view xml, bool replace) {
  if (!replace && FileExists(path)) return false;
  try {
    ReplaceFile(path, xml);
  } catch (const Error& e) {
    throw Error(SavingFileError(path, e.Message()));
  }
  return true;
}

std::string KsefCreationTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const long offset = local.tm_gmtoff / 60;  // minutes east of UTC
  const Ymd today = TodayYmd();
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", today.year,
                today.month, today.day, local.tm_hour, local.tm_min, local.tm_sec,
                offset < 0 ? '-' : '+', std::labs(offset) / 60, std::labs(offset) % 60);
  return text;
}

}  // namespace bilvox
