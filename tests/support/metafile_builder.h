// Hand-built WMF and EMF pictures for tests: records are appended one by one and the
// headers are written around them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/binio.h"

namespace bilvox::testing {

class WmfBuilder {
 public:
  // A record with 16-bit parameters, in file order.
  WmfBuilder& Rec(uint16_t function, std::initializer_list<int> words) {
    ByteWriter w;
    for (int v : words) w.U16(static_cast<uint16_t>(v));
    return Raw(function, w.Data());
  }
  // A record with parameters already encoded (padded to whole words here).
  WmfBuilder& Raw(uint16_t function, std::string params) {
    if (params.size() % 2) params += '\0';
    ByteWriter w;
    w.U32(static_cast<uint32_t>(3 + params.size() / 2));
    w.U16(function);
    w.Bytes(params);
    records_ += w.Data();
    ++objects_;
    return *this;
  }
  WmfBuilder& Color(uint16_t function, uint32_t color) {
    ByteWriter w;
    w.U32(color);
    return Raw(function, w.Data());
  }
  WmfBuilder& Pen(int style, int width, uint32_t color) {
    ByteWriter w;
    w.U16(static_cast<uint16_t>(style));
    w.U16(static_cast<uint16_t>(width));
    w.U16(0);
    w.U32(color);
    return Raw(0x02FA, w.Data());
  }
  WmfBuilder& Brush(int style, uint32_t color) {
    ByteWriter w;
    w.U16(static_cast<uint16_t>(style));
    w.U32(color);
    w.U16(0);
    return Raw(0x02FC, w.Data());
  }
  WmfBuilder& Font(int height, int weight, std::string_view face) {
    ByteWriter w;
    w.U16(static_cast<uint16_t>(height));
    w.Zeros(6);
    w.U16(static_cast<uint16_t>(weight));
    w.Zeros(8);
    w.Bytes(face);
    w.U8(0);
    return Raw(0x02FB, w.Data());
  }
  WmfBuilder& TextOut(int x, int y, std::string_view text) {
    ByteWriter w;
    w.U16(static_cast<uint16_t>(text.size()));
    w.Bytes(text);
    if (text.size() % 2) w.U8(0);
    w.U16(static_cast<uint16_t>(y));
    w.U16(static_cast<uint16_t>(x));
    return Raw(0x0521, w.Data());
  }
  // Rectangle-like records take bottom, right, top, left.
  WmfBuilder& Box(uint16_t function, int l, int t, int r, int b) {
    return Rec(function, {b, r, t, l});
  }
  WmfBuilder& Polygon(const std::vector<std::pair<int, int>>& pts) {
    ByteWriter w;
    w.U16(static_cast<uint16_t>(pts.size()));
    for (auto [x, y] : pts) w.U16(static_cast<uint16_t>(x)), w.U16(static_cast<uint16_t>(y));
    return Raw(0x0324, w.Data());
  }
  WmfBuilder& Eof() { return Rec(0x0000, {}); }

  // The file; with a placeable header when `inch` is non-zero.
  std::string Build(int inch = 0, int l = 0, int t = 0, int r = 0, int b = 0) const {
    ByteWriter w;
    if (inch) {
      w.U32(0x9AC6CDD7);
      w.U16(0);
      w.U16(static_cast<uint16_t>(l)), w.U16(static_cast<uint16_t>(t));
      w.U16(static_cast<uint16_t>(r)), w.U16(static_cast<uint16_t>(b));
      w.U16(static_cast<uint16_t>(inch));
      w.U32(0);
      w.U16(0);
    }
    w.U16(1);
    w.U16(9);
    w.U16(0x0300);
    w.U32(static_cast<uint32_t>(9 + records_.size() / 2));
    w.U16(static_cast<uint16_t>(objects_));
    w.U32(0);
    w.U16(0);
    w.Bytes(records_);
    return w.Take();
  }

