// JSON written as it is produced: show and register show print byte for byte what they
// printed when the whole text was built first (tests/cli/expected/, captured from that
// version), and the writer lays out any value as Json::Dump does.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>

#include "common/cp1250.h"
#include "common/json.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::ShellQuote;

// Run in the source folder, so that the paths shown are the ones of the expected files.
testing::CliResult RunInSources(const std::string& args) {
  testing::TempDir dir;
  return testing::RunCli(args, "cd " + ShellQuote(BILVOX_SOURCE_DIR) + " && BILVOX_REGISTRY=" +
                                   ShellQuote(dir.File("none.reg")));
}

std::string Expected(const std::string& name) {
  return ReadBytes(std::string(BILVOX_SOURCE_DIR) + "/tests/cli/expected/" + name + ".json");
}

TEST(StreamingOutput, ShowAndRegisterShowPrintWhatTheyPrintedBefore) {
  for (const char* example :
       {"faktura-pln", "faktura-brutto", "rachunek", "faktura-eur-de", "korekta"}) {
    const testing::CliResult r = RunInSources(std::string("show examples/") + example + ".ftv");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Expected(example)) << example;
  }
  // Polish letters, quotes, backslashes, control characters and the five bytes
  // Windows-1250 leaves undefined; an empty file.
  for (const char* reg : {"kontrahenci", "towary", "empty"}) {
    const testing::CliResult r =
        RunInSources(std::string("register show tests/cli/expected/") + reg + ".db");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Expected(reg)) << reg;
  }
}

// A JSON string of valid UTF-8 text, escaped one byte at a time.
std::string Quoted(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') out += std::string("\\") + static_cast<char>(c);
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c == '\b') out += "\\b";
    else if (c == '\f') out += "\\f";
    else if (c < 0x20) out += "\\u00" + std::string(1, "01"[c >> 4]) + "0123456789abcdef"[c & 15];
    else out += static_cast<char>(c);
  }
  return out + "\"";
}

// A value of every kind, nested, with empty containers and texts that need escapes at
// every place of an eight-byte block.
Json Sample() {
  Json root = Json::MakeObject();
  root.Set("empty object", Json::MakeObject());
  root.Set("empty array", Json::MakeArray());
  Json texts = Json::MakeArray();
  for (size_t at = 0; at < 18; ++at) {
    for (const char* special : {"\"", "\\", "\x01", "\x1f", "\n", "ż"}) {
      std::string s(17, 'x');
      s.insert(at, special);
      texts.Push(Json(s));
    }
  }
  root.Set("texts", std::move(texts));
  Json inner = Json::MakeObject();
  inner.Set("n", Json(100000));
  inner.Set("x", Json(0.5));
  inner.Set("t", Json(true));
  inner.Set("z", Json());
  Json list = Json::MakeArray();
  list.Push(std::move(inner));
  list.Push(Json::MakeArray());
  root.Set("list", std::move(list));
  return root;
}

// Writes the sample through the writer's own calls, as the commands do.
void WriteSample(JsonWriter& w, const Json& value) {
  if (value.IsObject()) {
    w.BeginObject();
    for (const auto& [key, v] : value.AsObject()) WriteSample(w.Key(key), v);
    w.EndObject();
  } else if (value.IsArray()) {
    w.BeginArray();
    for (const Json& v : value.AsArray()) WriteSample(w, v);
    w.EndArray();
  } else if (value.IsString()) {
    w.String(value.AsString());
  } else {
    w.Value(value);
  }
}

TEST(StreamingOutput, WriterLaysOutAsDump) {
  const Json sample = Sample();
  for (const Json& text : sample.Find("texts")->AsArray()) {
    std::string quoted;
    JsonWriter(quoted).String(text.AsString());
    EXPECT_EQ(quoted, Quoted(text.AsString()));
  }
  for (int indent : {0, 2}) {
    std::string text;
    JsonWriter w(text, indent);
    WriteSample(w, sample);
    EXPECT_EQ(text, sample.Dump(indent)) << indent;
  }

  // Through a file, in several pieces of the buffer's size.
  FILE* file = tmpfile();
  ASSERT_NE(file, nullptr);
  JsonWriter w(file, 2);
  Json big = Json::MakeArray();
  w.BeginArray();
  for (int i = 0; i < 3000; ++i) {
    WriteSample(w, sample);
    big.Push(sample);
  }
  w.EndArray();
  w.Finish();
  EXPECT_FALSE(w.Failed());
  std::string written(static_cast<size_t>(ftell(file)), '\0');
  rewind(file);
  ASSERT_EQ(fread(written.data(), 1, written.size(), file), written.size());
  fclose(file);
  EXPECT_GT(written.size(), size_t{1} << 20);
  EXPECT_EQ(written, big.Dump(2) + "\n");
}

TEST(StreamingOutput, Cp1250TextIsConvertedAsItIsWritten) {
  std::string every;
  for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
  for (size_t at = 0; at < 9; ++at) {
    const std::string s = every.substr(at) + every.substr(0, at);
    std::string text;
    JsonWriter(text).TextCp1250(s);
    EXPECT_EQ(text, Quoted(ToUtf8(s))) << at;
  }
  // Malformed UTF-8 (a file name) still gives valid JSON.
  std::string text;
  JsonWriter(text).String("abcdefgh\xFF" "ijklmnop\xC5");
  EXPECT_EQ(text, "\"abcdefgh\xEF\xBF\xBDijklmnop\xEF\xBF\xBD\"");
}

}  // namespace
}  // namespace bilvox
