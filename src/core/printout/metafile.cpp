#include "printout/metafile.h"

#include <algorithm>
#include <cmath>

#include "common/cp1250.h"
#include "common/error.h"
#include "document/picture.h"
#include "printout/metafile_gdi.h"

namespace bilvox {
namespace {

[[noreturn]] void BadFormat() { throw Error(std::string("Nieprawidłowy format pliku."_cp)); }

// To whole pixels, kept within a range where sums and differences cannot overflow.
int Round(double v) {
  constexpr double kLimit = 1'000'000;
  if (!(std::abs(v) < kLimit)) return v < 0 ? -int(kLimit) : int(kLimit);
  return static_cast<int>(std::lround(v));
}

Rect Normalized(Point a, Point b) {
  return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

std::shared_ptr<const Metafile> Metafile::Parse(std::string_view bytes) {
  Metafile m;
  try {
    m = mf::IsEmf(bytes) ? mf::ReadEmf(bytes) : mf::ReadWmf(bytes);
  } catch (const Error&) {
    BadFormat();
  }
  if (!(m.frameWidth > 0 && m.frameHeight > 0 && m.naturalWidth > 0 && m.naturalHeight > 0) ||
      !std::isfinite(m.frameLeft) || !std::isfinite(m.frameTop) ||
      !std::isfinite(m.frameWidth) || !std::isfinite(m.frameHeight))
    BadFormat();
  return std::make_shared<const Metafile>(std::move(m));
}

Picture DecodeMetafile(std::string_view bytes) {
  std::shared_ptr<const Metafile> m = Metafile::Parse(bytes);
  // The natural size decides the logo's proportions: keep at least one pixel each way.
  int w = std::clamp(Round(m->naturalWidth), 1, 1'000'000);
  int h = std::clamp(Round(m->naturalHeight), 1, 1'000'000);
  return Picture::FromMetafile(std::move(m), w, h);
}

void PlayMetafile(Canvas& canvas, const Metafile& m, const Rect& dest) {
  if (dest.Width() <= 0 || dest.Height() <= 0) return;
  const double sx = dest.Width() / m.frameWidth;
  const double sy = dest.Height() / m.frameHeight;
  const double penScale = (sx + sy) / 2;
  // Pens and letters larger than the whole picture come only from damaged files.
  const int largest = std::max(dest.Width(), dest.Height());
  auto map = [&](PointD p) {
    return Point{dest.left + Round((p.x - m.frameLeft) * sx), dest.top + Round((p.y - m.frameTop) * sy)};
  };
  auto mapAll = [&](const std::vector<PointD>& pts) {
    std::vector<Point> out;
    out.reserve(pts.size());
    for (PointD p : pts) {
      Point q = map(p);
      if (out.empty() || !(out.back() == q)) out.push_back(q);
    }
    return out;
  };
  auto pen = [&](const std::optional<Metafile::Pen>& p) -> std::optional<Pen> {
    if (!p) return std::nullopt;
    return Pen{p->color, p->cosmetic ? 1 : std::clamp(Round(p->width * penScale), 1, largest)};
  };

  using Kind = Metafile::Shape::Kind;
  for (const Metafile::Shape& s : m.shapes) {
    switch (s.kind) {
      case Kind::Polyline: {
        std::vector<Point> pts = mapAll(s.rings[0]);
        if (pts.size() >= 2 && s.pen) canvas.Polyline(pts, *pen(s.pen));
        break;
      }
      case Kind::Polygon: {
        std::vector<std::vector<Point>> rings;
        for (const auto& ring : s.rings) {
          std::vector<Point> pts = mapAll(ring);
          if (pts.size() >= 2) rings.push_back(std::move(pts));
        }
        if (!rings.empty()) canvas.Polygon(rings, pen(s.pen), s.fill, s.winding);
        break;
      }
      case Kind::Rectangle:
      case Kind::Ellipse:
      case Kind::Image: {
        Rect r = Normalized(map(s.a), map(s.b));
        if (r.Width() <= 0 || r.Height() <= 0) break;
        if (s.kind == Kind::Rectangle) canvas.Rectangle(r, pen(s.pen), s.fill);
        else if (s.kind == Kind::Ellipse) canvas.Ellipse(r, pen(s.pen), s.fill);
        else canvas.DrawImage(r, *s.image);
        break;
      }
      case Kind::Text: {
        FontSpec font;
        font.face = s.font.face;
        font.dpi = 72;  // sizes below are device pixels
        font.points = Round(s.font.height * sy);
        font.style = (s.font.bold ? unsigned{kBold} : 0u) | (s.font.italic ? unsigned{kItalic} : 0u) |
                     (s.font.underline ? unsigned{kUnderline} : 0u);
        font.color = s.textColor;
        if (font.points < 1 || font.points > 2 * largest) break;
        canvas.SetFont(font);
        if (s.font.cellHeight) {
          // The height given is the whole line's: scale the characters to fit it.
          int line = canvas.Metrics().height;
          if (line > 0 && line != font.points) {
            font.points = std::max(1, Round(double(font.points) * font.points / line));
            canvas.SetFont(font);
          }
        }
        Point at = map(s.a);
        TextMetrics tm = canvas.Metrics();
        if ((s.align & Metafile::kAlignCenter) == Metafile::kAlignCenter)
          at.x -= canvas.TextWidth(s.text) / 2;
        else if (s.align & Metafile::kAlignRight)
          at.x -= canvas.TextWidth(s.text);
        if ((s.align & Metafile::kAlignBaseline) == Metafile::kAlignBaseline)
          at.y -= tm.ascent;
        else if (s.align & Metafile::kAlignBottom)
          at.y -= tm.height;
        canvas.DrawText(at, s.text);
        break;
      }
    }
  }
}

}  // namespace bilvox
