#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "common/cp1250.h"
#include "common/error.h"
#include "printout/metafile_gdi.h"

namespace bilvox::mf {
namespace {

// At most this many points are kept from one picture, whatever its records claim; every
// shape counts as kShapeCost points besides its own, which bounds the number of shapes too.
constexpr size_t kPointBudget = 1'000'000;
constexpr size_t kShapeCost = 16;
// Deeper saving of the drawing state is ignored.
constexpr size_t kMaxSavedStates = 256;
constexpr int kEllipseSegments = 64;
constexpr int kBezierSegments = 16;
constexpr double kPi = std::numbers::pi;

bool SamePen(const std::optional<Metafile::Pen>& a, const std::optional<Metafile::Pen>& b) {
  if (!a || !b) return !a && !b;
  return a->color == b->color && a->width == b->width && a->cosmetic == b->cosmetic;
}

std::vector<PointD> EllipsePoints(PointD a, PointD b) {
  const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
  const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
  std::vector<PointD> pts;
  pts.reserve(kEllipseSegments);
  for (int i = 0; i < kEllipseSegments; ++i) {
    double t = 2 * kPi * i / kEllipseSegments;
    pts.push_back({cx + rx * std::cos(t), cy - ry * std::sin(t)});
  }
  return pts;
}

}  // namespace

float F32(ByteReader& r) { return std::bit_cast<float>(r.U32()); }

std::string_view Slice(std::string_view record, uint64_t offset, uint64_t size) {
  if (offset > record.size() || size > record.size() - offset)
    throw Error(std::string(TruncatedFileMessage()));
  return record.substr(offset, size);
}

std::shared_ptr<const RasterImage> Gdi::DecodeDib(std::string_view header, std::string_view bits,
                                                  const std::optional<SourceRect>& source) {
  if (header.size() < 12) return nullptr;
  // Every bitmap is charged before it is decoded, so that a small file cannot make the
  // reader decode (and keep) picture after picture of the largest size.
  {
    ByteReader h(header);
    const bool core = h.U32() == 12;
    const int64_t w = core ? h.U16() : std::abs(int64_t{static_cast<int32_t>(h.U32())});
    const int64_t ht = core ? h.U16() : std::abs(int64_t{static_cast<int32_t>(h.U32())});
    const uint64_t pixels = static_cast<uint64_t>(w) * static_cast<uint64_t>(ht);
    if (pixels > pixelBudget_) return nullptr;
    pixelBudget_ -= pixels;
  }
  ByteWriter file;
  file.Bytes("BM");
  file.U32(static_cast<uint32_t>(14 + header.size() + bits.size()));
  file.U32(0);
  file.U32(static_cast<uint32_t>(14 + header.size()));
  file.Bytes(header);
  file.Bytes(bits);
  RasterImage image;
  try {
    image = DecodeBmp(file.Data());
  } catch (const Error&) {
    return nullptr;
  }
  if (image.width <= 0 || image.height <= 0) return nullptr;
  if (source) {
    ByteReader h(header);
    uint32_t size = h.U32();
    bool bottomUp = true;
    if (size >= 16) {
      h.Skip(4);
      bottomUp = static_cast<int32_t>(h.U32()) > 0;
    }
    // In 64 bits: the rectangle comes from the file and may be anything.
    const int64_t sx = source->x, sy = source->y, sw = source->width, sh = source->height;
    const int64_t rowFromTop = source->fromBottom && bottomUp ? image.height - sy - sh : sy;
    const int x0 = static_cast<int>(std::clamp<int64_t>(sx, 0, image.width));
    const int y0 = static_cast<int>(std::clamp<int64_t>(rowFromTop, 0, image.height));
    const int x1 = static_cast<int>(std::clamp<int64_t>(sx + sw, 0, image.width));
    const int y1 = static_cast<int>(std::clamp<int64_t>(rowFromTop + sh, 0, image.height));
    if (x1 <= x0 || y1 <= y0) return nullptr;
    if (x0 != 0 || y0 != 0 || x1 != image.width || y1 != image.height) {
      RasterImage cut;
      cut.width = x1 - x0;
      cut.height = y1 - y0;
      cut.pixels.reserve(static_cast<size_t>(cut.width) * cut.height);
      for (int y = y0; y < y1; ++y) {
        auto row = image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width;
        cut.pixels.insert(cut.pixels.end(), row + x0, row + x1);
      }
      image = std::move(cut);
    }
  }
  return std::make_shared<const RasterImage>(std::move(image));
}

std::shared_ptr<const RasterImage> Gdi::DecodePackedDib(std::string_view dib,
                                                        const std::optional<SourceRect>& source) {
  try {
    ByteReader r(dib);
    uint32_t headerSize = r.U32();
    uint64_t tableBytes = 0;
    if (headerSize == 12) {
      r.Skip(6);  // width, height, planes
      unsigned bpp = r.U16();
      if (bpp <= 8) tableBytes = (uint64_t{1} << bpp) * 3;
    } else if (headerSize >= 40) {
      r.Skip(10);  // width, height, planes
      unsigned bpp = r.U16();
      uint32_t compression = r.U32();
      r.Skip(12);
      uint32_t used = r.U32();
      uint64_t colors = used ? used : (bpp <= 8 ? uint64_t{1} << bpp : 0);
      if (colors > 256 && bpp <= 8) colors = uint64_t{1} << bpp;
      tableBytes = colors * 4;
      if (headerSize == 40 && compression == 3) tableBytes += 12;
      if (headerSize == 40 && compression == 6) tableBytes += 16;
    } else {
      return nullptr;
    }
    uint64_t total = headerSize + tableBytes;
    if (total > dib.size()) return nullptr;
    return DecodeDib(dib.substr(0, total), dib.substr(total), source);
  } catch (const Error&) {
    return nullptr;
  }
}

GdiObject PenObject(uint32_t style, double width, bool cosmetic, ColorRef color) {
  GdiObject o;
  o.type = GdiObject::Type::Pen;
  o.pen.null = (style & 0x0F) == 5;
  o.pen.width = width;
  o.pen.cosmetic = cosmetic || width == 0;
  o.pen.color = color;
  return o;
}

GdiObject ReadFontObject(ByteReader& r, bool wide) {
  auto number = [&] { return wide ? static_cast<int32_t>(r.U32()) : I16(r); };
  GdiObject o;
  o.type = GdiObject::Type::Font;
  o.font.height = number();
  number(), number(), number();  // width, escapement, orientation
  o.font.weight = number();
  o.font.italic = r.U8() != 0;
  o.font.underline = r.U8() != 0;
  r.Skip(6);  // strike-out, character set, precisions, quality, pitch and family
  // The face name: up to 32 characters, ended by a null one; WMF may cut the field short.
  std::string face = wide ? Utf16ToCp1250(r.Bytes(64)) : std::string(r.Bytes(std::min<size_t>(32, r.Remaining())));
  o.font.face = face.substr(0, face.find('\0'));
  return o;
}

std::string Utf16ToCp1250(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char16_t c = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    int b = UnicodeToCp1250(c);
    out += b >= 0 ? static_cast<char>(b) : '?';
  }
  return out;
}

