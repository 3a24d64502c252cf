// Enhanced metafiles (EMF): records of a 32-bit type and a 32-bit byte size (the size
// included), the first one the header with the picture's frame in hundredths of a
// millimetre and the size of the device it was recorded on, the last one end-of-file.
#include <algorithm>
#include <cmath>

#include "common/cp1250.h"
#include "common/error.h"
#include "printout/metafile_gdi.h"

namespace bilvox::mf {
namespace {

constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"

enum : uint32_t {
  kHeader = 1, kPolyBezier = 2, kPolygon = 3, kPolyline = 4, kPolyBezierTo = 5,
  kPolylineTo = 6, kPolyPolyline = 7, kPolyPolygon = 8, kSetWindowExtEx = 9,
  kSetWindowOrgEx = 10, kSetViewportExtEx = 11, kSetViewportOrgEx = 12, kEof = 14,
  kSetMapMode = 17, kSetPolyFillMode = 19, kSetTextAlign = 22, kSetTextColor = 24,
  kSetBkColor = 25, kMoveToEx = 27, kScaleViewportExtEx = 31, kScaleWindowExtEx = 32,
  kSaveDc = 33, kRestoreDc = 34, kSetWorldTransform = 35, kModifyWorldTransform = 36,
  kSelectObject = 37, kCreatePen = 38, kCreateBrushIndirect = 39, kDeleteObject = 40,
  kEllipse = 42, kRectangle = 43, kRoundRect = 44, kArc = 45, kChord = 46, kPie = 47,
  kLineTo = 54, kBeginPath = 59, kEndPath = 60, kCloseFigure = 61, kFillPath = 62,
  kStrokeAndFillPath = 63, kStrokePath = 64, kSelectClipPath = 67, kAbortPath = 68,
  kBitBlt = 76, kStretchBlt = 77, kStretchDiBits = 81, kExtCreateFontIndirectW = 82,
  kExtTextOutA = 83, kExtTextOutW = 84, kPolyBezier16 = 85, kPolygon16 = 86,
  kPolyline16 = 87, kPolyBezierTo16 = 88, kPolylineTo16 = 89, kPolyPolyline16 = 90,
  kPolyPolygon16 = 91, kCreateMonoBrush = 93, kCreateDibPatternBrushPt = 94,
  kExtCreatePen = 95, kAlphaBlend = 114, kTransparentBlt = 116,
};

constexpr uint32_t kEtoOpaque = 0x0002;
constexpr uint32_t kPenGeometric = 0x00010000;

PointD ReadPoint(ByteReader& r, bool small) {
  if (small) {
    double x = I16(r);
    return {x, double(I16(r))};
  }
  double x = static_cast<int32_t>(r.U32());
  return {x, double(static_cast<int32_t>(r.U32()))};
}

int32_t S32(ByteReader& r) { return static_cast<int32_t>(r.U32()); }

std::vector<PointD> ReadPoints(ByteReader& r, uint64_t count, bool small) {
  r.Need(count * (small ? 4 : 8));
  std::vector<PointD> pts;
  pts.reserve(count);
  for (uint64_t i = 0; i < count; ++i) pts.push_back(ReadPoint(r, small));
  return pts;
}

std::pair<PointD, PointD> ReadBox(ByteReader& r) {
  PointD a = ReadPoint(r, false);
  return {a, ReadPoint(r, false)};
}

Xform ReadXform(ByteReader& r) {
  Xform x;
  x.m11 = F32(r), x.m12 = F32(r), x.m21 = F32(r), x.m22 = F32(r), x.dx = F32(r), x.dy = F32(r);
  for (double v : {x.m11, x.m12, x.m21, x.m22, x.dx, x.dy})
    if (!std::isfinite(v)) throw Error("transform");
  return x;
}

void ReadPolyRecord(Gdi& g, uint32_t type, ByteReader& r) {
  const bool small = type >= kPolyBezier16;
  r.Skip(16);  // bounds
  uint32_t count = r.U32();
  std::vector<PointD> pts = ReadPoints(r, count, small);
  switch (type) {
    case kPolyBezier: case kPolyBezier16: g.PolyBezier(pts); break;
    case kPolygon: case kPolygon16: g.Polygon({pts}); break;
    case kPolyline: case kPolyline16: g.Polyline(pts); break;
    case kPolyBezierTo: case kPolyBezierTo16: g.PolyBezierTo(pts); break;
    default: g.PolylineTo(pts); break;
  }
}

void ReadPolyPolyRecord(Gdi& g, uint32_t type, ByteReader& r) {
  const bool small = type == kPolyPolyline16 || type == kPolyPolygon16;
  r.Skip(16);
  uint32_t polys = r.U32();
  uint32_t total = r.U32();
  r.Need(uint64_t{polys} * 4);
  std::vector<uint32_t> counts(polys);
  uint64_t sum = 0;
  for (auto& c : counts) sum += (c = r.U32());
  if (sum > total) throw Error("counts");
  r.Need(sum * (small ? 4 : 8));
  std::vector<std::vector<PointD>> rings;
  rings.reserve(polys);
  for (uint32_t c : counts) rings.push_back(ReadPoints(r, c, small));
  if (type == kPolyPolygon || type == kPolyPolygon16) g.Polygon(rings);
  else g.PolyPolyline(rings);
}

void ReadText(Gdi& g, uint32_t type, std::string_view rec, ByteReader& r) {
  r.Skip(16 + 12);  // bounds, graphics mode, scales
  PointD at = ReadPoint(r, false);
  uint32_t chars = r.U32();
  uint32_t offString = r.U32();
  uint32_t options = r.U32();
  auto [a, b] = ReadBox(r);
  std::string text;
  if (type == kExtTextOutW) text = Utf16ToCp1250(Slice(rec, offString, uint64_t{chars} * 2));
  else text = std::string(Slice(rec, offString, chars));
  while (!text.empty() && text.back() == '\0') text.pop_back();
  std::optional<std::pair<PointD, PointD>> opaque;
  if (options & kEtoOpaque) opaque = std::make_pair(a, b);
  g.Text(at, std::move(text), opaque);
}

std::shared_ptr<const RasterImage> ReadBitmap(Gdi& g, std::string_view rec, uint32_t offBmi,
                                              uint32_t cbBmi, uint32_t offBits, uint32_t cbBits,
                                              const SourceRect& source) {
  return g.DecodeDib(Slice(rec, offBmi, cbBmi), Slice(rec, offBits, cbBits), source);
}

void ReadBlt(Gdi& g, uint32_t type, std::string_view rec, ByteReader& r) {
  r.Skip(16);
  double dx = S32(r), dy = S32(r), dw = S32(r), dh = S32(r);
  uint32_t rop = r.U32();
  int sx = S32(r), sy = S32(r);
  r.Skip(24 + 4 + 4);  // source transform, background colour, colour usage
  uint32_t offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
  int sw = static_cast<int>(dw), sh = static_cast<int>(dh);
  if (type != kBitBlt) sw = S32(r), sh = S32(r);
  if (cbBmi == 0) return g.PatBlt({dx, dy}, {dw, dh}, rop);
  auto image = ReadBitmap(g, rec, offBmi, cbBmi, offBits, cbBits,
                          SourceRect{sx, sy, sw, sh, false});
  g.Image({dx, dy}, {dw, dh}, image);
}

void ReadStretchDiBits(Gdi& g, std::string_view rec, ByteReader& r) {
  r.Skip(16);
  double dx = S32(r), dy = S32(r);
  int sx = S32(r), sy = S32(r), sw = S32(r), sh = S32(r);
  uint32_t offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
  r.Skip(8);  // colour usage, raster operation
  double dw = S32(r), dh = S32(r);
  if (cbBmi == 0) return;
  auto image = ReadBitmap(g, rec, offBmi, cbBmi, offBits, cbBits,
                          SourceRect{sx, sy, sw, sh, true});
  g.Image({dx, dy}, {dw, dh}, image);
}

void Record(Gdi& g, uint32_t type, std::string_view rec) {
  ByteReader r(rec);
  r.Skip(8);
  switch (type) {
    case kPolyBezier: case kPolygon: case kPolyline: case kPolyBezierTo: case kPolylineTo:
    case kPolyBezier16: case kPolygon16: case kPolyline16: case kPolyBezierTo16:
    case kPolylineTo16:
      return ReadPolyRecord(g, type, r);
    case kPolyPolyline: case kPolyPolygon: case kPolyPolyline16: case kPolyPolygon16:
      return ReadPolyPolyRecord(g, type, r);
    case kSetWindowExtEx: g.SetWindowExt(ReadPoint(r, false)); break;
    case kSetWindowOrgEx: g.SetWindowOrg(ReadPoint(r, false)); break;
    case kSetViewportExtEx: g.SetViewportExt(ReadPoint(r, false)); break;
    case kSetViewportOrgEx: g.SetViewportOrg(ReadPoint(r, false)); break;
    case kScaleViewportExtEx:
    case kScaleWindowExtEx: {
      double xn = S32(r), xd = S32(r), yn = S32(r), yd = S32(r);
      if (type == kScaleWindowExtEx) g.ScaleWindowExt(xn, xd, yn, yd);
      else g.ScaleViewportExt(xn, xd, yn, yd);
      break;
    }
    case kSetMapMode: g.SetMapMode(static_cast<int>(r.U32())); break;
    case kSetPolyFillMode: g.SetPolyFillMode(static_cast<int>(r.U32())); break;
    case kSetTextAlign: g.SetTextAlign(r.U32()); break;
    case kSetTextColor: g.SetTextColor(Color(r.U32())); break;
    case kSetBkColor: g.SetBkColor(Color(r.U32())); break;
    case kMoveToEx: g.MoveTo(ReadPoint(r, false)); break;
    case kLineTo: g.LineTo(ReadPoint(r, false)); break;
    case kSaveDc: g.SaveDC(); break;
    case kRestoreDc: g.RestoreDC(S32(r)); break;
    case kSetWorldTransform: g.SetWorldTransform(ReadXform(r)); break;
    case kModifyWorldTransform: {
      Xform x = ReadXform(r);
      g.ModifyWorldTransform(x, r.U32());
      break;
    }
    case kSelectObject: g.SelectObject(r.U32()); break;
    case kDeleteObject: g.DeleteObject(r.U32()); break;
    case kCreatePen: {
      uint32_t index = r.U32();
      uint32_t style = r.U32();
      int32_t width = S32(r);
      r.Skip(4);
      g.CreateObject(index, PenObject(style, width, false, Color(r.U32())));
      break;
    }
    case kExtCreatePen: {
      uint32_t index = r.U32();
      r.Skip(16);  // pattern bitmap
      uint32_t style = r.U32();
      uint32_t width = std::min<uint32_t>(r.U32(), 1u << 30);
      uint32_t brushStyle = r.U32();
      GdiObject o = PenObject(style, width, !(style & kPenGeometric), Color(r.U32()));
      if (brushStyle == 1) o.pen.null = true;  // drawn with a hollow brush
      g.CreateObject(index, o);
      break;
    }
    case kCreateBrushIndirect: {
      uint32_t index = r.U32();
      uint32_t style = r.U32();
      g.CreateObject(index, BrushObject(style, Color(r.U32())));
      break;
    }
    case kCreateMonoBrush:
    case kCreateDibPatternBrushPt:
      g.CreateObject(r.U32(), BrushObject(3, kWhite));  // pattern brushes do not fill
      break;
    case kExtCreateFontIndirectW: {
      uint32_t index = r.U32();
      g.CreateObject(index, ReadFontObject(r, true));
      break;
    }
    case kEllipse: { auto [a, b] = ReadBox(r); g.Ellipse(a, b); break; }
    case kRectangle: { auto [a, b] = ReadBox(r); g.Rectangle(a, b); break; }
    case kRoundRect: {
      auto [a, b] = ReadBox(r);
      g.RoundRect(a, b, ReadPoint(r, false));
      break;
    }
    case kArc:
    case kChord:
    case kPie: {
      auto [a, b] = ReadBox(r);
      PointD start = ReadPoint(r, false);
      PointD end = ReadPoint(r, false);
      auto kind = type == kArc ? Gdi::ArcKind::Arc : type == kPie ? Gdi::ArcKind::Pie : Gdi::ArcKind::Chord;
      g.Arc(kind, a, b, start, end);
      break;
    }
    case kBeginPath: g.BeginPath(); break;
    case kEndPath: g.EndPath(); break;
    case kCloseFigure: g.CloseFigure(); break;
    case kFillPath: g.FillPath(); break;
    case kStrokeAndFillPath: g.StrokeAndFillPath(); break;
    case kStrokePath: g.StrokePath(); break;
    case kSelectClipPath:
    case kAbortPath: g.AbortPath(); break;
    case kExtTextOutA:
    case kExtTextOutW: return ReadText(g, type, rec, r);
    case kBitBlt:
    case kStretchBlt:
    case kAlphaBlend:
    case kTransparentBlt: return ReadBlt(g, type, rec, r);
    case kStretchDiBits: return ReadStretchDiBits(g, rec, r);
    default:
      break;  // comments, clipping, palettes, colour management and the like
  }
}

}  // namespace

bool IsEmf(std::string_view b) {
  if (b.size() < 44) return false;
  ByteReader r(b);
  if (r.U32() != kHeader) return false;
  r.Skip(36);
  return r.U32() == kEmfSignature;
}

Metafile ReadEmf(std::string_view bytes) {
  ByteReader file(bytes);
  if (file.U32() != kHeader) throw Error("header");
  uint32_t headerSize = file.U32();
  if (headerSize < 88 || headerSize > bytes.size()) throw Error("header size");
  ByteReader h(bytes.substr(0, headerSize));
  h.Skip(8);
  auto [boundsA, boundsB] = ReadBox(h);
  auto [frameA, frameB] = ReadBox(h);
  if (h.U32() != kEmfSignature) throw Error("signature");
  h.Skip(4 + 4 + 4 + 2 + 2 + 4 + 4 + 4);  // version, bytes, records, handles, descriptions, palette
  double devX = S32(h), devY = S32(h), mmX = S32(h), mmY = S32(h);
  double umX = 0, umY = 0;
  if (headerSize >= 108) {
    h.Skip(12);  // pixel format, OpenGL
    umX = S32(h), umY = S32(h);
  }
  // Reference pixels per millimetre: from micrometres when given, else millimetres, else
  // the screen's 96 dpi.
  double px = 96 / 25.4, py = 96 / 25.4;
  if (devX > 0 && devY > 0 && umX > 0 && umY > 0) px = devX * 1000 / umX, py = devY * 1000 / umY;
  else if (devX > 0 && devY > 0 && mmX > 0 && mmY > 0) px = devX / mmX, py = devY / mmY;

  Gdi g = Gdi::ForEmf(px, py);
  size_t pos = headerSize;
  bool ended = false;
  while (pos < bytes.size()) {
    if (bytes.size() - pos < 8) throw Error("record");
    ByteReader r(bytes.substr(pos, 8));
    uint32_t type = r.U32();
    uint32_t size = r.U32();
    if (size < 8 || size > bytes.size() - pos) throw Error("record size");
    std::string_view rec = bytes.substr(pos, size);
    pos += size;
    if (type == kEof) {
      ended = true;
      break;
    }
    if (type == kHeader) throw Error("second header");
    Record(g, type, rec);
  }
  if (!ended) throw Error("no end record");

  Metafile m;
  m.shapes = g.TakeShapes();
  const double fw = frameB.x - frameA.x, fh = frameB.y - frameA.y;
  if (fw > 0 && fh > 0) {
    m.frameLeft = frameA.x * px / 100;
    m.frameTop = frameA.y * py / 100;
    m.frameWidth = fw * px / 100;
    m.frameHeight = fh * py / 100;
    m.naturalWidth = fw / 100 * 96 / 25.4;
    m.naturalHeight = fh / 100 * 96 / 25.4;
  } else {
    // No usable frame: the bounds of what was drawn, in reference pixels.
    m.frameLeft = boundsA.x;
    m.frameTop = boundsA.y;
    m.frameWidth = boundsB.x - boundsA.x + 1;
    m.frameHeight = boundsB.y - boundsA.y + 1;
    m.naturalWidth = m.frameWidth / px * 96 / 25.4;
    m.naturalHeight = m.frameHeight / py * 96 / 25.4;
  }
  return m;
}

}  // namespace bilvox::mf
