#include "printout/page.h"

#include <algorithm>

#include "common/error.h"

#include "printout/page_blocks.h"
#include "printout/page_painter.h"
#include "printout/texts.h"
#include "words/money_text.h"

namespace bilvox {

int PageWidth(int dpi) { return MmToDevice(dpi, 210); }
int PageHeight(int dpi) { return MmToDevice(dpi, 297); }

void PageDrawing::Draw(Canvas& canvas, int dpi, std::string_view copyMark) {
  dpi_ = dpi;
  SetCurrencyDisplay("PLN");
  PagePainter p(canvas, dpi, settings_);
  p.SetPen(kBlack);
  if (!printing_) {
    // The preview shows the sheet itself: white, outlined, with a drop shadow.
    const int w = PageWidth(dpi), h = PageHeight(dpi);
    p.FillRect(Rect{w, 5, w + 5, h + 5}, 0x5F5F5F);
    p.FillRect(Rect{5, h, w + 5, h + 5}, 0x5F5F5F);
    p.Rectangle(Rect{0, 0, w, h}, kWhite);
    area_ = Rect{p.Px(15), p.Px(15), p.Px(195), p.Px(283)};
  }
  p.SetTextArea(area_);
  PageBlocks blocks(p, document_, copyMark);

  // Each block starts where the one above it ended; once that is past the bottom of the
  // text area the page cannot fit, and the drawing stops.
  const int language = document_.DocLanguage();
  int y = area_.top;
  auto next = [&](int below) {
    y = below;
    blocks.StopWhenPastBottom(y);
  };
  try {
    // Head: the information frame at the left and the dates at the right, side by side.
    if (settings_.ShowInfoFrame && !blocks.SecondTemplate()) next(blocks.InfoFrameTop(y));
    next(std::max(y, blocks.PlaceAndDates(area_.top)));
    next(blocks.TitleBlock(y));
    next(blocks.SellerAndBuyer(y));

    SetCurrencyDisplay(document_.CurrencyCode());
    if (document_.IsCorrection()) next(blocks.ItemsTable(y, true));

    // A bilingual page shows its totals first with the Polish captions, then translated.
    const bool bilingual = language == 1 || language == 3;
    SelectTexts(bilingual ? 0 : language);
    next(blocks.TotalsPart(y));
    next(blocks.PaymentBlock(y));
    if (bilingual) next(blocks.TranslatedPass(y));

    y_ = blocks.Signatures(y);
    blocks.PageFoot(y_);
  } catch (const Error&) {
    // A drawing stopped early leaves active what a complete one does.
    SelectTexts(language);
    SetCurrencyDisplay("PLN");
    throw;
  }
}

}  // namespace bilvox
