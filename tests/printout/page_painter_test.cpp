// Word wrapping and the page's drawing primitives, on the canvas with fixed metrics:
// at 72 dpi a 10 pt font is 10 pixels high and every character 6 pixels wide.
#include <gtest/gtest.h>

#include "common/cp1250.h"
#include "common/json.h"
#include "printout/page_painter.h"
#include "printout/test_canvas.h"
#include "printout/text_wrap.h"

namespace bilvox {
namespace {

std::vector<std::string> Wrap(std::string_view text, int width) {
  FixedMetricsCanvas canvas;
  canvas.SetFont(FontSpec{"Arial", 10, 72});
  std::vector<std::string> out;
  for (const WrappedLine& l : WrapText(canvas, text, width)) {
    out.emplace_back(l.text);
    EXPECT_EQ(l.width, 6 * static_cast<int>(l.text.size())) << l.text;
  }
  return out;
}

using Lines = std::vector<std::string>;

TEST(WrapText, BreaksAtTheLastBlankThatFitsAndDropsTheBlanksThere) {
  EXPECT_EQ(Wrap("ab cd ef", 30), (Lines{"ab cd", "ef"}));
  EXPECT_EQ(Wrap("ab    cd", 20), (Lines{"ab", "cd"}));
  EXPECT_EQ(Wrap("ab cd ef", 1000), (Lines{"ab cd ef"}));
  EXPECT_EQ(Wrap("  ab", 1000), (Lines{"  ab"}));   // leading blanks stay
  EXPECT_EQ(Wrap("ab cd   ", 30), (Lines{"ab cd"}));  // blanks at a break go
}

TEST(WrapText, LineBreaksOfEveryKind) {
  EXPECT_EQ(Wrap("a\r\nb\nc\rd", 100), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(Wrap("ab  \r\ncd", 100), (Lines{"ab  ", "cd"}));  // blanks before a break stay
  EXPECT_EQ(Wrap("a\r\n", 100), (Lines{"a"}));
  EXPECT_EQ(Wrap("a\r\n\r\nb", 100), (Lines{"a", "", "b"}));
  EXPECT_EQ(Wrap("\n\r", 100), (Lines{"", ""}));
  EXPECT_TRUE(Wrap("", 100).empty());
}

TEST(WrapText, WordsWiderThanTheLineAreBrokenBetweenCharacters) {
  EXPECT_EQ(Wrap("abcdefgh", 20), (Lines{"abc", "def", "gh"}));
  EXPECT_EQ(Wrap("x abcdefgh", 20), (Lines{"x", "abc", "def", "gh"}));
  // Narrower than one character: one character per line, never an endless loop.
  EXPECT_EQ(Wrap("abc", 3), (Lines{"a", "b", "c"}));
  EXPECT_EQ(Wrap("abc", -5), (Lines{"a", "b", "c"}));
}

class PainterTest : public ::testing::Test {
 protected:
  PainterTest() : painter(canvas, 72) {
    painter.SetTextArea(Rect{100, 50, 400, 500});
    painter.SetFont(10);
    canvas.Clear();
  }
  TestCanvas canvas;
  PagePainter painter;
};

TEST_F(PainterTest, TextBlockBoxesByAlignmentAndResult) {
  EXPECT_EQ(painter.TextBlock(400, 60, HAlign::Right, "abc", 120), 70);
  EXPECT_EQ(painter.TextBlock(250, 70, HAlign::Center, "abcd", 100), 80);
  EXPECT_EQ(painter.TextBlock(150, 80, HAlign::Left, "ab cd ef", 30), 100);
  auto t = canvas.Texts();
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0]->rect, (Rect{382, 60, 400, 70}));
  EXPECT_EQ(t[1]->rect.left, 238);  // box 200..300, 24 wide
  EXPECT_EQ(t[2]->text, "ab cd");
  EXPECT_EQ(t[3]->rect, (Rect{150, 90, 162, 100}));
  for (auto* c : t) EXPECT_FALSE(c->clip.has_value());
}

TEST_F(PainterTest, TextBlockIsKeptInsideTheTextArea) {
  // Left edge raised to the area's left: the text starts at 100, not 80.
  painter.TextBlock(80, 60, HAlign::Left, "ab", 100);
  // Right edge lowered to the area's right: the box 350..400 wraps at 50 pixels.
  EXPECT_EQ(painter.TextBlock(350, 70, HAlign::Left, "abcd efgh", 300), 90);
  auto t = canvas.Texts();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0]->rect.left, 100);
  EXPECT_EQ(t[1]->text, "abcd");
  EXPECT_EQ(t[2]->text, "efgh");
}

