// JPEG pictures written with libjpeg, for the picture tests and the fuzz corpus.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace bilvox::testing {

struct JpegOptions {
  int quality = 100;
  bool progressive = false;
  bool arithmetic = false;  // arithmetic instead of Huffman coding
};

// `samples` holds the rows from the top, `components` bytes per pixel.
inline std::string EncodeJpeg(int width, int height, int components, J_COLOR_SPACE space,
                              const std::vector<uint8_t>& samples, JpegOptions options = {}) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = components;
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(&c);
  c.arith_code = options.arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(samples.data()) +
                   static_cast<size_t>(c.next_scanline) * width * components;
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return out;
}

}  // namespace bilvox::testing
