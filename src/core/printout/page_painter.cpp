#include "printout/page_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace bilvox {

PagePainter::PagePainter(Canvas& canvas, int dpi, const TAppSettings& settings)
    : canvas_(canvas), dpi_(dpi), settings_(settings) {
  // However the settings were made, the page's arithmetic stays within its limits.
  settings_.KeepInRange();
  SetFont(10);
}

void PagePainter::SetFont(int points, ColorRef color, unsigned style) {
  const int64_t scaled = int64_t{points} * (settings_.FontSizeDelta + 10) / 10;
  const int size = static_cast<int>(std::clamp<int64_t>(scaled, 1, 1 << 16));
  font_ = FontSpec{settings_.FontName, size, dpi_, style, color};
  canvas_.SetFont(font_);
}

int PagePainter::LineHeight() { return canvas_.Metrics().height; }

int PagePainter::DrawLines(const std::vector<WrappedLine>& lines, const Rect& box, HAlign align) {
  const int lh = LineHeight();
  int y = box.top;
  for (const WrappedLine& line : lines) {
    if (y >= box.bottom) break;  // below the box: measured, not drawn
    if (!line.text.empty()) {
      int x = box.left;
      if (align == HAlign::Right) x = box.right - line.width;
      if (align == HAlign::Center) x = box.left + (box.Width() - line.width) / 2;
      bool inside = x >= box.left && x + line.width <= box.right && y + lh <= box.bottom;
      canvas_.DrawText({x, y}, line.text, inside ? nullptr : &box);
    }
    y += lh;
  }
  return static_cast<int>(lines.size()) * lh;
}

int PagePainter::TextBlock(int x, int y, HAlign align, std::string_view text, int w) {
  int left = x, right = x + w;
  if (align == HAlign::Right) left = x - w, right = x;
  if (align == HAlign::Center) left = x - w / 2, right = x + w / 2;
  Rect box{std::max(left, area_.left), y, std::min(right, area_.right), area_.bottom};
  return y + DrawLines(WrapText(canvas_, text, box.Width()), box, align);
}

int PagePainter::MeasureWidth(std::string_view text) {
  int widest = 0;
  for (const WrappedLine& line : WrapText(canvas_, text, area_.Width()))
    widest = std::max(widest, line.width);
  return widest;
}

int PagePainter::MeasureHeight(std::string_view text, int w) {
  if (w <= 0) w = area_.Width();
  return static_cast<int>(WrapText(canvas_, text, w).size()) * LineHeight();
}

int PagePainter::CellText(const Rect& r, std::string_view text, VAlign v, HAlign h, int inset) {
  std::vector<WrappedLine> lines = WrapText(canvas_, text, r.Width() - 2 * inset);
  const int height = static_cast<int>(lines.size()) * LineHeight();
  int top = r.top + inset;
  if (v == VAlign::Bottom) top = r.bottom - inset - height;
  if (v == VAlign::Center) top = (r.top + r.bottom - height) / 2;
  DrawLines(lines, Rect{r.left + inset, top, r.right - inset, top + height}, h);
  return height;
}

void PagePainter::FramedCell(const Rect& r, ColorRef fill, std::string_view text, VAlign v,
                             HAlign h, int inset) {
  if (fill != kWhite) canvas_.FillRect(r, fill);
  CellText(r, text, v, h, inset);
  SetPen(settings_.LinesColor, 1);
  canvas_.Rectangle(Rect{r.left - 1, r.top - 1, r.right, r.bottom}, pen_, std::nullopt);
}

void PagePainter::Shadow(const Rect& strip) {
  if (settings_.ShowShadows) canvas_.FillRect(strip, settings_.ShadowColor);
}

void PagePainter::BlockShadow(const Rect& block) {
  const int d = Px(1.3);
  Shadow(Rect{block.left + d, block.top + d, block.right + d, block.bottom + d});
}

void PagePainter::TextLine(int x, int y, std::string_view text) {
  if (!text.empty()) canvas_.DrawText({x, y}, text);
}

void PagePainter::Rectangle(const Rect& r, std::optional<ColorRef> fill) {
  canvas_.Rectangle(r, pen_, fill);
}

void PagePainter::DrawPicture(const Rect& r, const Picture& picture) {
  canvas_.DrawPicture(r, picture);
  canvas_.SetFont(font_);
}

}  // namespace bilvox