GdiObject BrushObject(uint32_t style, ColorRef color) {
  GdiObject o;
  o.type = GdiObject::Type::Brush;
  o.brush.null = !(style == 0 || style == 2);
  o.brush.color = color;
  return o;
}

Xform Xform::Then(const Xform& b) const {
  const Xform& a = *this;
  Xform r;
  r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
  r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
  r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
  r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
  r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
  r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
  return r;
}

Gdi Gdi::ForWmf() {
  Gdi g(true);
  g.pointBudget_ = kPointBudget;
  g.pixelBudget_ = kMaxPicturePixels;
  return g;
}

Gdi Gdi::ForEmf(double pixelsPerMmX, double pixelsPerMmY) {
  Gdi g(false);
  g.pointBudget_ = kPointBudget;
  g.pixelBudget_ = kMaxPicturePixels;
  g.pxPerMmX_ = pixelsPerMmX;
  g.pxPerMmY_ = pixelsPerMmY;
  g.devicePerPixel_ = pixelsPerMmY * 25.4 / 96;
  return g;
}

void Gdi::SetWmfWindow(PointD origin, PointD extent, double unitsPerPixel) {
  s_.winOrg = origin;
  s_.winExt = extent;
  wmfArea_ = PointD{std::abs(extent.x), std::abs(extent.y)};
  devicePerPixel_ = unitsPerPixel;
}

