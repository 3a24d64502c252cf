// A canvas wrapper that records every drawing call (not the measuring ones) before passing
// it on, for layout tests and for the command-line trace of a rendered page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/json.h"
#include "printout/canvas.h"

namespace bilvox {

struct CanvasCall {
  enum class Kind { Text, Rectangle, Line, Polyline, Polygon, Ellipse, Image };
  Kind kind = Kind::Text;
  // Text: the line's box (x, y, x + width, y + line height); rectangle, ellipse and image:
  // the rectangle; line: from (left, top) to (right, bottom).
  Rect rect;
  std::vector<std::vector<Point>> points;  // polyline: one list; polygon: its rings
  std::string text;                        // Windows-1250
  FontSpec font;                           // text only
  std::optional<Rect> clip;                // text only
  std::optional<Pen> pen;
  std::optional<ColorRef> fill;
  bool winding = false;                    // polygon only
  int imageWidth = 0;                      // image only: its own size
  int imageHeight = 0;
};

// "text", "rect", "line", "polyline", "polygon", "ellipse", "image".
const char* KindName(CanvasCall::Kind kind);
// One call as a JSON object (UTF-8 text, colours as "#rrggbb").
Json CallToJson(const CanvasCall& call);

class TracingCanvas : public Canvas {
 public:
  explicit TracingCanvas(Canvas& inner) : inner_(inner) {}

  const std::vector<CanvasCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }
  // Every call recorded so far as JSON objects, one per line.
  std::string JsonLines() const;

  void SetFont(const FontSpec& font) override;
  int TextWidth(std::string_view line) override { return inner_.TextWidth(line); }
  TextMetrics Metrics() override { return inner_.Metrics(); }
  void DrawText(Point at, std::string_view line, const Rect* clip = nullptr) override;
  void Rectangle(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef> fill) override;
  void Line(Point from, Point to, const Pen& pen) override;
  void Polyline(const std::vector<Point>& points, const Pen& pen) override;
  void Polygon(const std::vector<std::vector<Point>>& rings, const std::optional<Pen>& pen,
               std::optional<ColorRef> fill, bool winding) override;
  void Ellipse(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef> fill) override;
  void DrawImage(const Rect& r, const RasterImage& image) override;

 private:
  CanvasCall& Record(CanvasCall::Kind kind);
  void RecordBox(CanvasCall::Kind kind, const Rect& r, const std::optional<Pen>& pen,
                 std::optional<ColorRef> fill);

  Canvas& inner_;
  FontSpec font_;
  std::vector<CanvasCall> calls_;
};

}  // namespace bilvox
