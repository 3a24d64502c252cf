// The README's first command on a machine without a display: it says why no window opens and
// prints the example invoice to a PDF instead, naming the file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <filesystem>

#include "common/files.h"
#include "support/cli_run.h"

namespace bilvox {
namespace {

using ::testing::HasSubstr;
using testing::ShellQuote;

TEST(RunScript, WithoutDisplayWritesTheExamplePdf) {
  const std::string pdf = std::string(BILVOX_BUILD_DIR) + "/faktura-pln.pdf";
  std::filesystem::remove(pdf);
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY BILVOX_BUILD_DIR=" +
                              ShellQuote(BILVOX_BUILD_DIR) + " " +
                              ShellQuote(std::string(BILVOX_SOURCE_DIR) + "/scripts/run.sh");
  const auto run = testing::RunShell(command);
  ASSERT_EQ(run.status, 0) << run.out;
  const std::string& output = run.out;

  EXPECT_THAT(output, HasSubstr("No display"));
  EXPECT_THAT(output, HasSubstr(std::filesystem::canonical(pdf).string()));
  EXPECT_EQ(ReadWholeFile(pdf).substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace bilvox
