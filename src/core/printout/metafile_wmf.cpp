// Windows metafiles (WMF): an optional 22-byte placeable header with the picture's bounding
// box, an 18-byte header, then records of a 32-bit size in 16-bit words, a 16-bit function
// number and the parameters, ending with the end-of-file record.
#include <algorithm>
#include <cmath>

#include "common/error.h"
#include "printout/metafile_gdi.h"

namespace bilvox::mf {
namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

enum : uint16_t {
  kEof = 0x0000, kSaveDc = 0x001E, kCreatePalette = 0x00F7, kSetBkMode = 0x0102,
  kSetMapMode = 0x0103, kSetPolyFillMode = 0x0106, kRestoreDc = 0x0127,
  kSelectObject = 0x012D, kSetTextAlign = 0x012E, kDibCreatePatternBrush = 0x0142,
  kDeleteObject = 0x01F0, kCreatePatternBrush = 0x01F9, kSetBkColor = 0x0201,
  kSetTextColor = 0x0209, kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D, kSetViewportExt = 0x020E, kOffsetWindowOrg = 0x020F,
  kOffsetViewportOrg = 0x0211, kLineTo = 0x0213, kMoveTo = 0x0214,
  kCreatePenIndirect = 0x02FA, kCreateFontIndirect = 0x02FB, kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324, kPolyline = 0x0325, kScaleWindowExt = 0x0410,
  kScaleViewportExt = 0x0412, kEllipse = 0x0418, kRectangle = 0x041B, kTextOut = 0x0521,
  kPolyPolygon = 0x0538, kRoundRect = 0x061C, kPatBlt = 0x061D, kCreateRegion = 0x06FF,
  kArc = 0x0817, kPie = 0x081A, kChord = 0x0830, kDibBitBlt = 0x0940, kExtTextOut = 0x0A32,
  kDibStretchBlt = 0x0B41, kStretchDib = 0x0F43,
};

constexpr uint16_t kEtoOpaque = 0x0002, kEtoClipped = 0x0004;

PointD Pt(double x, double y) { return {x, y}; }

// Reads `count` points of two 16-bit coordinates.
std::vector<PointD> Points(ByteReader& r, size_t count) {
  r.Need(count * 4);
  std::vector<PointD> pts;
  pts.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    double x = I16(r);
    double y = I16(r);
    pts.push_back({x, y});
  }
  return pts;
}

// Rectangle parameters stored bottom, right, top, left.
std::pair<PointD, PointD> BoxReversed(ByteReader& r) {
  double bottom = I16(r), right = I16(r), top = I16(r), left = I16(r);
  return {Pt(left, top), Pt(right, bottom)};
}

GdiObject ReadPen(ByteReader& r) {
  uint16_t style = r.U16();
  int16_t width = I16(r);
  r.Skip(2);
  return PenObject(style, width, false, Color(r.U32()));
}

GdiObject ReadBrush(ByteReader& r) {
  uint16_t style = r.U16();
  return BrushObject(style, Color(r.U32()));
}

// The text of a text record, as the picture's single-byte characters.
std::string ReadText(ByteReader& r, int16_t length) {
  if (length <= 0) return {};
  return std::string(r.Bytes(static_cast<size_t>(length)));
}

