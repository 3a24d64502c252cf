#include "printout/tracing_canvas.h"

#include <cstdio>

#include "common/cp1250.h"

namespace bilvox {
namespace {

std::string ColorText(ColorRef c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

Json RectJson(const Rect& r) {
  return Json(Json::Array{Json(r.left), Json(r.top), Json(r.right), Json(r.bottom)});
}

Json PointsJson(const std::vector<Point>& points) {
  Json::Array a;
  a.reserve(points.size());
  for (const Point& p : points) a.push_back(Json(Json::Array{Json(p.x), Json(p.y)}));
  return Json(std::move(a));
}

Json PenJson(const Pen& pen) {
  Json j = Json::MakeObject();
  j.Set("color", ColorText(pen.color));
  j.Set("width", pen.width);
  return j;
}

Json StyleJson(unsigned style) {
  Json::Array a;
  if (style & kBold) a.push_back("bold");
  if (style & kItalic) a.push_back("italic");
  if (style & kUnderline) a.push_back("underline");
  return Json(std::move(a));
}

}  // namespace

const char* KindName(CanvasCall::Kind kind) {
  switch (kind) {
    case CanvasCall::Kind::Text: return "text";
    case CanvasCall::Kind::Rectangle: return "rect";
    case CanvasCall::Kind::Line: return "line";
    case CanvasCall::Kind::Polyline: return "polyline";
    case CanvasCall::Kind::Polygon: return "polygon";
    case CanvasCall::Kind::Ellipse: return "ellipse";
    case CanvasCall::Kind::Image: return "image";
  }
  return "?";
}

Json CallToJson(const CanvasCall& call) {
  using K = CanvasCall::Kind;
  Json j = Json::MakeObject();
  j.Set("kind", KindName(call.kind));
  switch (call.kind) {
    case K::Text: {
      j.Set("x", call.rect.left);
      j.Set("y", call.rect.top);
      j.Set("w", call.rect.Width());
      j.Set("h", call.rect.Height());
      j.Set("text", ToUtf8(call.text));
      Json font = Json::MakeObject();
      font.Set("face", ToUtf8(call.font.face));
      font.Set("size", call.font.points);
      font.Set("dpi", call.font.dpi);
      font.Set("px", call.font.EmPixels());
      font.Set("style", StyleJson(call.font.style));
      font.Set("color", ColorText(call.font.color));
      j.Set("font", std::move(font));
      if (call.clip) j.Set("clip", RectJson(*call.clip));
      return j;
    }
    case K::Line:
      j.Set("from", Json(Json::Array{Json(call.rect.left), Json(call.rect.top)}));
      j.Set("to", Json(Json::Array{Json(call.rect.right), Json(call.rect.bottom)}));
      break;
    case K::Polyline:
      j.Set("points", call.points.empty() ? Json::MakeArray() : PointsJson(call.points[0]));
      break;
    case K::Polygon: {
      Json::Array rings;
      for (const auto& ring : call.points) rings.push_back(PointsJson(ring));
      j.Set("rings", Json(std::move(rings)));
      j.Set("winding", call.winding);
      break;
    }
    case K::Rectangle:
    case K::Ellipse:
      j.Set("rect", RectJson(call.rect));
      break;
    case K::Image:
      j.Set("rect", RectJson(call.rect));
      j.Set("width", call.imageWidth);
      j.Set("height", call.imageHeight);
      return j;
  }
  j.Set("pen", call.pen ? PenJson(*call.pen) : Json());
  if (call.kind != K::Line && call.kind != K::Polyline)
    j.Set("fill", call.fill ? Json(ColorText(*call.fill)) : Json());
  return j;
}

std::string TracingCanvas::JsonLines() const {
  std::string out;
  for (const CanvasCall& call : calls_) {
    out += CallToJson(call).Dump();
    out += '\n';
  }
  return out;
}

CanvasCall& TracingCanvas::Record(CanvasCall::Kind kind) {
  calls_.emplace_back();
  calls_.back().kind = kind;
  return calls_.back();
}

void TracingCanvas::SetFont(const FontSpec& font) {
  font_ = font;
  inner_.SetFont(font);
}

void TracingCanvas::DrawText(Point at, std::string_view line, const Rect* clip) {
  CanvasCall& c = Record(CanvasCall::Kind::Text);
  c.rect = Rect{at.x, at.y, at.x + inner_.TextWidth(line), at.y + inner_.Metrics().height};
  c.text = std::string(line);
  c.font = font_;
  if (clip) c.clip = *clip;
  inner_.DrawText(at, line, clip);
}

void TracingCanvas::RecordBox(CanvasCall::Kind kind, const Rect& r,
                              const std::optional<Pen>& pen, std::optional<ColorRef> fill) {
  CanvasCall& c = Record(kind);
  c.rect = r;
  c.pen = pen;
  c.fill = fill;
}

void TracingCanvas::Rectangle(const Rect& r, const std::optional<Pen>& pen,
                              std::optional<ColorRef> fill) {
  RecordBox(CanvasCall::Kind::Rectangle, r, pen, fill);
  inner_.Rectangle(r, pen, fill);
}

void TracingCanvas::Line(Point from, Point to, const Pen& pen) {
  CanvasCall& c = Record(CanvasCall::Kind::Line);
  c.rect = Rect{from.x, from.y, to.x, to.y};
  c.pen = pen;
  inner_.Line(from, to, pen);
}

void TracingCanvas::Polyline(const std::vector<Point>& points, const Pen& pen) {
  CanvasCall& c = Record(CanvasCall::Kind::Polyline);
  c.points = {points};
  c.pen = pen;
  inner_.Polyline(points, pen);
}

void TracingCanvas::Polygon(const std::vector<std::vector<Point>>& rings,
                            const std::optional<Pen>& pen, std::optional<ColorRef> fill,
                            bool winding) {
  CanvasCall& c = Record(CanvasCall::Kind::Polygon);
  c.points = rings;
  c.pen = pen;
  c.fill = fill;
  c.winding = winding;
  inner_.Polygon(rings, pen, fill, winding);
}

void TracingCanvas::Ellipse(const Rect& r, const std::optional<Pen>& pen,
                            std::optional<ColorRef> fill) {
  RecordBox(CanvasCall::Kind::Ellipse, r, pen, fill);
  inner_.Ellipse(r, pen, fill);
}

void TracingCanvas::DrawImage(const Rect& r, const RasterImage& image) {
  CanvasCall& c = Record(CanvasCall::Kind::Image);
  c.rect = r;
  c.imageWidth = image.width;
  c.imageHeight = image.height;
  inner_.DrawImage(r, image);
}

}  // namespace bilvox
