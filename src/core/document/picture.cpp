#include "document/picture.h"

#include <filesystem>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"

namespace bilvox {

Picture Picture::FromRaster(RasterImage image) {
  Picture p;
  p.kind_ = Kind::Raster;
  p.width_ = image.width;
  p.height_ = image.height;
  p.raster_ = std::make_shared<const RasterImage>(std::move(image));
  return p;
}

Picture Picture::FromMetafile(std::shared_ptr<const Metafile> metafile, int width, int height) {
  Picture p;
  p.kind_ = Kind::Metafile;
  p.width_ = width;
  p.height_ = height;
  p.metafile_ = std::move(metafile);
  return p;
}

namespace {

bool StartsWith(std::string_view b, std::string_view magic) {
  return b.size() >= magic.size() && b.substr(0, magic.size()) == magic;
}

uint32_t Le32(std::string_view b, size_t at) {
  if (b.size() < at + 4) return 0;
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

bool LooksLikeMetafile(std::string_view b) {
  if (Le32(b, 0) == 0x9AC6CDD7u) return true;              // placeable WMF
  if (Le32(b, 0) == 1 && Le32(b, 40) == 0x464D4520u) return true;  // EMF " EMF"
  if (b.size() >= 18) {                                     // plain WMF header
    unsigned type = static_cast<unsigned char>(b[0]) | static_cast<unsigned char>(b[1]) << 8;
    unsigned size = static_cast<unsigned char>(b[2]) | static_cast<unsigned char>(b[3]) << 8;
    return (type == 1 || type == 2) && size == 9;
  }
  return false;
}

}  // namespace

Picture DecodePicture(std::string_view bytes) {
  if (StartsWith(bytes, "\xFF\xD8")) return Picture::FromRaster(DecodeJpeg(bytes));
  if (StartsWith(bytes, "BM")) return Picture::FromRaster(DecodeBmp(bytes));
  if (LooksLikeMetafile(bytes)) return DecodeMetafile(bytes);
  throw Error(std::string("Nieprawidłowy format pliku."_cp));
}

Picture LoadPicture(const std::string& path) {
  // A picture is an ordinary file; reading a device or a pipe named by a stored logo path
  // (/dev/zero, /dev/stdin) would never end.
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    throw Error(std::string("Nieprawidłowy format pliku."_cp));
  return DecodePicture(ReadWholeFile(path, kMaxPictureFileSize));
}

}  // namespace bilvox
