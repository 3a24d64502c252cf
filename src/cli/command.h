// The subcommands of bilvox-cli. Each lives in its own file and registers itself with a
// static CommandRegistration, so commands can be added without touching the dispatcher.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bilvox::cli {

using Args = std::vector<std::string>;
// Runs a command with the arguments after its name; returns the exit status.
using CommandFn = int (*)(const Args& args);

struct CommandRegistration {
  CommandRegistration(const char* name, const char* usage, CommandFn run);
};

// Exit statuses shared by all commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFalse = 1;   // a negative answer (an invalid NIP, ...)
inline constexpr int kExitError = 2;   // bad usage or a failure

// Prints UTF-8 text to standard output / standard error.
void Out(std::string_view utf8);
void Err(std::string_view utf8);
// Prints a Windows-1250 message to standard error (as UTF-8, with a line break) and
// returns kExitError.
int FailCp(std::string_view cp1250);
// Prints a UTF-8 message to standard error and returns kExitError.
int Fail(std::string_view utf8);
// Usage line of a command, for error messages.
int UsageError(std::string_view command);

}  // namespace bilvox::cli
