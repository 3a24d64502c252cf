// The JSON input of the import commands: a file, or standard input for "-".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/json.h"

namespace bilvox::cli {

// Reads IN ("-" for standard input), at most kMaxJsonFileSize bytes, and parses it. When it
// cannot read or parse, prints "COMMAND: cannot read IN: ..." or "COMMAND: IN is not JSON:
// ..." to standard error and returns nothing (the command then exits with kExitError).
std::optional<Json> ReadJsonInput(const std::string& in, std::string_view command);

}  // namespace bilvox::cli
