// Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed, RLE4, RLE8 and
// bit-field masks; rows bottom-up or top-down; the OS/2 core header as well as the
// Windows headers up to version 5. Every size and offset is checked against the data.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "common/cp1250.h"
#include "common/error.h"
#include "document/picture.h"

namespace bilvox {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

[[noreturn]] void Bad() { throw Error(std::string("Nieprawidłowy format pliku."_cp)); }

class Bytes {
 public:
  explicit Bytes(std::string_view b) : b_(b) {}
  size_t size() const { return b_.size(); }
  uint8_t U8(size_t at) const {
    if (at >= b_.size()) Bad();
    return static_cast<uint8_t>(b_[at]);
  }
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(U8(at) | U8(at + 1) << 8); }
  uint32_t U32(size_t at) const {
    return static_cast<uint32_t>(U16(at)) | static_cast<uint32_t>(U16(at + 2)) << 16;
  }
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }

 private:
  std::string_view b_;
};

uint32_t Pack(unsigned r, unsigned g, unsigned b, unsigned a = 255) {
  return static_cast<uint32_t>(a) << 24 | r << 16 | g << 8 | b;
}

// One colour channel of a bit-field mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  unsigned Get(uint32_t v) const {
    if (max == 0) return 0;
    return static_cast<unsigned>(static_cast<uint64_t>((v & mask) >> shift) * 255 / max);
  }
};

struct Header {
  int64_t width = 0;
  int64_t height = 0;
  bool topDown = false;
  unsigned bits = 0;
  uint32_t compression = kBiRgb;
  uint32_t colorsUsed = 0;
  bool core = false;             // OS/2 core header: 3-byte palette entries
  size_t paletteAt = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

Header ReadHeader(const Bytes& b) {
  constexpr size_t h0 = 14;  // after the file header
  Header h;
  const uint32_t size = b.U32(h0);
  if (size < 12 || size > b.size() - h0) Bad();
  if (size == 12) {
    h.core = true;
    h.width = b.U16(h0 + 4);
    h.height = b.U16(h0 + 6);
    h.bits = b.U16(h0 + 10);
  } else {
    if (size < 16) Bad();
    h.width = b.I32(h0 + 4);
    h.height = b.I32(h0 + 8);
    h.bits = b.U16(h0 + 14);
    if (size >= 20) h.compression = b.U32(h0 + 16);
    if (size >= 36) h.colorsUsed = b.U32(h0 + 32);
  }
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  if (h.width <= 0 || h.height <= 0 || h.width * h.height > kMaxPicturePixels) Bad();
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
    Bad();
  h.paletteAt = h0 + size;

  switch (h.compression) {
    case kBiRgb:
      if (h.bits == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
      } else if (h.bits == 32) {
        h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
      }
      break;
    case kBiBitfields:
    case kBiAlphaBitfields: {
      if (h.bits != 16 && h.bits != 32) Bad();
      const int count = h.compression == kBiAlphaBitfields ? 4 : 3;
      if (size >= 52) {
        // The masks are part of the header (alpha from version 3 on).
        for (int i = 0; i < 3; ++i) h.masks[i] = b.U32(h0 + 40 + 4 * i);
        if (size >= 56) h.masks[3] = b.U32(h0 + 52);
      } else {
        for (int i = 0; i < count; ++i) h.masks[i] = b.U32(h.paletteAt + 4 * i);
        h.paletteAt += 4 * static_cast<size_t>(count);
      }
      break;
    }
    case kBiRle8:
      if (h.bits != 8 || h.topDown) Bad();
      break;
    case kBiRle4:
      if (h.bits != 4 || h.topDown) Bad();
      break;
    default:
      Bad();
  }
  return h;
}

std::vector<uint32_t> ReadPalette(const Bytes& b, const Header& h, size_t pixelsAt) {
  std::vector<uint32_t> palette;
  if (h.bits > 8) return palette;
  const size_t entrySize = h.core ? 3 : 4;
  size_t count = size_t{1} << h.bits;
  if (h.colorsUsed != 0 && h.colorsUsed < count) count = h.colorsUsed;
  // A palette shorter than the bit depth allows ends where the pixels begin (the caller
  // checked that they begin after the headers and within the data).
  count = std::min(count, (pixelsAt - h.paletteAt) / entrySize);
  palette.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = h.paletteAt + i * entrySize;
    palette.push_back(Pack(b.U8(at + 2), b.U8(at + 1), b.U8(at)));
  }
  return palette;
}

// Bytes of one uncompressed row, padded to 32 bits.
uint64_t Stride(const Header& h) {
  return (static_cast<uint64_t>(h.width) * h.bits + 31) / 32 * 4;
}

