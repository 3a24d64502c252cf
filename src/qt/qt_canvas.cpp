#include "qt_canvas.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "common/cp1250.h"

namespace bilvox {

QString Cp1250ToQString(std::string_view cp1250) {
  QString s(static_cast<qsizetype>(cp1250.size()), Qt::Uninitialized);
  QChar* out = s.data();
  for (unsigned char b : cp1250) *out++ = QChar(static_cast<char16_t>(Cp1250ToUnicode(b)));
  return s;
}

std::string QStringToCp1250(const QString& text) {
  return FromUtf8Lossy(text.toUtf8().toStdString());
}

QColor ToQColor(ColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter) {
  QPaintEngine* engine = painter_.paintEngine();
  raster_ = engine && engine->type() == QPaintEngine::Raster;
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  SetFont(FontSpec{});
}

void QtCanvas::SetFont(const FontSpec& spec) {
  const int px = std::max(1, spec.EmPixels());
  FontKey key{spec.face, px, spec.style};
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    QFont font(Cp1250ToQString(spec.face));
    font.setPixelSize(px);
    font.setBold(spec.style & kBold);
    font.setItalic(spec.style & kItalic);
    font.setUnderline(spec.style & kUnderline);
    // Horizontal advances unhinted: widths scale with the size on every device. No
    // shaping: every character stands at its own advance.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    QFontMetricsF metrics(font, painter_.device());
    int ascent = static_cast<int>(std::lround(metrics.ascent()));
    int height = ascent + static_cast<int>(std::lround(metrics.descent()));
    auto loaded = std::unique_ptr<LoadedFont>(new LoadedFont{font, metrics, ascent, height, {}});
    loaded->advance.fill(-1);
    it = fonts_.emplace(std::move(key), std::move(loaded)).first;
  }
  current_ = it->second.get();
  textColor_ = ToQColor(spec.color);
}

int QtCanvas::TextWidth(std::string_view line) {
  if (line.empty()) return 0;
  double w = 0;
  for (unsigned char b : line) {
    double& a = current_->advance[b];
    if (a < 0) a = current_->metrics.horizontalAdvance(QChar(static_cast<char16_t>(Cp1250ToUnicode(b))));
    w += a;
  }
  // Rounded up, so a text ending at a box's edge stays inside it.
  return static_cast<int>(std::ceil(w - 0.01));
}

TextMetrics QtCanvas::Metrics() { return TextMetrics{current_->height, current_->ascent}; }

void QtCanvas::DrawText(Point at, std::string_view line, const Rect* clip) {
  if (line.empty()) return;
  if (painterFont_ != current_) {
    painter_.setFont(current_->font);
    painterFont_ = current_;
  }
  painter_.setPen(textColor_);
  const QPointF baseline(at.x, at.y + current_->ascent);
  if (clip) {
    painter_.save();
    painter_.setClipRect(QRect(clip->left, clip->top, clip->Width(), clip->Height()),
                         Qt::IntersectClip);
    painter_.drawText(baseline, Cp1250ToQString(line));
    painter_.restore();
  } else {
    painter_.drawText(baseline, Cp1250ToQString(line));
  }
}

void QtCanvas::Rectangle(const Rect& r, const std::optional<Pen>& pen,
                         std::optional<ColorRef> fill) {
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  if (fill) painter_.fillRect(QRect(r.left, r.top, w, h), ToQColor(*fill));
  if (!pen) return;
  // The outline covers the border pixels inward, as wide as the pen.
  const int pw = std::max(1, pen->width);
  const QColor c = ToQColor(pen->color);
  if (2 * pw >= w || 2 * pw >= h) {
    painter_.fillRect(QRect(r.left, r.top, w, h), c);
    return;
  }
  painter_.fillRect(QRect(r.left, r.top, w, pw), c);
  painter_.fillRect(QRect(r.left, r.bottom - pw, w, pw), c);
  painter_.fillRect(QRect(r.left, r.top + pw, pw, h - 2 * pw), c);
  painter_.fillRect(QRect(r.right - pw, r.top + pw, pw, h - 2 * pw), c);
}

