// Enhanced metafile logos, read and played back.
#include "support/picture_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bilvox::fuzz::CheckPicture(bilvox::fuzz::Input(data, size), bilvox::DecodeMetafile);
  return 0;
}
