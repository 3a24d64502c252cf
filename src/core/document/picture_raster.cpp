// Placeholder decoders; the JPEG and BMP readers replace this file.
#include "common/cp1250.h"
#include "common/error.h"
#include "document/picture.h"

namespace bilvox {

RasterImage DecodeJpeg(std::string_view) { throw Error(std::string("Nieprawidłowy format pliku."_cp)); }
RasterImage DecodeBmp(std::string_view) { throw Error(std::string("Nieprawidłowy format pliku."_cp)); }

}  // namespace bilvox
