// A document, the settings and the canvas with fixed metrics for the page layout tests.
// At 720 dpi a millimetre is 28.35 pixels and the preview's text area is 425..5528 across
// and 425..8022 down; a 7 pt line is 70 pixels high with characters 42 pixels wide, an
// 8 pt line 80 (48), 10 pt 100 (60), 12 pt 120 (72), 16 pt 160 (96).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "document/faktura.h"
#include "printout/page.h"
#include "printout/page_blocks.h"
#include "printout/test_canvas.h"
#include "printout/texts.h"
#include "support/money_text.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox::testing {

// An uncompressed 24-bit bitmap of the size, all black.
inline std::string BlackBmp(int width, int height) {
  const uint32_t row = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
  const uint32_t pixels = row * static_cast<uint32_t>(height);
  ByteWriter w;
  w.Bytes("BM");
  w.U32(14 + 40 + pixels);
  w.U32(0);
  w.U32(14 + 40);
  w.U32(40);
  w.U32(static_cast<uint32_t>(width));
  w.U32(static_cast<uint32_t>(height));
  w.U16(1);
  w.U16(24);
  w.U32(0);
  w.U32(pixels);
  w.U32(2835);
  w.U32(2835);
  w.U32(0);
  w.U32(0);
  w.Bytes(std::string(pixels, '\0'));
  return w.Data();
}

class PageTest : public ::testing::Test {
 protected:
  PageTest() {
    SelectTexts(0);
    doc.Fields().IssueDate = DayNumber(2027, 3, 5);
    doc.SetNumber("FV 1/2027");
  }
  ~PageTest() override { SelectTexts(0); }

  // Draws the preview at the resolution with the mark "MARK"; false when it overflowed.
  bool Draw(int dpi = 720) {
    canvas.Clear();
    SelectTexts(doc.DocLanguage());
    PageDrawing page(doc, settings);
    try {
      page.Draw(canvas, dpi, "MARK");
    } catch (const Error& e) {
      error = e.Message();
      return false;
    }
    area = page.TextArea();
    contentBottom = page.ContentBottom();
    return true;
  }

  int AddLine(std::string_view name, const char* price = "100", int vatIndex = 7,
              double quantity = 1) {
    return doc.AddLine(name, "", vatIndex, false, C(price), quantity, "", "", "szt.");
  }

  void SetLogo(int width, int height) {
    const std::string path = dir.File("logo.bmp");
    WriteBytes(path, BlackBmp(width, height));
    doc.SetLogoFileName(path);
    ASSERT_FALSE(doc.Logo().Empty());
  }

  const CanvasCall& TextAt(std::string_view text) {
    static const CanvasCall none;
    const CanvasCall* c = canvas.FindText(text);
    EXPECT_NE(c, nullptr) << ToUtf8(text);
    return c ? *c : none;
  }
  bool Has(std::string_view text) const { return canvas.FindText(text) != nullptr; }
  int Count(std::string_view text) const {
    int n = 0;
    for (const CanvasCall* c : canvas.Texts()) n += c->text == text;
    return n;
  }
  // Fills (rectangles without outline) of a colour, in drawing order.
  std::vector<Rect> Fills(ColorRef color) const {
    std::vector<Rect> out;
    for (const CanvasCall& c : canvas.Calls())
      if (c.kind == CanvasCall::Kind::Rectangle && !c.pen && c.fill == color) out.push_back(c.rect);
    return out;
  }
  std::vector<const CanvasCall*> Kind(CanvasCall::Kind kind) const {
    std::vector<const CanvasCall*> out;
    for (const CanvasCall& c : canvas.Calls())
      if (c.kind == kind) out.push_back(&c);
    return out;
  }

  RecordingMessages messages;
  TempDir dir;
  TFaktura doc;
  TAppSettings settings;
  TestCanvas canvas;
  Rect area;
  int contentBottom = 0;
  std::string error;
};

}  // namespace bilvox::testing
