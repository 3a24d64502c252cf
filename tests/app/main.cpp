// The window tests: the private date and folders of every test program, and the program's
// application object, which has to exist before any window is made.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "application.h"
#include "support/test_environment.h"

int main(int argc, char** argv) {
  const std::string home = bilvox::testing::PrepareTestEnvironment("bilvox-app-tests");
  bilvox::TApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return rc;
}
