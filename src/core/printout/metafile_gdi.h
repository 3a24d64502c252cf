// The drawing state a WMF or EMF picture's records act on, shared by the two readers. It
// turns the records' logical coordinates into the picture's reference space and collects
// the shapes. Not a public interface: only metafile*.cpp include it.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/binio.h"
#include "printout/metafile.h"

namespace bilvox::mf {

// Map modes, polygon fill modes and raster operations of the system's drawing interface.
enum MapMode { kMmText = 1, kMmLoMetric, kMmHiMetric, kMmLoEnglish, kMmHiEnglish, kMmTwips,
               kMmIsotropic, kMmAnisotropic };
inline constexpr int kWinding = 2;
inline constexpr uint32_t kPatCopy = 0x00F00021, kBlackness = 0x00000042,
                          kWhiteness = 0x00FF0062;
inline constexpr unsigned kTextUpdateCp = 1;

// Reading helpers over a record's bytes; a read past the record's end throws Error.
inline int16_t I16(ByteReader& r) { return static_cast<int16_t>(r.U16()); }
float F32(ByteReader& r);
// A colour reference without its palette flags.
inline ColorRef Color(uint32_t v) { return v & 0xFFFFFF; }
// Bytes from `offset` of a record; throws Error when they are not all inside it.
std::string_view Slice(std::string_view record, uint64_t offset, uint64_t size);
// The source rectangle of a bitmap record: x, y, width, height; y counted from the bottom
// when `fromBottom` and the rows are stored bottom-up.
struct SourceRect {
  SourceRect(int64_t x, int64_t y, int64_t w, int64_t h, bool fromBottom)
      : x(x), y(y), width(w < 0 ? -w : w), height(h < 0 ? -h : h), fromBottom(fromBottom) {}
  int64_t x, y, width, height;  // a negative size (a mirrored copy) counts as its magnitude
  bool fromBottom;
};

struct Xform {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  PointD Apply(PointD p) const { return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
  // This transform followed by `next`.
  Xform Then(const Xform& next) const;
  bool Axial() const { return m12 == 0 && m21 == 0; }
};

struct LogPen {
  bool null = false;
  ColorRef color = kBlack;
  double width = 0;  // logical units; 0 draws one device pixel
  bool cosmetic = true;
};
struct LogBrush {
  bool null = false;
  ColorRef color = kWhite;
};
struct LogFont {
  std::string face = "Arial";
  double height = 0;  // logical; negative: character height, positive: line height
  int weight = 400;
  bool italic = false;
  bool underline = false;
};

struct GdiObject {
  enum class Type { Pen, Brush, Font, Other };
  Type type = Type::Other;
  LogPen pen;
  LogBrush brush;
  LogFont font;
};

// A pen of the given style (5: none), width in logical units (0: one pixel) and colour.
GdiObject PenObject(uint32_t style, double width, bool cosmetic, ColorRef color);
// A font from the picture's logical font record: 16-bit fields and a single-byte face
// name in WMF, 32-bit fields and a UTF-16 face name in EMF (`wide`).
GdiObject ReadFontObject(ByteReader& r, bool wide);
// UTF-16LE text as Windows-1250, "?" for what that cannot hold.
std::string Utf16ToCp1250(std::string_view bytes);
// A brush of the given style: solid (0) and hatched (2) brushes fill in their colour;
// hollow and pattern brushes do not fill.
GdiObject BrushObject(uint32_t style, ColorRef color);

class Gdi {
 public:
  // WMF: the logical window is mapped onto a viewport of the window's own size, so the
  // reference space is the first window's area, (0, 0) to its extent. EMF: the reference
  // space is the pixels of the device the picture was recorded on.
  static Gdi ForWmf();
  static Gdi ForEmf(double pixelsPerMmX, double pixelsPerMmY);

  // WMF with the placeable header: its bounding box is the initial window; so many of its
  // units make one pixel at 96 dpi.
  void SetWmfWindow(PointD origin, PointD extent, double unitsPerPixel);
  // WMF: the reference area, once the picture has set its window (or had the header's).
  std::optional<PointD> WmfArea() const { return wmfArea_; }

  // Objects. EMF gives the slot; WMF takes the lowest free one below the table's size.
  void CreateObject(uint32_t index, GdiObject object);
  void CreateWmfObject(GdiObject object);
  void SetWmfTableSize(uint32_t size) { wmfTableSize_ = size; }
  void SelectObject(uint32_t index);
  void SelectStockObject(uint32_t stock);
  void DeleteObject(uint32_t index);

  // State.
  void SetMapMode(int mode);
  void SetWindowOrg(PointD p) { s_.winOrg = p; }
  void SetWindowExt(PointD e);
  void SetViewportOrg(PointD p);
  void SetViewportExt(PointD e);
  void OffsetWindowOrg(PointD d) { s_.winOrg.x += d.x, s_.winOrg.y += d.y; }
  void OffsetViewportOrg(PointD d);
  void ScaleWindowExt(double xNum, double xDen, double yNum, double yDen);
  void ScaleViewportExt(double xNum, double xDen, double yNum, double yDen);
  void SetWorldTransform(const Xform& x) { s_.world = x; }
  void ModifyWorldTransform(const Xform& x, uint32_t mode);
  void SaveDC();
  void RestoreDC(int which);
  void SetTextColor(ColorRef c) { s_.textColor = c; }
  void SetBkColor(ColorRef c) { s_.bkColor = c; }
  void SetTextAlign(unsigned a) { s_.textAlign = a; }
  void SetPolyFillMode(int mode) { s_.winding = mode == kWinding; }

