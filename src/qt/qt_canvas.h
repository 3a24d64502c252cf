// The canvas on a QPainter: the preview (a QImage), the printer (QPrinter) and PDF files
// (QPdfWriter). Windows-1250 texts become QStrings here. Fonts are set by pixel size, so the
// same request gives the same proportions on any device. Text is laid out without kerning
// or ligatures, each character at its own advance, so a width is the sum of its characters'
// advances (rounded up once) and is exactly the width the text is drawn with.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "printout/canvas.h"

namespace bilvox {

QString Cp1250ToQString(std::string_view cp1250);
// A text from Qt as Windows-1250 (characters it lacks become "?").
std::string QStringToCp1250(const QString& text);
// A colour reference 0x00BBGGRR as a QColor.
QColor ToQColor(ColorRef c);

class QtCanvas : public Canvas {
 public:
  // The painter must be active on its device for the canvas's whole life.
  explicit QtCanvas(QPainter& painter);

  void SetFont(const FontSpec& font) override;
  int TextWidth(std::string_view line) override;
  TextMetrics Metrics() override;
  void DrawText(Point at, std::string_view line, const Rect* clip = nullptr) override;
  void Rectangle(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef> fill) override;
  void Line(Point from, Point to, const Pen& pen) override;
  void Polyline(const std::vector<Point>& points, const Pen& pen) override;
  void Polygon(const std::vector<std::vector<Point>>& rings, const std::optional<Pen>& pen,
               std::optional<ColorRef> fill, bool winding) override;
  void Ellipse(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef> fill) override;
  void DrawImage(const Rect& r, const RasterImage& image) override;

 private:
  struct LoadedFont {
    QFont font;
    QFontMetricsF metrics;
    int ascent;
    int height;
    std::array<double, 256> advance;  // of each Windows-1250 byte; negative: not yet known
  };
  using FontKey = std::tuple<std::string, int, unsigned>;

  void UseShapePen(const std::optional<Pen>& pen);

  QPainter& painter_;
  bool raster_;  // drawing into pixels (an image) rather than into a vector device
  std::map<FontKey, std::unique_ptr<LoadedFont>> fonts_;
  LoadedFont* current_ = nullptr;
  const LoadedFont* painterFont_ = nullptr;
  QColor textColor_;
};

}  // namespace bilvox
