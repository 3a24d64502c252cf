#include "cli/json_input.h"

#include "cli/command.h"
#include "common/error.h"
#include "common/files.h"

namespace bilvox::cli {

std::optional<Json> ReadJsonInput(const std::string& in, std::string_view command) {
  std::string text;
  try {
    text = in == "-" ? ReadWholeFile(0, kMaxJsonFileSize) : ReadWholeFile(in, kMaxJsonFileSize);
  } catch (const Error& e) {
    Fail(std::string(command) + ": cannot read " + in + ": " + e.what());
    return std::nullopt;
  }
  std::string parseError;
  std::optional<Json> json = Json::Parse(text, &parseError);
  if (!json) Fail(std::string(command) + ": " + in + " is not JSON: " + parseError);
  return json;
}

}  // namespace bilvox::cli