  // Drawing, in logical coordinates.
  void MoveTo(PointD p);
  void LineTo(PointD p);
  void Polyline(const std::vector<PointD>& points);
  void PolylineTo(const std::vector<PointD>& points);
  void PolyBezier(const std::vector<PointD>& points);
  void PolyBezierTo(const std::vector<PointD>& points);
  void Polygon(const std::vector<std::vector<PointD>>& rings);
  void PolyPolyline(const std::vector<std::vector<PointD>>& lines);
  void Rectangle(PointD a, PointD b);
  void RoundRect(PointD a, PointD b, PointD corner);
  void Ellipse(PointD a, PointD b);
  enum class ArcKind { Arc, Chord, Pie };
  void Arc(ArcKind kind, PointD a, PointD b, PointD start, PointD end);
  // Text at the point (or at the current position when the alignment says so); `opaque`
  // is a rectangle filled with the background colour first.
  void Text(PointD at, std::string text, const std::optional<std::pair<PointD, PointD>>& opaque);
  void Image(PointD at, PointD size, std::shared_ptr<const RasterImage> image);
  // A device-independent bitmap (header with colour table, and the pixel rows) as a raster
  // image, cut to the source rectangle when one is given. Null when it cannot be decoded,
  // or when the picture's bitmaps together would exceed the pixels one picture may have:
  // the picture is then drawn without it.
  std::shared_ptr<const RasterImage> DecodeDib(std::string_view header, std::string_view bits,
                                               const std::optional<SourceRect>& source);
  // A packed DIB (header, colour table and rows in one block) split and decoded likewise.
  std::shared_ptr<const RasterImage> DecodePackedDib(std::string_view dib,
                                                     const std::optional<SourceRect>& source);
  // A rectangle painted by a raster operation without a source bitmap.
  void PatBlt(PointD at, PointD size, uint32_t rop);

  // Paths.
  void BeginPath();
  void EndPath() { inPath_ = false; }
  void CloseFigure();
  void AbortPath();
  void FillPath() { DrawPath(false, true); }
  void StrokePath() { DrawPath(true, false); }
  void StrokeAndFillPath() { DrawPath(true, true); }

  std::vector<Metafile::Shape> TakeShapes() { return std::move(shapes_); }
  const std::vector<Metafile::Shape>& Shapes() const { return shapes_; }

 private:
  struct State {
    LogPen pen;
    LogBrush brush;
    LogFont font;
    ColorRef textColor = kBlack;
    ColorRef bkColor = kWhite;
    unsigned textAlign = 0;
    bool winding = false;
    int mapMode = kMmText;
    PointD winOrg{0, 0}, winExt{1, 1}, vpOrg{0, 0}, vpExt{1, 1};
    Xform world;
    PointD current{0, 0};
  };
  struct Figure {
    std::vector<PointD> points;  // reference space
    bool closed = false;
  };

  explicit Gdi(bool wmf) : wmf_(wmf) {}
  void Select(const GdiObject& object);
  // Logical coordinates to the reference space.
  PointD Map(PointD p) const;
  void Factors(double& sx, double& sy) const;
  double LengthScale() const;  // for pen widths
  double HeightScale() const;  // for font heights
  std::optional<Metafile::Pen> CurrentPen() const;
  std::optional<ColorRef> CurrentFill() const;
  bool Spend(size_t points);
  void Emit(Metafile::Shape shape);
  void EmitPolyline(std::vector<PointD> mapped);
  // Open lines in reference coordinates: within a path a figure of their own (`continues`
  // false) or the continuation of the current figure, outside a path a polyline.
  void Lines(std::vector<PointD> mapped, bool continues);
  // A rectangle or ellipse between two logical corners.
  void Box(Metafile::Shape::Kind kind, PointD a, PointD b);
  // A closed outline given in logical coordinates: a path figure or a filled polygon.
  void ClosedShape(const std::vector<PointD>& logical);
  void AddToFigure(const std::vector<PointD>& mapped);
  void DrawPath(bool stroke, bool fill);
  std::vector<PointD> FlattenBeziers(PointD start, const std::vector<PointD>& controls) const;

  bool wmf_;
  double pxPerMmX_ = 96 / 25.4, pxPerMmY_ = 96 / 25.4;
  std::optional<PointD> wmfArea_;
  State s_;
  std::vector<State> saved_;
  std::map<uint32_t, GdiObject> objects_;
  uint32_t wmfTableSize_ = 0;
  uint32_t nextSlot_ = 0;           // WMF: slots below it have been used
  std::set<uint32_t> freeSlots_;    // WMF: used slots freed again
  double devicePerPixel_ = 1;       // reference units per pixel at 96 dpi
  bool inPath_ = false;
  bool figureOpen_ = false;
  std::vector<Figure> path_;
  std::vector<Metafile::Shape> shapes_;
  size_t pointBudget_;
  uint64_t pixelBudget_;  // pixels the picture's bitmaps may still decode into
};

// The readers: each throws Error on data it cannot read.
Metafile ReadWmf(std::string_view bytes);
Metafile ReadEmf(std::string_view bytes);
bool IsEmf(std::string_view bytes);

}  // namespace bilvox::mf
