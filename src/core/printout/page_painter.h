// The drawing primitives of the printed page on top of a canvas: fonts scaled by the
// font-size setting, word-wrapped text blocks limited to the text area, measured texts,
// cells with inset and alignment, framed cells and shadows. Lengths in millimetres become
// device pixels through Px() (MmToDevice at the painter's resolution). One painter serves
// one drawing of one page.
#pragma once

#include <string>
#include <string_view>

#include "printout/canvas.h"
#include "printout/text_wrap.h"
#include "settings/settings.h"
#include "words/money_text.h"

namespace bilvox {

enum class HAlign { Left, Right, Center };
// In the order of the stored row alignment setting: 0 top, 1 bottom, 2 centre.
enum class VAlign { Top, Bottom, Center };

class PagePainter {
 public:
  // The primitives read the font face and size setting, the lines colour and the shadow
  // settings; the painter keeps its own copy of the settings.
  PagePainter(Canvas& canvas, int dpi, const TAppSettings& settings = {});

  Canvas& canvas() { return canvas_; }
  int Dpi() const { return dpi_; }
  const TAppSettings& Settings() const { return settings_; }
  // Millimetres to device pixels at the painter's resolution.
  int Px(double mm) const { return MmToDevice(dpi_, mm); }

  // The text area: text blocks are kept between its left and right edges and end at its
  // bottom edge; measuring without a width uses its width.
  void SetTextArea(const Rect& area) { area_ = area; }
  const Rect& TextArea() const { return area_; }

  // Face from the settings, size points × (delta + 10) / 10 (integer division, at least 1),
  // resolution dpi.
  void SetFont(int points, ColorRef color = kBlack, unsigned style = 0);
  const FontSpec& Font() const { return font_; }

  // The pen of lines and outlined rectangles. Framed cells leave it at the lines colour.
  void SetPen(ColorRef color, int width = 1) { pen_ = Pen{color, width}; }
  const Pen& CurrentPen() const { return pen_; }

  // Word-wrapped text in the box x..x+w (left), x−w..x (right) or x−w/2..x+w/2 (centred),
  // narrowed to the text area's left and right edges, from y down to the area's bottom
  // (clipped there). Returns y plus the height of the whole wrapped text.
  int TextBlock(int x, int y, HAlign align, std::string_view text, int w);
  // Widest line of the text wrapped within the text area's width; 0 for an empty text.
  int MeasureWidth(std::string_view text);
  // Height of the text wrapped within w (the text area's width when w <= 0).
  int MeasureHeight(std::string_view text, int w);
  // Height of one line of the current font.
  int LineHeight();
  // The text wrapped within the rectangle narrowed by `inset` on the left and right, placed
  // at top + inset, at bottom − inset − height, or centred in the rectangle. Returns the
  // text's height.
  int CellText(const Rect& r, std::string_view text, VAlign v, HAlign h, int inset);
  // Fill (none for white), cell text, then a one-pixel frame in the lines colour around
  // the rectangle enlarged by one pixel at its top and left, so neighbours share lines.
  void FramedCell(const Rect& r, ColorRef fill, std::string_view text, VAlign v, HAlign h,
                  int inset);
  // A shadow strip filled in the shadow colour when shadows are on.
  void Shadow(const Rect& strip);
  // The shadow of a block: the block's rectangle moved px(1.3) right and down.
  void BlockShadow(const Rect& block);

  // One unwrapped line of text with its top-left corner at (x, y).
  void TextLine(int x, int y, std::string_view text);
  void FillRect(const Rect& r, ColorRef color) { canvas_.FillRect(r, color); }
  // Outline in the current pen, filled when a fill colour is given.
  void Rectangle(const Rect& r, std::optional<ColorRef> fill);
  void Line(Point from, Point to) { canvas_.Line(from, to, pen_); }
  // The picture stretched into the rectangle; the current font stays in force.
  void DrawPicture(const Rect& r, const Picture& picture);

 private:
  // Draws wrapped lines into the box from its top, each aligned in it and clipped to the
  // box only when it reaches past it. Returns the height of all lines.
  int DrawLines(const std::vector<WrappedLine>& lines, const Rect& box, HAlign align);

  Canvas& canvas_;
  int dpi_;
  TAppSettings settings_;
  Rect area_;
  FontSpec font_;
  Pen pen_;
};

}  // namespace bilvox
