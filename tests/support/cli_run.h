// Runs the built bilvox-cli from a test and collects what it printed.
#pragma once

#include <string>

namespace bilvox::testing {

struct CliResult {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// `args` and `environment` ("NAME='value' ...", may be empty) are shell text.
CliResult RunCli(const std::string& args, const std::string& environment = "");

// Runs a shell command; `out` holds what it printed on standard output and standard error.
CliResult RunShell(const std::string& command);

// A text as one single-quoted shell word.
std::string ShellQuote(const std::string& text);

}  // namespace bilvox::testing
