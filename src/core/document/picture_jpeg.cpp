// JPEG pictures through libjpeg. The library reports a fatal error by calling back; the
// callback jumps back to the decoder, so a damaged file ends as an Error, never as an
// aborted process. Warnings that mean damaged or missing image data count as errors too.
#include <csetjmp>
#include <cstdio>
#include <new>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <jerror.h>

#include "common/cp1250.h"
#include "common/error.h"
#include "document/picture.h"

namespace bilvox {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
      JumpBack(cinfo);
    default:
      break;  // harmless: unknown marker revisions, extra bytes between markers, ...
  }
}

void Silent(j_common_ptr) {}

constexpr uint32_t Pack(unsigned r, unsigned g, unsigned b) {
  return 0xFF000000u | r << 16 | g << 8 | b;
}

void ConvertRow(const JSAMPLE* in, uint32_t* out, unsigned width, J_COLOR_SPACE space,
                bool adobeInverted) {
  for (unsigned x = 0; x < width; ++x) {
    switch (space) {
      case JCS_GRAYSCALE: {
        const unsigned v = in[x];
        out[x] = Pack(v, v, v);
        break;
      }
      case JCS_CMYK: {
        const JSAMPLE* p = in + 4 * x;
        // Adobe writes CMYK inverted (0 is full ink); others write it plainly.
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!adobeInverted) {
          c = 255 - c;
          m = 255 - m;
          y = 255 - y;
          k = 255 - k;
        }
        out[x] = Pack(c * k / 255, m * k / 255, y * k / 255);
        break;
      }
      default: {
        const JSAMPLE* p = in + 3 * x;
        out[x] = Pack(p[0], p[1], p[2]);
        break;
      }
    }
  }
}

// Decodes into the image; false for damaged data or a picture beyond the size limit. Only
// trivially destructible objects live in the frames the library may jump back across; the
// image is filled through the reference.
bool Decode(const unsigned char* data, unsigned long size, RasterImage& image) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JumpBack;
  err.pub.emit_message = OnMessage;
  err.pub.output_message = Silent;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  // Multi-scan files keep all coefficients in memory; a lying header must not take more.
  cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE: cinfo.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: cinfo.out_color_space = JCS_CMYK; break;
    default: cinfo.out_color_space = JCS_RGB; break;
  }
  if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
      static_cast<int64_t>(cinfo.image_width) * cinfo.image_height > kMaxPicturePixels) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  const unsigned width = cinfo.output_width;
  const unsigned height = cinfo.output_height;
  const bool adobeInverted = cinfo.saw_Adobe_marker;
  const J_COLOR_SPACE space = cinfo.out_color_space;
  try {
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<size_t>(width) * height, 0);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                              width * cinfo.output_components, 1);
  while (cinfo.output_scanline < height) {
    const unsigned y = cinfo.output_scanline;
    if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
    ConvertRow(row[0], image.pixels.data() + static_cast<size_t>(y) * width, width, space,
               adobeInverted);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

RasterImage DecodeJpeg(std::string_view bytes) {
  RasterImage image;
  if (bytes.empty() ||
      !Decode(reinterpret_cast<const unsigned char*>(bytes.data()),
             static_cast<unsigned long>(bytes.size()), image))
    throw Error(std::string("Nieprawidłowy format pliku."_cp));
  return image;
}

}  // namespace bilvox
