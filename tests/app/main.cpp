// The window tests: a fixed date, the offscreen Qt platform, private settings and data
// folders (as for the other tests), and the program's application object, which has to exist
// before any window is made.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "application.h"

int main(int argc, char** argv) {
  setenv("BILVOX_TODAY", "2027-03-05", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string tmpl = (std::filesystem::temp_directory_path() / "bilvox-app-tests-XXXXXX").string();
  std::string home = mkdtemp(tmpl.data()) ? tmpl : std::string("/tmp");
  setenv("BILVOX_REGISTRY", (home + "/registry.reg").c_str(), 1);
  setenv("BILVOX_DATA_DIR", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
  bilvox::TApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return rc;
}
