// A canvas with fixed, predictable metrics that records what is drawn, so layout can be
// checked to the pixel without fonts. With em = the font's character height in pixels
// (points × dpi / 72, rounded): every byte of text is CharWidth(em) = em × 0.6 (rounded,
// halves up) wide, a line is em high and its baseline lies em × 0.8 (truncated) below
// its top. At 720 dpi a 7 pt font is 70 pixels high and every character 42 pixels wide.
#pragma once

#include <string_view>
#include <vector>

#include "printout/tracing_canvas.h"

namespace bilvox {

// The metrics alone; draws nothing.
class FixedMetricsCanvas : public Canvas {
 public:
  static int CharWidth(int em) { return static_cast<int>((em * 6LL + 5) / 10); }

  void SetFont(const FontSpec& font) override { em_ = font.EmPixels(); }
  int TextWidth(std::string_view line) override {
    return static_cast<int>(static_cast<long long>(line.size()) * CharWidth(em_));
  }
  TextMetrics Metrics() override { return TextMetrics{em_, static_cast<int>(em_ * 4LL / 5)}; }
  void DrawText(Point, std::string_view, const Rect*) override {}
  void Rectangle(const Rect&, const std::optional<Pen>&, std::optional<ColorRef>) override {}
  void Line(Point, Point, const Pen&) override {}
  void Polyline(const std::vector<Point>&, const Pen&) override {}
  void Polygon(const std::vector<std::vector<Point>>&, const std::optional<Pen>&,
               std::optional<ColorRef>, bool) override {}
  void Ellipse(const Rect&, const std::optional<Pen>&, std::optional<ColorRef>) override {}
  void DrawImage(const Rect&, const RasterImage&) override {}

 private:
  int em_ = FontSpec{}.EmPixels();
};

namespace detail {
struct FixedMetricsMember {
  FixedMetricsCanvas metrics;
};
}  // namespace detail

class TestCanvas : private detail::FixedMetricsMember, public TracingCanvas {
 public:
  TestCanvas() : TracingCanvas(metrics) {}

  // The recorded text calls, in drawing order.
  std::vector<const CanvasCall*> Texts() const;
  // The first text call drawing exactly this (Windows-1250) text, or nullptr.
  const CanvasCall* FindText(std::string_view text) const;
};

}  // namespace bilvox
