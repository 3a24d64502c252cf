// The blocks of the printed page, each drawn from a position y and returning the position
// below it. Used by PageDrawing::Draw in their order and by the layout tests one by one.
// Head blocks are in page_head.cpp, the items table and VAT summary in page_table.cpp,
// the totals, payment and tail of the page in page_tail.cpp.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/faktura.h"
#include "printout/page_painter.h"
#include "printout/texts.h"
#include "settings/settings.h"

namespace bilvox {

// Size of the logo on the page, in device pixels (0 × 0 without a logo).
struct LogoSize {
  int width = 0;
  int height = 0;
};

class PageBlocks {
 public:
  // The painter's text area must be set.
  PageBlocks(PagePainter& painter, const TFaktura& document, std::string_view copyMark)
      : p_(painter), doc_(document), s_(painter.Settings()), copyMark_(copyMark) {}

  // Head of the page.
  int InfoFrameTop(int y);    // the seller's information frame beside the logo
  int PlaceAndDates(int y);   // place of issue, dates, currency and rate at the right
  int TitleBlock(int y);      // title and number, correction reference, legal note
  int SellerAndBuyer(int y);

  // Items table of the current lines, or of the lines before correction.
  int ItemsTable(int y, bool priorLines);
  int VatSummary(int y);
  // Bills and invoices of the margin and without-VAT types have no VAT summary.
  bool HasVatSummary() const;

  // Items table, VAT summary, amount due and in words, in the active text set.
  int TotalsPart(int y);
  int PaymentBlock(int y);
  // The heading "Translation", the totals part and the payment block again in the
  // document's own text set.
  int TranslatedPass(int y);
  // The annotation line, the signatures and the remarks; returns the position below them.
  int Signatures(int y);
  // The information frame at the foot of the page ("Wzór 2") or the footer ("Wzór 1"),
  // then the overflow check: throws Error(kPageOverflowMessage) when the content,
  // ending at contentBottom, reaches past them (or past the text area without them).
  void PageFoot(int contentBottom);
  // The seller's information frame at the foot of the page ("Wzór 2"); returns the top
  // of what it drew (the bottom limit when it draws nothing).
  int InfoFrameBottom();
  // Throws Error(kPageOverflowMessage) at once when the content has reached past the
  // bottom of the text area. The free limit at the foot of the page is never below that
  // bottom and the position only moves down, so such a page cannot fit any more: the
  // drawing stops there instead of laying out the rest of a huge document.
  void StopWhenPastBottom(int y) const;

  // "Wzór 2" (the stored template 1); every other value draws "Wzór 1".
  bool SecondTemplate() const { return s_.DocTemplate == 1; }
  // Whether the document was issued before 2013-01-01 (old titles and copy marks).
  bool IssuedBefore2013() const;
  // The title of the document and the legal note under it (from 2013 only).
  TextKey TitleKey() const;
  std::optional<TextKey> NoteKey() const;

  // Logo sizes of the two forms of the information frame. `leftTextWidth` is widened to
  // the logo's width where the rules say so.
  LogoSize TopLogoSize(int& leftTextWidth) const;
  LogoSize BottomLogoSize(int& leftTextWidth) const;

 private:
  int Px(double mm) const { return p_.Px(mm); }
  int Left() const { return p_.TextArea().left; }
  int Right() const { return p_.TextArea().right; }
  int Top() const { return p_.TextArea().top; }
  int Bottom() const { return p_.TextArea().bottom; }
  int Mid() const { return (Left() + Right()) / 2; }
  struct TextSize {
    int width, height;
  };
  // Width and height of a text wrapped within the text area, in the current font.
  TextSize Measured(std::string_view text);
  bool HasLogo() const;
  // The logo LogoWidth millimetres wide (the text beside it at least as wide), and the logo
  // fitted into a box, both keeping the picture's proportions.
  LogoSize FixedWidthLogo(int& leftTextWidth) const;
  LogoSize FittedLogo(double widthMm, double heightMm) const;
  // The VAT amount of a line or a summary row as printed.
  std::string VatAmountText(Currency vat, bool summary);

  PagePainter& p_;
  const TFaktura& doc_;
  const TAppSettings& s_;
  std::string copyMark_;
};

// a × b / c in 64 bits, truncated toward zero, kept within ±2^24 so that a picture of
// extreme proportions gives coordinates far from overflow.
inline int ScaleLength(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  const int64_t v = a * b / c;
  constexpr int64_t kLimit = int64_t{1} << 24;
  return static_cast<int>(std::clamp<int64_t>(v, -kLimit, kLimit));
}

}  // namespace bilvox