TEST_F(PainterTest, TextBelowTheBottomLimitIsMeasuredButNotDrawn) {
  EXPECT_EQ(painter.TextBlock(100, 495, HAlign::Left, "a\nb\nc", 100), 525);
  auto t = canvas.Texts();
  ASSERT_EQ(t.size(), 1u);  // the first line, cut at the bottom limit
  ASSERT_TRUE(t[0]->clip.has_value());
  EXPECT_EQ(*t[0]->clip, (Rect{100, 495, 200, 500}));
}

TEST_F(PainterTest, ALineWiderThanItsBoxIsClipped) {
  painter.SetFont(40);  // 24 pixels a character
  painter.TextBlock(100, 60, HAlign::Center, "W", 10);
  auto t = canvas.Texts();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0]->rect.left, 100 + (5 - 24) / 2);  // centred in the narrowed box
  ASSERT_TRUE(t[0]->clip.has_value());
  EXPECT_EQ(*t[0]->clip, (Rect{100, 60, 100 + 5, 500}));
}

TEST_F(PainterTest, Measuring) {
  EXPECT_EQ(painter.MeasureWidth("ab\r\nabcd"), 24);
  EXPECT_EQ(painter.MeasureWidth(""), 0);
  EXPECT_EQ(painter.MeasureHeight("", 50), 0);
  EXPECT_EQ(painter.MeasureHeight("ab cd ef", 30), 20);
  // Without a width the whole text area's (300 pixels = 50 characters) is used.
  std::string sixty(60, 'x');
  EXPECT_EQ(painter.MeasureHeight(sixty, 0), 20);
  EXPECT_EQ(painter.MeasureWidth(sixty), 300);
  EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(PainterTest, CellTextInsetAndAlignment) {
  const Rect cell{100, 100, 200, 160};
  EXPECT_EQ(painter.CellText(cell, "ab", VAlign::Bottom, HAlign::Right, 5), 10);
  EXPECT_EQ(painter.CellText(cell, "ab", VAlign::Top, HAlign::Left, 5), 10);
  EXPECT_EQ(painter.CellText(cell, "ab", VAlign::Center, HAlign::Center, 5), 10);
  // Wrapped within 100 − 2 × 17 = 66 pixels: eleven characters a line.
  EXPECT_EQ(painter.CellText(cell, "abcde fghij klm", VAlign::Top, HAlign::Left, 17), 20);
  auto t = canvas.Texts();
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0]->rect, (Rect{183, 145, 195, 155}));
  EXPECT_EQ(t[1]->rect, (Rect{105, 105, 117, 115}));
  EXPECT_EQ(t[2]->rect, (Rect{144, 125, 156, 135}));
  EXPECT_EQ(t[3]->text, "abcde fghij");
  EXPECT_EQ(t[4]->rect.top, 127);
}

