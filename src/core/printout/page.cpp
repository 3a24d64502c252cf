#include "printout/page.h"

#include <algorithm>

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

  // Head: the information frame at the left and the dates at the right, side by side.
  int y = area_.top;
  if (settings_.ShowInfoFrame && !blocks.SecondTemplate()) y = blocks.InfoFrameTop(y);
  y = std::max(y, blocks.PlaceAndDates(area_.top));
  y = blocks.TitleBlock(y);
  y = blocks.SellerAndBuyer(y);

  SetCurrencyDisplay(document_.CurrencyCode());
  if (document_.IsCorrection()) y = blocks.ItemsTable(y, true);

  // A bilingual page shows its totals first with the Polish captions, then translated.
  const int language = document_.DocLanguage();
  const bool bilingual = language == 1 || language == 3;
  SelectTexts(bilingual ? 0 : language);
  y = blocks.TotalsPart(y);
  y = blocks.PaymentBlock(y);
  if (bilingual) y = blocks.TranslatedPass(y);

  y_ = blocks.Signatures(y);
  blocks.PageFoot(y_);
}

}  // namespace bilvox