void Record(Gdi& g, uint16_t fn, std::string_view params) {
  ByteReader r(params);
  switch (fn) {
    case kSaveDc: g.SaveDC(); break;
    case kRestoreDc: g.RestoreDC(I16(r)); break;
    case kSetMapMode: g.SetMapMode(r.U16()); break;
    case kSetPolyFillMode: g.SetPolyFillMode(r.U16()); break;
    case kSetTextAlign: g.SetTextAlign(r.U16()); break;
    case kSetBkColor: g.SetBkColor(Color(r.U32())); break;
    case kSetTextColor: g.SetTextColor(Color(r.U32())); break;
    case kSetWindowOrg: { double y = I16(r); g.SetWindowOrg(Pt(I16(r), y)); break; }
    case kSetWindowExt: { double y = I16(r); g.SetWindowExt(Pt(I16(r), y)); break; }
    case kSetViewportOrg: { double y = I16(r); g.SetViewportOrg(Pt(I16(r), y)); break; }
    case kSetViewportExt: { double y = I16(r); g.SetViewportExt(Pt(I16(r), y)); break; }
    case kOffsetWindowOrg: { double y = I16(r); g.OffsetWindowOrg(Pt(I16(r), y)); break; }
    case kOffsetViewportOrg: { double y = I16(r); g.OffsetViewportOrg(Pt(I16(r), y)); break; }
    case kScaleWindowExt:
    case kScaleViewportExt: {
      double yDen = I16(r), yNum = I16(r), xDen = I16(r), xNum = I16(r);
      if (fn == kScaleWindowExt) g.ScaleWindowExt(xNum, xDen, yNum, yDen);
      else g.ScaleViewportExt(xNum, xDen, yNum, yDen);
      break;
    }
    case kMoveTo: { double y = I16(r); g.MoveTo(Pt(I16(r), y)); break; }
    case kLineTo: { double y = I16(r); g.LineTo(Pt(I16(r), y)); break; }
    case kSelectObject: g.SelectObject(r.U16()); break;
    case kDeleteObject: g.DeleteObject(r.U16()); break;
    case kCreatePenIndirect: g.CreateWmfObject(ReadPen(r)); break;
    case kCreateBrushIndirect: g.CreateWmfObject(ReadBrush(r)); break;
    case kCreateFontIndirect: g.CreateWmfObject(ReadFontObject(r, false)); break;
    case kCreatePalette:
    case kCreatePatternBrush:
    case kDibCreatePatternBrush:
    case kCreateRegion: {
      // Objects the pictures use no further here; they still take their slot.
      bool brush = fn != kCreatePalette && fn != kCreateRegion;
      g.CreateWmfObject(brush ? BrushObject(3, kWhite) : GdiObject{});
      break;
    }
    case kPolygon:
    case kPolyline: {
      int16_t n = I16(r);
      std::vector<PointD> pts = Points(r, n > 0 ? static_cast<size_t>(n) : 0);
      if (fn == kPolygon) g.Polygon({pts});
      else g.Polyline(pts);
      break;
    }
    case kPolyPolygon: {
      uint16_t polys = r.U16();
      r.Need(size_t{polys} * 2);
      std::vector<size_t> counts(polys);
      for (auto& c : counts) c = r.U16();
      std::vector<std::vector<PointD>> rings;
      rings.reserve(polys);
      for (size_t c : counts) rings.push_back(Points(r, c));
      g.Polygon(rings);
      break;
    }
    case kRectangle: { auto [a, b] = BoxReversed(r); g.Rectangle(a, b); break; }
    case kEllipse: { auto [a, b] = BoxReversed(r); g.Ellipse(a, b); break; }
    case kRoundRect: {
      double h = I16(r), w = I16(r);
      auto [a, b] = BoxReversed(r);
      g.RoundRect(a, b, Pt(w, h));
      break;
    }
    case kArc:
    case kPie:
    case kChord: {
      double ey = I16(r), ex = I16(r), sy = I16(r), sx = I16(r);
      auto [a, b] = BoxReversed(r);
      auto kind = fn == kArc ? Gdi::ArcKind::Arc : fn == kPie ? Gdi::ArcKind::Pie : Gdi::ArcKind::Chord;
      g.Arc(kind, a, b, Pt(sx, sy), Pt(ex, ey));
      break;
    }
    case kTextOut: {
      int16_t len = I16(r);
      std::string text = ReadText(r, len);
      if (len > 0 && len % 2) r.Skip(1);
      double y = I16(r);
      g.Text(Pt(I16(r), y), std::move(text), std::nullopt);
      break;
    }
    case kExtTextOut: {
      double y = I16(r), x = I16(r);
      int16_t len = I16(r);
      uint16_t options = r.U16();
      std::optional<std::pair<PointD, PointD>> opaque;
      if (options & (kEtoOpaque | kEtoClipped)) {
        double l = I16(r), t = I16(r), rt = I16(r), b = I16(r);
        if (options & kEtoOpaque) opaque = std::make_pair(Pt(l, t), Pt(rt, b));
      }
      g.Text(Pt(x, y), ReadText(r, len), opaque);
      break;
    }
    case kPatBlt: {
      uint32_t rop = r.U32();
      double h = I16(r), w = I16(r), y = I16(r), x = I16(r);
      g.PatBlt(Pt(x, y), Pt(w, h), rop);
      break;
    }
    case kStretchDib: {
      r.Skip(6);  // raster operation, colour usage
      int sh = I16(r), sw = I16(r), sy = I16(r), sx = I16(r);
      double dh = I16(r), dw = I16(r), dy = I16(r), dx = I16(r);
      auto image = g.DecodePackedDib(r.Bytes(r.Remaining()), SourceRect{sx, sy, sw, sh, true});
      g.Image(Pt(dx, dy), Pt(dw, dh), image);
      break;
    }
    case kDibStretchBlt:
    case kDibBitBlt: {
      // Without a bitmap the record is one word longer than its fixed part and paints a
      // rectangle; with one it carries a packed bitmap.
      const size_t fixedWords = fn == kDibStretchBlt ? 10 : 8;
      const bool withBitmap = params.size() > (fixedWords + 1) * 2;
      uint32_t rop = r.U32();
      int sh = 0, sw = 0;
      if (fn == kDibStretchBlt) sh = I16(r), sw = I16(r);
      int sy = I16(r), sx = I16(r);
      if (!withBitmap) r.Skip(2);
      double dh = I16(r), dw = I16(r), dy = I16(r), dx = I16(r);
      if (fn == kDibBitBlt) sw = static_cast<int>(dw), sh = static_cast<int>(dh);
      if (!withBitmap) {
        g.PatBlt(Pt(dx, dy), Pt(dw, dh), rop);
      } else {
        // A bit-block transfer's source rows count from the top.
        auto image = g.DecodePackedDib(r.Bytes(r.Remaining()),
                                     SourceRect{sx, sy, sw, sh, false});
        g.Image(Pt(dx, dy), Pt(dw, dh), image);
      }
      break;
    }
    default:
      break;  // records logos do not need: background mode, clipping, palettes, escapes...
  }
}

}  // namespace

