#include "support/fuzz_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "common/messages.h"

namespace bilvox::fuzz {

namespace {

// Message boxes and questions of the readers go nowhere; questions are answered No.
class QuietReporter : public MessageReporter {
 public:
  MsgResult Show(std::string_view, std::string_view, MsgIcon, MsgButtons buttons) override {
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
  }
};

std::string& ScratchFolder() {
  static std::string folder;
  return folder;
}

void RemoveScratch() {
  std::error_code ec;
  if (!ScratchFolder().empty()) std::filesystem::remove_all(ScratchFolder(), ec);
}

}  // namespace

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "\nFINDING: %s\n", what);
  std::abort();
}

std::string ScratchPath(std::string_view name) {
  if (ScratchFolder().empty()) {
    std::error_code ec;
    std::string base = std::filesystem::is_directory("/dev/shm", ec)
                           ? "/dev/shm"
                           : std::filesystem::temp_directory_path().string();
    std::string tmpl = base + "/bilvox-fuzz-XXXXXX";
    Require(::mkdtemp(tmpl.data()) != nullptr, "no scratch folder");
    ScratchFolder() = tmpl;
    std::atexit(RemoveScratch);
  }
  return ScratchFolder() + "/" + std::string(name);
}

std::string WriteScratch(std::string_view name, std::string_view bytes) {
  std::string path = ScratchPath(name);
  // A new file each time: truncating one in place makes some file systems flush it.
  ::unlink(path.c_str());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  Require(f != nullptr, "scratch file cannot be written");
  Require(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fclose(f) == 0,
          "scratch file cannot be written");
  return path;
}

}  // namespace bilvox::fuzz

// Once per process, before the first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static bilvox::fuzz::QuietReporter quiet;
  bilvox::SetMessages(&quiet);
  // The date the readers take for "today" stays the same from one run to the next.
  setenv("BILVOX_TODAY", "2027-03-05", 1);
  // Nothing a target does may reach the user's own settings.
  setenv("BILVOX_REGISTRY", bilvox::fuzz::ScratchPath("registry.reg").c_str(), 1);
  return 0;
}