// --- Objects ---------------------------------------------------------------------------

void Gdi::CreateObject(uint32_t index, GdiObject object) { objects_[index] = std::move(object); }

void Gdi::CreateWmfObject(GdiObject object) {
  uint32_t slot;
  if (!freeSlots_.empty() && *freeSlots_.begin() < nextSlot_) {
    slot = *freeSlots_.begin();
    freeSlots_.erase(freeSlots_.begin());
  } else if (nextSlot_ < wmfTableSize_) {
    slot = nextSlot_++;
  } else {
    return;  // the table is full: the object is not created, as the system does
  }
  objects_[slot] = std::move(object);
}

void Gdi::DeleteObject(uint32_t index) {
  if (objects_.erase(index) && wmf_) freeSlots_.insert(index);
}

void Gdi::Select(const GdiObject& o) {
  switch (o.type) {
    case GdiObject::Type::Pen: s_.pen = o.pen; break;
    case GdiObject::Type::Brush: s_.brush = o.brush; break;
    case GdiObject::Type::Font: s_.font = o.font; break;
    case GdiObject::Type::Other: break;
  }
}

void Gdi::SelectObject(uint32_t index) {
  if (!wmf_ && (index & 0x80000000u)) return SelectStockObject(index & 0x7FFFFFFFu);
  auto it = objects_.find(index);
  if (it != objects_.end()) Select(it->second);
}

void Gdi::SelectStockObject(uint32_t stock) {
  static constexpr ColorRef kBrushes[] = {kWhite, 0xC0C0C0, 0x808080, 0x404040, kBlack};
  GdiObject o;
  if (stock <= 4 || stock == 18) {
    o.type = GdiObject::Type::Brush;
    o.brush.color = stock == 18 ? kWhite : kBrushes[stock];
  } else if (stock == 5) {
    o.type = GdiObject::Type::Brush;
    o.brush.null = true;
  } else if (stock == 6 || stock == 7 || stock == 19) {
    o.type = GdiObject::Type::Pen;
    o.pen.color = stock == 6 ? kWhite : kBlack;
  } else if (stock == 8) {
    o.type = GdiObject::Type::Pen;
    o.pen.null = true;
  } else if (stock >= 10 && stock <= 17 && stock != 15) {
    o.type = GdiObject::Type::Font;
  }
  Select(o);
}

// --- Mapping ---------------------------------------------------------------------------