uint32_t PaletteColor(const std::vector<uint32_t>& palette, unsigned index) {
  return index < palette.size() ? palette[index] : kOpaqueBlack;
}

void DecodeUncompressed(const Bytes& b, const Header& h, size_t pixelsAt,
                        const std::vector<uint32_t>& palette, RasterImage& image) {
  const uint64_t stride = Stride(h);
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
  bool anyAlpha = false;
  for (int64_t r = 0; r < h.height; ++r) {
    const size_t row = pixelsAt + static_cast<size_t>(r * static_cast<int64_t>(stride));
    const int64_t y = h.topDown ? r : h.height - 1 - r;
    uint32_t* out = image.pixels.data() + static_cast<size_t>(y * h.width);
    for (int64_t x = 0; x < h.width; ++x) {
      const size_t ux = static_cast<size_t>(x);
      uint32_t px = kOpaqueBlack;
      switch (h.bits) {
        case 1: px = PaletteColor(palette, b.U8(row + ux / 8) >> (7 - ux % 8) & 1); break;
        case 4: px = PaletteColor(palette, b.U8(row + ux / 2) >> (ux % 2 ? 0 : 4) & 0xF); break;
        case 8: px = PaletteColor(palette, b.U8(row + ux)); break;
        case 24:
          px = Pack(b.U8(row + 3 * ux + 2), b.U8(row + 3 * ux + 1), b.U8(row + 3 * ux));
          break;
        default: {
          const uint32_t v = h.bits == 16 ? b.U16(row + 2 * ux) : b.U32(row + 4 * ux);
          const unsigned a = alpha.max ? alpha.Get(v) : 255;
          anyAlpha = anyAlpha || a != 0;
          px = Pack(red.Get(v), green.Get(v), blue.Get(v), a);
        }
      }
      out[x] = px;
    }
  }
  // An alpha mask whose values are all zero is no transparency at all.
  if (alpha.max && !anyAlpha)
    for (uint32_t& p : image.pixels) p |= 0xFF000000u;
}

void DecodeRle(const Bytes& b, const Header& h, size_t pixelsAt,
               const std::vector<uint32_t>& palette, RasterImage& image) {
  const bool four = h.compression == kBiRle4;
  int64_t x = 0, y = 0;  // y counts from the bottom row
  auto put = [&](unsigned v) {
    if (x < h.width && y < h.height)
      image.pixels[static_cast<size_t>((h.height - 1 - y) * h.width + x)] = PaletteColor(palette, v);
    ++x;
  };
  size_t p = pixelsAt;
  for (;;) {
    if (y >= h.height) break;  // every row is done
    const unsigned count = b.U8(p), code = b.U8(p + 1);
    p += 2;
    if (count > 0) {
      // A run: the value repeated (RLE4: its two nibbles alternately).
      for (unsigned i = 0; i < count; ++i) put(four ? (i % 2 ? code & 0xF : code >> 4) : code);
      continue;
    }
    if (code == 0) {  // end of line
      x = 0;
      ++y;
    } else if (code == 1) {  // end of bitmap
      break;
    } else if (code == 2) {  // move right and up
      x += b.U8(p);
      y += b.U8(p + 1);
      p += 2;
    } else {  // literal pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (code + 1) / 2 : code;
      for (unsigned i = 0; i < code; ++i) {
        const unsigned v = b.U8(p + (four ? i / 2 : i));
        put(four ? (i % 2 ? v & 0xF : v >> 4) : v);
      }
      p += bytes + bytes % 2;
    }
  }
}

}  // namespace

RasterImage DecodeBmp(std::string_view bytes) {
  const Bytes b(bytes);
  if (b.size() < 18 || bytes.substr(0, 2) != "BM") Bad();
  const Header h = ReadHeader(b);
  const size_t pixelsAt = b.U32(10);
  if (pixelsAt < h.paletteAt || pixelsAt >= b.size()) Bad();
  const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
  // Uncompressed rows must all be there before anything is allocated for them.
  if (!rle && Stride(h) * static_cast<uint64_t>(h.height) > b.size() - pixelsAt) Bad();
  const std::vector<uint32_t> palette = ReadPalette(b, h, pixelsAt);

  RasterImage image;
  image.width = static_cast<int>(h.width);
  image.height = static_cast<int>(h.height);
  // Pixels the runs of a compressed picture do not reach (skipped by a move or left at an
  // early end) keep the first colour of the palette.
  image.pixels.assign(static_cast<size_t>(h.width * h.height),
                      rle ? PaletteColor(palette, 0) : kOpaqueBlack);
  if (rle)
    DecodeRle(b, h, pixelsAt, palette, image);
  else
    DecodeUncompressed(b, h, pixelsAt, palette, image);
  return image;
}

}  // namespace bilvox
