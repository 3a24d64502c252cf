// bilvox-cli: the program's documents, registers, words and settings from a terminal.
#include <cstdio>
#include <map>
#include <string>

#include "cli/command.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"

namespace bilvox::cli {

namespace {

struct Entry {
  const char* usage;
  CommandFn run;
};

std::map<std::string, Entry>& Commands() {
  static std::map<std::string, Entry> commands;
  return commands;
}

void PrintUsage(std::FILE* to) {
  std::fputs("usage: bilvox-cli COMMAND [ARGS]\n\ncommands:\n", to);
  for (const auto& [name, e] : Commands()) std::fprintf(to, "  bilvox-cli %s\n", e.usage);
}

}  // namespace

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFn run) {
  Commands()[name] = Entry{usage, run};
}

void Out(std::string_view s) { std::fwrite(s.data(), 1, s.size(), stdout); }
void Err(std::string_view s) { std::fwrite(s.data(), 1, s.size(), stderr); }

int FailCp(std::string_view cp1250) { return Fail(ToUtf8(cp1250)); }

int Fail(std::string_view utf8) {
  Err(utf8);
  if (utf8.empty() || utf8.back() != '\n') Err("\n");
  return kExitError;
}

int UsageError(std::string_view command) {
  auto it = Commands().find(std::string(command));
  if (it == Commands().end()) return Fail("unknown command");
  return Fail(std::string("usage: bilvox-cli ") + it->second.usage);
}

}  // namespace bilvox::cli

int main(int argc, char** argv) {
  using namespace bilvox::cli;
  if (argc < 2) {
    PrintUsage(stderr);
    return kExitError;
  }
  std::string name = argv[1];
  if (name == "-h" || name == "--help" || name == "help") {
    PrintUsage(stdout);
    return kExitOk;
  }
  auto it = Commands().find(name);
  if (it == Commands().end()) {
    Err("bilvox-cli: unknown command '" + name + "'\n");
    PrintUsage(stderr);
    return kExitError;
  }
  // A save cut short by a signal leaves no temporary file; a file-size limit makes the
  // write fail with a message instead of ending the program.
  bilvox::InstallSaveSignalHandlers();
  Args args(argv + 2, argv + argc);
  int status;
  try {
    status = it->second.run(args);
  } catch (const bilvox::Error& e) {
    status = FailCp(e.Message());
  } catch (const std::exception& e) {
    status = Fail(std::string("bilvox-cli: ") + e.what());
  }
  // Output that could not be written (a full disk, a closed pipe) is a failure too.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Err("bilvox-cli: cannot write standard output\n");
    return kExitError;
  }
  return status;
}
