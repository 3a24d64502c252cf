// Every test runs with a fixed date, the offscreen Qt platform and a private settings store,
// data folder and runtime folder (see test_environment.h).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_environment.h"

int main(int argc, char** argv) {
  const std::string home = bilvox::testing::PrepareTestEnvironment("bilvox-tests");
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return rc;
}