Metafile ReadWmf(std::string_view bytes) {
  ByteReader file(bytes);
  Gdi g = Gdi::ForWmf();
  Metafile m;
  bool placeable = false;
  double unitsPerInch = 0;
  PointD boxOrg, boxExt;
  if (bytes.size() >= 4 && file.U32() == kPlaceableKey) {
    placeable = true;
    file.Skip(2);  // handle
    double l = I16(file), t = I16(file), r = I16(file), b = I16(file);
    unitsPerInch = file.U16();
    file.Skip(6);  // reserved, checksum
    boxOrg = {std::min(l, r), std::min(t, b)};
    boxExt = {std::abs(r - l), std::abs(b - t)};
    if (unitsPerInch == 0) unitsPerInch = 1440;
    if (boxExt.x > 0 && boxExt.y > 0) g.SetWmfWindow(boxOrg, boxExt, unitsPerInch / 96);
  } else {
    file = ByteReader(bytes);
  }
  const size_t headerAt = file.Position();
  uint16_t type = file.U16();
  uint16_t headerWords = file.U16();
  if ((type != 1 && type != 2) || headerWords != 9) throw Error("not a metafile");
  file.Skip(6);  // version, size
  g.SetWmfTableSize(file.U16());
  file.Skip(6);  // largest record, unused
  if (file.Position() != headerAt + 18) throw Error("header");

  bool ended = false;
  while (!file.AtEnd()) {
    uint32_t words = file.U32();
    uint16_t fn = file.U16();
    if (words < 3 || words - 3 > file.Remaining() / 2) throw Error("record size");
    std::string_view params = file.Bytes((words - 3) * size_t{2});
    if (fn == kEof) {
      ended = true;
      break;
    }
    Record(g, fn, params);
  }
  if (!ended) throw Error("no end record");

  std::optional<PointD> area = g.WmfArea();
  m.shapes = g.TakeShapes();
  if (area && area->x > 0 && area->y > 0) {
    m.frameLeft = 0;
    m.frameTop = 0;
    m.frameWidth = area->x;
    m.frameHeight = area->y;
    double perPixel = placeable && boxExt.x > 0 && boxExt.y > 0 ? unitsPerInch / 96 : 1;
    m.naturalWidth = area->x / perPixel;
    m.naturalHeight = area->y / perPixel;
    return m;
  }
  // No window anywhere: the picture is as large as what it draws.
  double l = INFINITY, t = INFINITY, r = -INFINITY, b = -INFINITY;
  auto take = [&](PointD p) {
    l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
  };
  for (const Metafile::Shape& s : m.shapes) {
    for (const auto& ring : s.rings)
      for (PointD p : ring) take(p);
    if (s.rings.empty()) take(s.a);
    if (s.kind != Metafile::Shape::Kind::Text && s.rings.empty()) take(s.b);
  }
  if (!(r > l && b > t)) throw Error("empty picture");
  m.frameLeft = l;
  m.frameTop = t;
  m.frameWidth = m.naturalWidth = r - l;
  m.frameHeight = m.naturalHeight = b - t;
  return m;
}

}  // namespace bilvox::mf
