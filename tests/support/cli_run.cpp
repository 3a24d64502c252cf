#include "support/cli_run.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace bilvox::testing {

std::string ShellQuote(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

CliResult RunCli(const std::string& args, const std::string& environment) {
  CliResult r;
  TempDir dir;
  const std::string errFile = dir.File("stderr");
  const std::string command = environment + " " + ShellQuote(BILVOX_CLI_PATH) + " " + args +
                              " 2>" + ShellQuote(errFile);
  FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  while (size_t n = fread(buf, 1, sizeof buf, p)) r.out.append(buf, n);
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  r.err = ReadBytes(errFile);
  return r;
}

CliResult RunShell(const std::string& command) {
  CliResult r;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return r;
  char buf[4096];
  while (size_t n = fread(buf, 1, sizeof buf, p)) r.out.append(buf, n);
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

}  // namespace bilvox::testing
