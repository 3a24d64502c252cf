// Windows bitmap logos.
#include "support/picture_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bilvox::fuzz::CheckPicture(bilvox::fuzz::Input(data, size), [](std::string_view b) {
    return bilvox::Picture::FromRaster(bilvox::DecodeBmp(b));
  });
  return 0;
}
