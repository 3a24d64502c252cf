// The seller's logo: a raster picture (JPEG, BMP) or a vector picture (WMF, EMF).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bilvox {

// Pixels in rows from the top, each 0xAARRGGBB.
struct RasterImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// A parsed WMF or EMF picture; defined with the page drawing that plays it back.
class Metafile;

class Picture {
 public:
  enum class Kind { None, Raster, Metafile };

  Picture() = default;
  static Picture FromRaster(RasterImage image);
  static Picture FromMetafile(std::shared_ptr<const Metafile> metafile, int width, int height);

  Kind kind() const { return kind_; }
  bool Empty() const { return kind_ == Kind::None; }
  // Natural size in pixels (for a vector picture: its frame at screen resolution).
  int Width() const { return width_; }
  int Height() const { return height_; }
  const RasterImage& Raster() const { return *raster_; }
  const std::shared_ptr<const Metafile>& Vector() const { return metafile_; }

 private:
  Kind kind_ = Kind::None;
  int width_ = 0;
  int height_ = 0;
  std::shared_ptr<const RasterImage> raster_;
  std::shared_ptr<const Metafile> metafile_;
};

// Loads a picture file, choosing the decoder by the file's content (JPEG, BMP, WMF with or
// without the placeable header, EMF). Throws Error when the file cannot be read or decoded.
Picture LoadPicture(const std::string& path);
// The same for bytes already in memory.
Picture DecodePicture(std::string_view bytes);

// The largest picture a decoder accepts (width × height), so that no damaged or hostile
// header can make it allocate more than a few hundred megabytes. Fuzzing builds accept
// smaller pictures, so that a run spends its time on many inputs instead of on filling the
// largest bitmaps; the checks against the limit are the same.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr int64_t kMaxPicturePixels = 1'000'000;
#else
inline constexpr int64_t kMaxPicturePixels = 50'000'000;
#endif

// The decoders behind DecodePicture; each throws Error on data it cannot decode.
RasterImage DecodeJpeg(std::string_view bytes);
RasterImage DecodeBmp(std::string_view bytes);
Picture DecodeMetafile(std::string_view bytes);  // WMF or EMF

}  // namespace bilvox