void QtCanvas::Line(Point from, Point to, const Pen& pen) {
  const int pw = std::max(1, pen.width);
  const QColor c = ToQColor(pen.color);
  // Horizontal and vertical lines are exact pixel runs without their end point.
  if (from.y == to.y && from.x != to.x) {
    int x0 = from.x < to.x ? from.x : to.x + 1;
    painter_.fillRect(QRect(x0, from.y - (pw - 1) / 2, std::abs(to.x - from.x), pw), c);
    return;
  }
  if (from.x == to.x && from.y != to.y) {
    int y0 = from.y < to.y ? from.y : to.y + 1;
    painter_.fillRect(QRect(from.x - (pw - 1) / 2, y0, pw, std::abs(to.y - from.y)), c);
    return;
  }
  if (from == to) return;
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setPen(QPen(c, pw, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter_.drawLine(QPointF(from.x + 0.5, from.y + 0.5), QPointF(to.x + 0.5, to.y + 0.5));
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::UseShapePen(const std::optional<Pen>& pen) {
  if (pen) painter_.setPen(QPen(ToQColor(pen->color), std::max(1, pen->width), Qt::SolidLine,
                                Qt::RoundCap, Qt::RoundJoin));
  else painter_.setPen(Qt::NoPen);
}

void QtCanvas::Polyline(const std::vector<Point>& points, const Pen& pen) {
  if (points.size() < 2) return;
  QPolygonF poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) poly.append(QPointF(p.x + 0.5, p.y + 0.5));
  painter_.setRenderHint(QPainter::Antialiasing, true);
  UseShapePen(pen);
  painter_.drawPolyline(poly);
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::Polygon(const std::vector<std::vector<Point>>& rings, const std::optional<Pen>& pen,
                       std::optional<ColorRef> fill, bool winding) {
  if (!pen && !fill) return;
  QPainterPath path;
  path.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
  for (const auto& ring : rings) {
    if (ring.size() < 2) continue;
    path.moveTo(ring[0].x, ring[0].y);
    for (size_t i = 1; i < ring.size(); ++i) path.lineTo(ring[i].x, ring[i].y);
    path.closeSubpath();
  }
  painter_.setRenderHint(QPainter::Antialiasing, true);
  UseShapePen(pen);
  painter_.setBrush(fill ? QBrush(ToQColor(*fill)) : QBrush(Qt::NoBrush));
  painter_.drawPath(path);
  painter_.setBrush(Qt::NoBrush);
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::Ellipse(const Rect& r, const std::optional<Pen>& pen, std::optional<ColorRef> fill) {
  if (r.Width() <= 0 || r.Height() <= 0 || (!pen && !fill)) return;
  // The outline is kept inside the rectangle.
  const double inset = pen ? std::max(1, pen->width) / 2.0 : 0;
  painter_.setRenderHint(QPainter::Antialiasing, true);
  UseShapePen(pen);
  painter_.setBrush(fill ? QBrush(ToQColor(*fill)) : QBrush(Qt::NoBrush));
  painter_.drawEllipse(QRectF(r.left + inset, r.top + inset, r.Width() - 2 * inset,
                              r.Height() - 2 * inset));
  painter_.setBrush(Qt::NoBrush);
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::DrawImage(const Rect& r, const RasterImage& image) {
  if (r.Width() <= 0 || r.Height() <= 0 || image.width <= 0 || image.height <= 0 ||
      image.pixels.size() < static_cast<size_t>(image.width) * image.height)
    return;
  const QImage source(reinterpret_cast<const uchar*>(image.pixels.data()), image.width,
                      image.height, image.width * 4, QImage::Format_ARGB32);
  const QRect target(r.left, r.top, r.Width(), r.Height());
  if (raster_) {
    // Scaled with filtering over the whole source, so a large logo shrinks smoothly.
    painter_.drawImage(target.topLeft(), source.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation));
  } else {
    // Printers and PDF files receive the picture itself and scale it at their resolution.
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(QRectF(target), source);
  }
}

}  // namespace bilvox