 private:
  std::string records_;
  int objects_ = 0;
};

class EmfBuilder {
 public:
  // A record from 32-bit values.
  EmfBuilder& Rec(uint32_t type, std::initializer_list<int64_t> values) {
    ByteWriter w;
    for (int64_t v : values) w.U32(static_cast<uint32_t>(v));
    return Raw(type, w.Data());
  }
  EmfBuilder& Raw(uint32_t type, std::string_view body) {
    ByteWriter w;
    w.U32(type);
    w.U32(static_cast<uint32_t>(8 + body.size()));
    w.Bytes(body);
    records_.push_back(w.Take());
    return *this;
  }
  EmfBuilder& Font(uint32_t index, int height, int weight, std::u16string_view face) {
    ByteWriter w;
    w.U32(index);
    w.I32(height);
    w.Zeros(12);
    w.I32(weight);
    w.Zeros(8);
    for (size_t i = 0; i < 32; ++i) w.U16(i < face.size() ? face[i] : 0);
    return Raw(82, w.Data());
  }
  EmfBuilder& TextW(int x, int y, std::u16string_view text) {
    ByteWriter w;
    w.Zeros(16);  // bounds
    w.U32(1);
    w.U32(0), w.U32(0);
    w.I32(x), w.I32(y);
    w.U32(static_cast<uint32_t>(text.size()));
    w.U32(8 + 68);  // the string follows the fixed part
    w.U32(0);
    w.Zeros(16);
    w.U32(0);
    for (char16_t c : text) w.U16(c);
    while (w.Data().size() % 4) w.U8(0);
    return Raw(84, w.Data());
  }
  EmfBuilder& Points(uint32_t type, const std::vector<std::pair<int, int>>& pts, bool small) {
    ByteWriter w;
    w.Zeros(16);
    w.U32(static_cast<uint32_t>(pts.size()));
    for (auto [x, y] : pts) {
      if (small) w.U16(static_cast<uint16_t>(x)), w.U16(static_cast<uint16_t>(y));
      else w.I32(x), w.I32(y);
    }
    while (w.Data().size() % 4) w.U8(0);
    return Raw(type, w.Data());
  }
  EmfBuilder& Eof() { return Rec(14, {0, 0x10, 0x14}); }

  // Recorded on a device of `pxPerMm` pixels per millimetre (1000 mm square); the frame in
  // hundredths of a millimetre.
  std::string Build(int frameL, int frameT, int frameR, int frameB, int pxPerMm = 4) const {
    size_t total = 88;
    for (const auto& r : records_) total += r.size();
    ByteWriter w;
    w.U32(1);
    w.U32(88);
    w.I32(0), w.I32(0), w.I32(1000), w.I32(1000);  // bounds
    w.I32(frameL), w.I32(frameT), w.I32(frameR), w.I32(frameB);
    w.U32(0x464D4520);
    w.U32(0x10000);
    w.U32(static_cast<uint32_t>(total));
    w.U32(static_cast<uint32_t>(records_.size() + 1));
    w.U16(16);
    w.U16(0);
    w.U32(0), w.U32(0), w.U32(0);
    w.I32(1000 * pxPerMm), w.I32(1000 * pxPerMm);
    w.I32(1000), w.I32(1000);
    for (const auto& r : records_) w.Bytes(r);
    return w.Take();
  }

 private:
  std::vector<std::string> records_;
};

// A bottom-up 24-bit device-independent bitmap (header and rows), pixels 0xRRGGBB given
// from the top row down.
inline std::string Dib24(int width, int height, const std::vector<uint32_t>& pixels) {
  ByteWriter w;
  w.U32(40);
  w.I32(width);
  w.I32(height);
  w.U16(1);
  w.U16(24);
  w.U32(0);
  w.U32(0);
  w.Zeros(16);
  for (int y = height - 1; y >= 0; --y) {
    size_t row = 0;
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      w.U8(p & 0xFF), w.U8((p >> 8) & 0xFF), w.U8((p >> 16) & 0xFF);
      row += 3;
    }
    while (row % 4) w.U8(0), ++row;
  }
  return w.Take();
}

}  // namespace bilvox::testing
