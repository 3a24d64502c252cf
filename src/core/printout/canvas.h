// The surface the printed page is drawn on: the screen preview, the printer and PDF files
// all implement this one small interface. Coordinates are device pixels from the top-left
// corner, y growing downwards; texts are Windows-1250.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/picture.h"

namespace bilvox {

// A colour 0x00BBGGRR, as the settings store keeps colours.
using ColorRef = uint32_t;
inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// A rectangle whose right and bottom edges are exclusive: (0, 0, 10, 5) covers the pixels
// with x 0..9 and y 0..4.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

enum FontStyle : unsigned { kBold = 1, kItalic = 2, kUnderline = 4 };

// A font request. The character height (em) in device pixels is points × dpi / 72, rounded;
// a size already in device pixels is given as points = pixels with dpi = 72.
struct FontSpec {
  std::string face = "Arial";  // Windows-1250
  int points = 10;
  int dpi = 96;
  unsigned style = 0;          // FontStyle bits
  ColorRef color = kBlack;

  int EmPixels() const;
  bool operator==(const FontSpec&) const = default;
};

// A solid pen; width in device pixels (at least one pixel is drawn).
struct Pen {
  ColorRef color = kBlack;
  int width = 1;
  bool operator==(const Pen&) const = default;
};

struct TextMetrics {
  int height = 0;  // line height: ascent + descent
  int ascent = 0;  // from the top of the line to the baseline
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Text: one line at a time, drawn without background. Wrapping is done by the caller.
  virtual void SetFont(const FontSpec& font) = 0;
  // Advance width of one line of text in the current font, whole pixels.
  virtual int TextWidth(std::string_view line) = 0;
  virtual TextMetrics Metrics() = 0;
  // Draws one line with the top of its line box at `at`; clipped to `clip` when given.
  virtual void DrawText(Point at, std::string_view line, const Rect* clip = nullptr) = 0;

  // Shapes. A rectangle without pen is filled exactly over its pixels; with a pen its
  // outline lies on its border pixels and the fill inside. A line leaves out its end point.
  virtual void Rectangle(const Rect& r, const std::optional<Pen>& pen,
                         std::optional<ColorRef> fill) = 0;
  virtual void Line(Point from, Point to, const Pen& pen) = 0;
  virtual void Polyline(const std::vector<Point>& points, const Pen& pen) = 0;
  // One or more closed rings filled together; `winding` chooses the non-zero fill rule
  // (else even-odd, so inner rings make holes).
  virtual void Polygon(const std::vector<std::vector<Point>>& rings, const std::optional<Pen>& pen,
                       std::optional<ColorRef> fill, bool winding) = 0;
  virtual void Ellipse(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef> fill) = 0;
  // A raster picture stretched into the rectangle.
  virtual void DrawImage(const Rect& r, const RasterImage& image) = 0;

  void FillRect(const Rect& r, ColorRef color) { Rectangle(r, std::nullopt, color); }
  // Any picture stretched into the rectangle: a raster one as an image, a vector one played
  // back record by record on this canvas. The current font is changed by vector pictures.
  void DrawPicture(const Rect& r, const Picture& picture);
};

}  // namespace bilvox
