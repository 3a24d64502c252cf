// What every test program does first: a fixed date, the offscreen Qt platform, and a private
// settings store, data folder and runtime folder (the instance lock and the open-request
// socket), so nothing depends on the machine or touches the user's own files.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace bilvox::testing {

// Sets the environment and returns the private folder (to be removed at the end).
inline std::string PrepareTestEnvironment(const char* name) {
  setenv("BILVOX_TODAY", "2027-03-05", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string tmpl = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
  std::string home = mkdtemp(tmpl.data()) ? tmpl : std::string("/tmp");
  setenv("BILVOX_REGISTRY", (home + "/registry.reg").c_str(), 1);
  setenv("BILVOX_DATA_DIR", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
  return home;
}

}  // namespace bilvox::testing
