// A canvas with fixed metrics that draws nothing but checks every call: whatever a file
// holds, what reaches a real canvas (the screen, a printer, a PDF) keeps its coordinates,
// pen widths and letter sizes far from the limits of 32-bit device arithmetic, and every
// picture handed over is consistent with its own size.
#pragma once

#include <cstdlib>

#include "printout/test_canvas.h"
#include "support/fuzz_support.h"

namespace bilvox::fuzz {

class CheckingCanvas : public FixedMetricsCanvas {
 public:
  // Coordinates a caller may produce, with room for the page and its offsets.
  static constexpr int kLimit = 4'000'000;

  void SetFont(const FontSpec& font) override {
    const int em = font.EmPixels();
    Require(em > -kLimit && em < kLimit, "a letter size beyond any page");
    FixedMetricsCanvas::SetFont(font);
  }
  void DrawText(Point at, std::string_view, const Rect* clip) override {
    if (clip) CheckRect(*clip);
  }
  void Rectangle(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef>) override {
    CheckRect(r);
    CheckPen(pen);
  }
  void Line(Point from, Point to, const Pen& pen) override {
    CheckPoint(from);
    CheckPoint(to);
    CheckPen(pen);
  }
  void Polyline(const std::vector<Point>& points, const Pen& pen) override {
    Require(points.size() >= 2, "a polyline of fewer than two points");
    for (Point p : points) CheckPoint(p);
    CheckPen(pen);
  }
  void Polygon(const std::vector<std::vector<Point>>& rings, const std::optional<Pen>& pen,
               std::optional<ColorRef> fill, bool) override {
    Require(!rings.empty(), "a polygon without rings");
    Require(pen || fill, "a polygon drawn with neither pen nor fill");
    for (const auto& ring : rings)
      for (Point p : ring) CheckPoint(p);
    CheckPen(pen);
  }
  void Ellipse(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef>) override {
    CheckRect(r);
    CheckPen(pen);
  }
  void DrawImage(const Rect& r, const RasterImage& image) override {
    CheckRect(r);
    CheckImage(image);
  }

  static void CheckImage(const RasterImage& image) {
    Require(image.width > 0 && image.height > 0, "a picture without pixels");
    Require(static_cast<int64_t>(image.width) * image.height <= kMaxPicturePixels,
            "a picture beyond the size limit");
    Require(image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height),
            "a picture's pixels do not match its size");
  }

 private:
  static void CheckPoint(Point p) {
    Require(std::abs(p.x) < kLimit && std::abs(p.y) < kLimit, "a coordinate beyond any page");
  }
  static void CheckRect(const Rect& r) {
    CheckPoint({r.left, r.top});
    CheckPoint({r.right, r.bottom});
  }
  static void CheckPen(const std::optional<Pen>& pen) {
    if (pen) Require(pen->width >= 0 && pen->width < kLimit, "a pen wider than any page");
  }
};

}  // namespace bilvox::fuzz
