// A small JSON value with a writer and a parser, for the command-line tool's input and
// output, and a writer that streams JSON text of any size as it is produced. Strings are
// UTF-8 here; callers convert from and to Windows-1250 (JsonWriter::TextCp1250 converts as
// it writes).
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace bilvox {

class Json {
 public:
  using Array = std::vector<Json>;
  using Object = std::vector<std::pair<std::string, Json>>;  // keeps insertion order

  Json() = default;  // null
  Json(std::nullptr_t) {}
  Json(bool b) : v_(b) {}
  Json(int v) : v_(static_cast<double>(v)) {}
  Json(int64_t v) : v_(static_cast<double>(v)) {}
  Json(double v) : v_(v) {}
  Json(const char* s) : v_(std::string(s)) {}
  Json(std::string s) : v_(std::move(s)) {}
  Json(std::string_view s) : v_(std::string(s)) {}
  Json(Array a) : v_(std::move(a)) {}
  Json(Object o) : v_(std::move(o)) {}

  static Json MakeArray() { return Json(Array{}); }
  static Json MakeObject() { return Json(Object{}); }

  bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsBool() const { return std::holds_alternative<bool>(v_); }
  bool IsNumber() const { return std::holds_alternative<double>(v_); }
  bool IsString() const { return std::holds_alternative<std::string>(v_); }
  bool IsArray() const { return std::holds_alternative<Array>(v_); }
  bool IsObject() const { return std::holds_alternative<Object>(v_); }

  bool AsBool() const { return std::get<bool>(v_); }
  double AsNumber() const { return std::get<double>(v_); }
  const std::string& AsString() const { return std::get<std::string>(v_); }
  const Array& AsArray() const { return std::get<Array>(v_); }
  Array& AsArray() { return std::get<Array>(v_); }
  const Object& AsObject() const { return std::get<Object>(v_); }
  Object& AsObject() { return std::get<Object>(v_); }

  // Object access: Find returns nullptr when the key is absent (or this is no object).
  const Json* Find(std::string_view key) const;
  // Sets (or replaces) a key of an object.
  Json& Set(std::string_view key, Json value);
  // Appends to an array.
  void Push(Json value) { AsArray().push_back(std::move(value)); }

  // Compact text, or indented by `indent` blanks per level when indent > 0.
  std::string Dump(int indent = 0) const;

  // Parses a complete JSON text; on failure returns nullopt and a message in `error`. A
  // string that is not UTF-8 is a failure.
  static std::optional<Json> Parse(std::string_view text, std::string* error = nullptr);

 private:
  friend class JsonWriter;
  void DumpTo(std::string& out, int indent, int level) const;
  std::variant<std::monostate, bool, double, std::string, Array, Object> v_;
};

// JSON text written as it is produced, laid out exactly as Json::Dump lays out the same
// value: output of any size needs no more memory than a buffer and the nesting of the
// values still open. The text collects in a buffer that goes to the file whenever it holds
// 64 KiB, and at Finish; nothing reaches the file before that, so a short output that fails
// half-way (an exception before Finish) prints nothing at all. Written to a string, the text
// is appended to it directly.
//
// Members of an object are a Key followed by one value; the calls return the writer, so a
// member reads `w.Key("name").String(text)`.
class JsonWriter {
 public:
  explicit JsonWriter(std::FILE* out, int indent = 0);
  explicit JsonWriter(std::string& out, int indent = 0);
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  JsonWriter& BeginObject() { return Begin('{'); }
  JsonWriter& EndObject() { return End('}'); }
  JsonWriter& BeginArray() { return Begin('['); }
  JsonWriter& EndArray() { return End(']'); }
  JsonWriter& Key(std::string_view utf8);

  JsonWriter& Null();
  JsonWriter& Bool(bool v);
  JsonWriter& Number(double v);  // as JsonNumberText; not finite: null
  // UTF-8 text; malformed sequences become U+FFFD.
  JsonWriter& String(std::string_view utf8);
  // Windows-1250 text, converted to UTF-8 on the way.
  JsonWriter& TextCp1250(std::string_view cp1250);
  // A whole value (as Json::Dump would lay it out at this place).
  JsonWriter& Value(const Json& value);

  // Ends the text with a line break and sends what is buffered to the file.
  void Finish();
  // Whether the file refused a write; later output is dropped.
  bool Failed() const { return failed_; }

 private:
  JsonWriter& Begin(char bracket);
  JsonWriter& End(char bracket);
  void BeforeValue();
  void Newline(size_t level);
  void Spill();  // sends the buffer to the file once it is full
  void Flush();

  std::string buffer_;
  std::string* out_;
  std::FILE* file_ = nullptr;
  int indent_;
  std::vector<char> empty_;  // per open object or array: nothing in it yet
  bool afterKey_ = false;
  bool failed_ = false;
};

// A JSON string literal (with quotes) of UTF-8 text; malformed UTF-8 becomes U+FFFD.
std::string JsonQuote(std::string_view utf8);
// The shortest text that reads back as the same double ("0.5", "3", "1e+300"); whole
// numbers up to 2^53 in full ("100000").
std::string JsonNumberText(double v);

// The Windows-1250 text of a JSON string read into a record field named `where`. Throws Error
// "WHERE: expected a string" for any other value and "WHERE: the character U+XXXX cannot be
// stored in Windows-1250" for a character that code page lacks.
std::string TextCp1250From(const Json& v, const std::string& where);

}  // namespace bilvox