TEST_F(PainterTest, FramedCellSharesItsFrameWithItsNeighbours) {
  TAppSettings style;
  style.LinesColor = 0x123456;
  TestCanvas c;
  PagePainter p(c, 72, style);
  p.SetTextArea(Rect{0, 0, 1000, 1000});
  c.Clear();
  p.FramedCell(Rect{10, 20, 50, 40}, 0xE5E5E5, "ab", VAlign::Bottom, HAlign::Left, 0);
  p.FramedCell(Rect{50, 20, 90, 40}, kWhite, "", VAlign::Bottom, HAlign::Left, 0);
  const auto& calls = c.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].kind, CanvasCall::Kind::Rectangle);  // the fill
  EXPECT_EQ(calls[0].rect, (Rect{10, 20, 50, 40}));
  EXPECT_EQ(calls[0].fill, 0xE5E5E5u);
  EXPECT_FALSE(calls[0].pen.has_value());
  EXPECT_EQ(calls[1].kind, CanvasCall::Kind::Text);
  EXPECT_EQ(calls[2].rect, (Rect{9, 19, 50, 40}));  // frame: one pixel up and left
  EXPECT_EQ(calls[2].pen, (Pen{0x123456, 1}));
  EXPECT_FALSE(calls[2].fill.has_value());
  // White means no fill: the second cell draws only its frame, whose left line is the
  // first cell's right line (x = 49).
  EXPECT_EQ(calls[3].rect, (Rect{49, 19, 90, 40}));
  EXPECT_EQ(p.CurrentPen(), (Pen{0x123456, 1}));
}

TEST(PagePainter, FontSizeFollowsTheSizeSetting) {
  TestCanvas c;
  for (auto [delta, expected] : {std::pair{-2, 5}, {-1, 6}, {0, 7}, {1, 7}, {2, 8}}) {
    TAppSettings style;
    style.FontSizeDelta = delta;
    style.FontName = "Tahoma";
    PagePainter p(c, 600, style);
    p.SetFont(7, 0x5F5F5F, kBold | kUnderline);
    EXPECT_EQ(p.Font().points, expected) << delta;
    EXPECT_EQ(p.Font().face, "Tahoma");
    EXPECT_EQ(p.Font().dpi, 600);
    EXPECT_EQ(p.Font().color, 0x5F5F5Fu);
  }
}

TEST(PagePainter, ShadowsOnlyWhenShownAndMillimetresRoundToNearest) {
  TestCanvas c;
  EXPECT_EQ(PagePainter(c, 72).Px(1.3), 4);
  EXPECT_EQ(PagePainter(c, 96).Px(297), 1123);
  TAppSettings style;
  PagePainter on(c, 72, style);
  on.BlockShadow(Rect{10, 10, 20, 20});
  style.ShowShadows = false;
  PagePainter off(c, 72, style);
  off.BlockShadow(Rect{10, 10, 20, 20});
  off.Shadow(Rect{1, 1, 2, 2});
  ASSERT_EQ(c.Calls().size(), 1u);
  EXPECT_EQ(c.Calls()[0].rect, (Rect{14, 14, 24, 24}));
  EXPECT_EQ(c.Calls()[0].fill, 0x9F9F9Fu);
}

TEST(TracingCanvas, WritesOneJsonObjectPerCall) {
  TestCanvas c;
  PagePainter p(c, 72);
  p.SetTextArea(Rect{0, 0, 500, 500});
  p.SetFont(10, 0x0000FF, kBold | kItalic);
  p.TextBlock(10, 20, HAlign::Left, "Zażółć"_cp, 200);
  p.SetPen(0xFF0000);
  p.Line({0, 5}, {100, 5});
  std::string lines = c.JsonLines();
  size_t cut = lines.find('\n');
  ASSERT_NE(cut, std::string::npos);
  auto text = Json::Parse(lines.substr(0, cut));
  auto line = Json::Parse(lines.substr(cut + 1));
  ASSERT_TRUE(text && line);
  EXPECT_EQ(text->Find("kind")->AsString(), "text");
  EXPECT_EQ(text->Find("text")->AsString(), "Zażółć");
  EXPECT_EQ(text->Find("x")->AsNumber(), 10);
  EXPECT_EQ(text->Find("w")->AsNumber(), 36);
  const Json* font = text->Find("font");
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Find("size")->AsNumber(), 10);
  EXPECT_EQ(font->Find("color")->AsString(), "#ff0000");
  EXPECT_EQ(font->Find("style")->Dump(), R"(["bold","italic"])");
  EXPECT_EQ(line->Dump(),
            R"({"kind":"line","from":[0,5],"to":[100,5],"pen":{"color":"#0000ff","width":1}})");
}

}  // namespace
}  // namespace bilvox