void Gdi::SetMapMode(int mode) {
  if (mode < kMmText || mode > kMmAnisotropic || wmf_) return;
  s_.mapMode = mode;
  if (mode >= kMmIsotropic) return;  // the extents stay as they are
  // A fixed mode: so many reference pixels per logical unit, y growing upwards for the
  // metric and English ones.
  static constexpr double kMmPerUnit[] = {0, 0, 0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
  s_.winExt = {1, 1};
  if (mode == kMmText) s_.vpExt = {1, 1};
  else s_.vpExt = {pxPerMmX_ * kMmPerUnit[mode], -pxPerMmY_ * kMmPerUnit[mode]};
}

void Gdi::SetWindowExt(PointD e) {
  if (e.x == 0 || e.y == 0) return;
  if (wmf_) {
    if (!wmfArea_) wmfArea_ = PointD{std::abs(e.x), std::abs(e.y)};
    s_.winExt = e;
  } else if (s_.mapMode >= kMmIsotropic) {
    s_.winExt = e;
  }
}

void Gdi::SetViewportOrg(PointD p) {
  if (!wmf_) s_.vpOrg = p;
}

void Gdi::SetViewportExt(PointD e) {
  if (!wmf_ && s_.mapMode >= kMmIsotropic && e.x != 0 && e.y != 0) s_.vpExt = e;
}

void Gdi::OffsetViewportOrg(PointD d) {
  if (!wmf_) s_.vpOrg.x += d.x, s_.vpOrg.y += d.y;
}

void Gdi::ScaleWindowExt(double xNum, double xDen, double yNum, double yDen) {
  if (xDen == 0 || yDen == 0) return;
  SetWindowExt({s_.winExt.x * xNum / xDen, s_.winExt.y * yNum / yDen});
}

void Gdi::ScaleViewportExt(double xNum, double xDen, double yNum, double yDen) {
  if (xDen == 0 || yDen == 0) return;
  SetViewportExt({s_.vpExt.x * xNum / xDen, s_.vpExt.y * yNum / yDen});
}

void Gdi::ModifyWorldTransform(const Xform& x, uint32_t mode) {
  switch (mode) {
    case 1: s_.world = Xform{}; break;
    case 2: s_.world = x.Then(s_.world); break;
    case 3: s_.world = s_.world.Then(x); break;
    case 4: s_.world = x; break;
    default: break;
  }
}

void Gdi::SaveDC() {
  if (saved_.size() < kMaxSavedStates) saved_.push_back(s_);
}

void Gdi::RestoreDC(int which) {
  int64_t n = which;
  int64_t size = static_cast<int64_t>(saved_.size());
  int64_t keep = n < 0 ? size + n : n - 1;  // the number of states left saved
  if (n == 0 || keep < 0 || keep >= size) return;
  s_ = saved_[static_cast<size_t>(keep)];
  saved_.resize(static_cast<size_t>(keep));
}

void Gdi::Factors(double& sx, double& sy) const {
  if (wmf_) {
    sx = wmfArea_ ? wmfArea_->x / s_.winExt.x : 1;
    sy = wmfArea_ ? wmfArea_->y / s_.winExt.y : 1;
    return;
  }
  sx = s_.vpExt.x / s_.winExt.x;
  sy = s_.vpExt.y / s_.winExt.y;
  if (s_.mapMode == kMmIsotropic) {
    double m = std::min(std::abs(sx), std::abs(sy));
    sx = std::copysign(m, sx);
    sy = std::copysign(m, sy);
  }
}

PointD Gdi::Map(PointD p) const {
  PointD w = s_.world.Apply(p);
  double sx, sy;
  Factors(sx, sy);
  return {(w.x - s_.winOrg.x) * sx + s_.vpOrg.x, (w.y - s_.winOrg.y) * sy + s_.vpOrg.y};
}

double Gdi::LengthScale() const {
  double sx, sy;
  Factors(sx, sy);
  const Xform& w = s_.world;
  return std::sqrt(std::abs(sx * sy)) * std::sqrt(std::abs(w.m11 * w.m22 - w.m12 * w.m21));
}

double Gdi::HeightScale() const {
  double sx, sy;
  Factors(sx, sy);
  return std::abs(sy) * std::hypot(s_.world.m21, s_.world.m22);
}

// --- Shapes ----------------------------------------------------------------------------

std::optional<Metafile::Pen> Gdi::CurrentPen() const {
  if (s_.pen.null) return std::nullopt;
  if (s_.pen.cosmetic || s_.pen.width == 0) return Metafile::Pen{s_.pen.color, 0, true};
  return Metafile::Pen{s_.pen.color, std::abs(s_.pen.width) * LengthScale(), false};
}

std::optional<ColorRef> Gdi::CurrentFill() const {
  if (s_.brush.null) return std::nullopt;
  return s_.brush.color;
}

bool Gdi::Spend(size_t points) {
  if (points > pointBudget_) {
    pointBudget_ = 0;
    return false;
  }
  pointBudget_ -= points;
  return true;
}

void Gdi::Emit(Metafile::Shape shape) {
  size_t points = kShapeCost;
  for (const auto& ring : shape.rings) points += ring.size();
  if (Spend(points)) shapes_.push_back(std::move(shape));
}

void Gdi::EmitPolyline(std::vector<PointD> mapped) {
  if (mapped.size() < 2) return;
  std::optional<Metafile::Pen> pen = CurrentPen();
  if (!pen) return;
  if (!shapes_.empty()) {
    Metafile::Shape& last = shapes_.back();
    if (last.kind == Metafile::Shape::Kind::Polyline && SamePen(last.pen, pen) &&
        last.rings[0].back().x == mapped.front().x && last.rings[0].back().y == mapped.front().y) {
      if (Spend(mapped.size() - 1))
        last.rings[0].insert(last.rings[0].end(), mapped.begin() + 1, mapped.end());
      return;
    }
  }
  Metafile::Shape s;
  s.kind = Metafile::Shape::Kind::Polyline;
  s.rings.push_back(std::move(mapped));
  s.pen = pen;
  Emit(std::move(s));
}

void Gdi::AddToFigure(const std::vector<PointD>& mapped) {
  if (mapped.empty() || !Spend(mapped.size())) return;
  if (figureOpen_ && !path_.empty()) {
    auto& pts = path_.back().points;
    pts.insert(pts.end(), mapped.begin() + 1, mapped.end());
  } else {
    path_.push_back(Figure{mapped, false});
    figureOpen_ = true;
  }
}

void Gdi::ClosedShape(const std::vector<PointD>& logical) {
  std::vector<PointD> mapped;
  mapped.reserve(logical.size());
  for (PointD p : logical) mapped.push_back(Map(p));
  if (inPath_) {
    if (Spend(mapped.size())) path_.push_back(Figure{std::move(mapped), true});
    figureOpen_ = false;
    return;
  }
  Metafile::Shape s;
  s.kind = Metafile::Shape::Kind::Polygon;
  s.pen = CurrentPen();
  s.fill = CurrentFill();
  if (!s.pen && !s.fill) return;
  s.winding = s_.winding;
  s.rings.push_back(std::move(mapped));
  Emit(std::move(s));
}

std::vector<PointD> Gdi::FlattenBeziers(PointD start, const std::vector<PointD>& controls) const {
  std::vector<PointD> out;
  out.reserve(1 + controls.size() / 3 * kBezierSegments);
  PointD p0 = Map(start);
  out.push_back(p0);
  for (size_t i = 0; i + 2 < controls.size(); i += 3) {
    PointD p1 = Map(controls[i]), p2 = Map(controls[i + 1]), p3 = Map(controls[i + 2]);
    for (int k = 1; k <= kBezierSegments; ++k) {
      double t = double(k) / kBezierSegments, u = 1 - t;
      double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      out.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                     a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    p0 = p3;
  }
  return out;
}

void Gdi::MoveTo(PointD p) {
  s_.current = p;
  figureOpen_ = false;
}

void Gdi::Lines(std::vector<PointD> mapped, bool continues) {
  if (!inPath_) return EmitPolyline(std::move(mapped));
  if (!continues) figureOpen_ = false;
  AddToFigure(mapped);
  if (!continues) figureOpen_ = false;
}

void Gdi::LineTo(PointD p) {
  Lines({Map(s_.current), Map(p)}, true);
  s_.current = p;
}

void Gdi::Polyline(const std::vector<PointD>& points) {
  std::vector<PointD> mapped;
  mapped.reserve(points.size());
  for (PointD p : points) mapped.push_back(Map(p));
  Lines(std::move(mapped), false);
}

void Gdi::PolylineTo(const std::vector<PointD>& points) {
  if (points.empty()) return;
  std::vector<PointD> mapped{Map(s_.current)};
  mapped.reserve(points.size() + 1);
  for (PointD p : points) mapped.push_back(Map(p));
  Lines(std::move(mapped), true);
  s_.current = points.back();
}

void Gdi::PolyBezier(const std::vector<PointD>& points) {
  if (points.empty() || (points.size() - 1) % 3 != 0) return;
  std::vector<PointD> controls(points.begin() + 1, points.end());
  Lines(FlattenBeziers(points[0], controls), false);
}

void Gdi::PolyBezierTo(const std::vector<PointD>& points) {
  if (points.empty() || points.size() % 3 != 0) return;
  Lines(FlattenBeziers(s_.current, points), true);
  s_.current = points.back();
}

void Gdi::Polygon(const std::vector<std::vector<PointD>>& rings) {
  Metafile::Shape s;
  s.kind = Metafile::Shape::Kind::Polygon;
  for (const auto& ring : rings) {
    if (ring.size() < 2) continue;
    std::vector<PointD> mapped;
    mapped.reserve(ring.size());
    for (PointD p : ring) mapped.push_back(Map(p));
    if (inPath_) {
      if (Spend(mapped.size())) path_.push_back(Figure{std::move(mapped), true});
    } else {
      s.rings.push_back(std::move(mapped));
    }
  }
  figureOpen_ = false;
  if (inPath_ || s.rings.empty()) return;
  s.pen = CurrentPen();
  s.fill = CurrentFill();
  s.winding = s_.winding;
  if (s.pen || s.fill) Emit(std::move(s));
}

void Gdi::PolyPolyline(const std::vector<std::vector<PointD>>& lines) {
  for (const auto& line : lines) Polyline(line);
}

void Gdi::Box(Metafile::Shape::Kind kind, PointD a, PointD b) {
  Metafile::Shape s;
  s.kind = kind;
  s.a = Map(a);
  s.b = Map(b);
  s.pen = CurrentPen();
  s.fill = CurrentFill();
  if (s.pen || s.fill) Emit(std::move(s));
}

void Gdi::Rectangle(PointD a, PointD b) {
  if (inPath_ || !s_.world.Axial()) return ClosedShape({a, {b.x, a.y}, b, {a.x, b.y}});
  Box(Metafile::Shape::Kind::Rectangle, a, b);
}

void Gdi::RoundRect(PointD a, PointD b, PointD corner) {
  const double l = std::min(a.x, b.x), r = std::max(a.x, b.x);
  const double t = std::min(a.y, b.y), btm = std::max(a.y, b.y);
  const double rx = std::min(std::abs(corner.x) / 2, (r - l) / 2);
  const double ry = std::min(std::abs(corner.y) / 2, (btm - t) / 2);
  constexpr int kQuarter = kEllipseSegments / 4;
  // Corner centres and the angle each quarter starts at, counter-clockwise from top right.
  const PointD centres[4] = {{r - rx, t + ry}, {l + rx, t + ry}, {l + rx, btm - ry}, {r - rx, btm - ry}};
  std::vector<PointD> pts;
  pts.reserve(4 * (kQuarter + 1));
  for (int q = 0; q < 4; ++q) {
    for (int i = 0; i <= kQuarter; ++i) {
      double ang = kPi / 2 * q + kPi / 2 * i / kQuarter;
      pts.push_back({centres[q].x + rx * std::cos(ang), centres[q].y - ry * std::sin(ang)});
    }
  }
  ClosedShape(pts);
}

void Gdi::Ellipse(PointD a, PointD b) {
  if (inPath_ || !s_.world.Axial()) return ClosedShape(EllipsePoints(a, b));
  Box(Metafile::Shape::Kind::Ellipse, a, b);
}

void Gdi::Arc(ArcKind kind, PointD a, PointD b, PointD start, PointD end) {
  const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
  const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
  if (rx == 0 || ry == 0) return;
  // Angles grow counter-clockwise as the picture appears (y downwards).
  double t0 = std::atan2(-(start.y - cy) / ry, (start.x - cx) / rx);
  double t1 = std::atan2(-(end.y - cy) / ry, (end.x - cx) / rx);
  if (t1 <= t0) t1 += 2 * kPi;
  int n = std::max(2, static_cast<int>(std::ceil((t1 - t0) / (2 * kPi / kEllipseSegments))));
  std::vector<PointD> pts;
  pts.reserve(n + 2);
  if (kind == ArcKind::Pie) pts.push_back({cx, cy});
  for (int i = 0; i <= n; ++i) {
    double t = t0 + (t1 - t0) * i / n;
    pts.push_back({cx + rx * std::cos(t), cy - ry * std::sin(t)});
  }
  if (kind != ArcKind::Arc) return ClosedShape(pts);
  Polyline(pts);
}

void Gdi::Text(PointD at, std::string text,
               const std::optional<std::pair<PointD, PointD>>& opaque) {
  if (inPath_) return;
  if (opaque) {
    Metafile::Shape box;
    box.kind = Metafile::Shape::Kind::Rectangle;
    box.a = Map(opaque->first);
    box.b = Map(opaque->second);
    box.fill = s_.bkColor;
    Emit(std::move(box));
  }
  if (text.empty()) return;
  Metafile::Shape s;
  s.kind = Metafile::Shape::Kind::Text;
  s.a = Map(s_.textAlign & kTextUpdateCp ? s_.current : at);
  s.text = std::move(text);
  s.font.face = s_.font.face.empty() ? std::string("Arial") : s_.font.face;
  if (s_.font.height == 0) {
    s.font.height = 16 * devicePerPixel_;
    s.font.cellHeight = true;
  } else {
    s.font.height = std::abs(s_.font.height) * HeightScale();
    s.font.cellHeight = s_.font.height > 0;
  }
  s.font.bold = s_.font.weight >= 600;
  s.font.italic = s_.font.italic;
  s.font.underline = s_.font.underline;
  s.textColor = s_.textColor;
  s.align = s_.textAlign & ~kTextUpdateCp;
  Emit(std::move(s));
}

void Gdi::Image(PointD at, PointD size, std::shared_ptr<const RasterImage> image) {
  if (!image || inPath_) return;
  PointD c[4] = {Map(at), Map({at.x + size.x, at.y}), Map({at.x, at.y + size.y}),
                 Map({at.x + size.x, at.y + size.y})};
  Metafile::Shape s;
  s.kind = Metafile::Shape::Kind::Image;
  s.a = s.b = c[0];
  for (const PointD& p : c) {
    s.a.x = std::min(s.a.x, p.x), s.a.y = std::min(s.a.y, p.y);
    s.b.x = std::max(s.b.x, p.x), s.b.y = std::max(s.b.y, p.y);
  }
  s.image = std::move(image);
  Emit(std::move(s));
}

void Gdi::PatBlt(PointD at, PointD size, uint32_t rop) {
  std::optional<ColorRef> color;
  if (rop == kPatCopy) color = CurrentFill();
  if (rop == kBlackness) color = kBlack;
  if (rop == kWhiteness) color = kWhite;
  if (!color || inPath_) return;
  Metafile::Shape s;
  s.kind = Metafile::Shape::Kind::Polygon;
  s.rings.push_back({Map(at), Map({at.x + size.x, at.y}), Map({at.x + size.x, at.y + size.y}),
                     Map({at.x, at.y + size.y})});
  if (s_.world.Axial()) {
    s.kind = Metafile::Shape::Kind::Rectangle;
    s.a = s.rings[0][0];
    s.b = s.rings[0][2];
    s.rings.clear();
  }
  s.fill = color;
  Emit(std::move(s));
}

// --- Paths -----------------------------------------------------------------------------

void Gdi::BeginPath() {
  path_.clear();
  inPath_ = true;
  figureOpen_ = false;
}

void Gdi::CloseFigure() {
  if (inPath_ && figureOpen_ && !path_.empty()) path_.back().closed = true;
  figureOpen_ = false;
}

void Gdi::AbortPath() {
  path_.clear();
  inPath_ = false;
  figureOpen_ = false;
}

void Gdi::DrawPath(bool stroke, bool fill) {
  std::vector<Figure> figures = std::move(path_);
  AbortPath();
  std::optional<Metafile::Pen> pen = stroke ? CurrentPen() : std::nullopt;
  std::optional<ColorRef> brush = fill ? CurrentFill() : std::nullopt;
  if (fill) {
    if (!pen && !brush) return;
    Metafile::Shape s;
    s.kind = Metafile::Shape::Kind::Polygon;
    for (Figure& f : figures)
      if (f.points.size() >= 2) s.rings.push_back(std::move(f.points));
    if (s.rings.empty()) return;
    s.pen = pen;
    s.fill = brush;
    s.winding = s_.winding;
    Emit(std::move(s));
    return;
  }
  if (!pen) return;
  for (Figure& f : figures) {
    if (f.points.size() < 2) continue;
    if (f.closed) f.points.push_back(f.points.front());
    Metafile::Shape s;
    s.kind = Metafile::Shape::Kind::Polyline;
    s.rings.push_back(std::move(f.points));
    s.pen = pen;
    Emit(std::move(s));
  }
}

}  // namespace bilvox::mf
