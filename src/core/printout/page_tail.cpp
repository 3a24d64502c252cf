// The lower half of the printed page: amount due and in words, payment, the translated
// pass of a bilingual page, annotation, signatures, remarks, the information frame at the
// foot of the page, the footer and the check that everything fits.
#include <algorithm>

#include "common/cp1250.h"
#include "common/error.h"
#include "printout/page.h"
#include "printout/page_blocks.h"
#include "words/money_text.h"
#include "words/polish_words.h"

namespace bilvox {

int PageBlocks::TotalsPart(int y) {
  y = ItemsTable(y, false);
  if (HasVatSummary()) y = VatSummary(y);

  const bool second = SecondTemplate();
  const int x = second ? Left() : Right();
  const HAlign align = second ? HAlign::Left : HAlign::Right;
  const int width = Right() - Left();
  const Currency due = doc_.AmountDue();
  p_.SetFont(12, kBlack, kBold);
  y = p_.TextBlock(x, y + Px(1), align,
                   Text(TextKey::LabelAmountDue) + ":   " + MoneyCurrencyText(due, true), width);
  p_.SetFont(8);
  return p_.TextBlock(x, y, align,
                      Text(TextKey::LabelInWords) + ":   " +
                          AmountInWords(due, doc_.CurrencyCode(), ActiveLanguage()),
                      width);
}

int PageBlocks::PaymentBlock(int y) {
  p_.SetFont(9);
  const int w = Px(30);
  const int secondLabelX = Left() + Px(140);
  p_.SetPen(s_.LinesColor);
  p_.Line({Left(), y + Px(1.5)}, {Right(), y + Px(1.5)});
  y += Px(2);

  auto row = [&](TextKey label, const std::string& value, TextKey amountLabel, Currency amount) {
    int bottom = p_.TextBlock(Left(), y, HAlign::Left, Text(label) + ":", w);
    bottom = std::max(bottom, p_.TextBlock(Left() + w, y, HAlign::Left, value, w));
    bottom = std::max(bottom,
                      p_.TextBlock(secondLabelX, y, HAlign::Left, Text(amountLabel) + ":", w));
    return std::max(bottom,
                    p_.TextBlock(Right(), y, HAlign::Right, MoneyCurrencyText(amount, true), w));
  };
  y = row(TextKey::LabelPaymentForm, doc_.PaymentForm(), TextKey::LabelPaid, doc_.Paid());
  y = row(TextKey::LabelDueDate, DateText(doc_.PaymentDueDate()), TextKey::LabelRemaining,
          doc_.AmountDue() - doc_.Paid());

  y += Px(0.5);
  p_.Line({Left(), y}, {Right(), y});
  return y;
}

int PageBlocks::TranslatedPass(int y) {
  SelectTexts(doc_.DocLanguage());
  SetCurrencyDisplay(doc_.CurrencyCode());
  p_.SetFont(10, kBlack, kBold);
  y = p_.TextBlock(Mid(), y + Px(3), HAlign::Center, Text(TextKey::Translation),
                   Right() - Left());
  y = TotalsPart(y);
  return PaymentBlock(y);
}

int PageBlocks::Signatures(int y) {
  SetCurrencyDisplay("PLN");
  const int width = Right() - Left();
  if (!doc_.StandingRemarks().empty()) {
    p_.SetFont(10, kBlack, kBold | kItalic);
    y = p_.TextBlock(Mid(), y + Px(4), HAlign::Center, doc_.StandingRemarks(), width);
  }

  y += Px(5);
  int issuerBottom = y;
  // The receiver's column starts at sx, which is also the width of both columns.
  const int sx = Mid() + Px(10);
  const bool bill = doc_.Kind() == DocumentKind::Bill;
  const bool issuer = !Trim(doc_.IssuerName()).empty();
  const bool receiver = !Trim(doc_.ReceiverName()).empty();
  if (issuer) {
    p_.SetFont(8, kBlack, kUnderline);
    const int t = p_.TextBlock(Left(), y, HAlign::Left,
                               Text(bill ? TextKey::IssuerBill : TextKey::IssuerInvoice) + ":", sx);
    p_.SetFont(12);
    issuerBottom = p_.TextBlock(Left(), t, HAlign::Left, doc_.IssuerName(), sx);
  }
  if (receiver) {
    p_.SetFont(8, kBlack, kUnderline);
    y = p_.TextBlock(sx, y, HAlign::Left,
                     Text(bill ? TextKey::ReceiverBill : TextKey::ReceiverInvoice) + ":", sx);
    p_.SetFont(12);
    y = p_.TextBlock(sx, y, HAlign::Left, doc_.ReceiverName(), sx);
  }
  y = std::max(y, issuerBottom);
  if (issuer || receiver) y += Px(30);  // room for the signatures and stamps

  if (!doc_.Remarks().empty()) {
    if (s_.ShowUwagi) {
      p_.SetFont(10, kBlack, kBold);
      y = p_.TextBlock(Left(), y, HAlign::Left, Text(TextKey::LabelRemarks), sx);
    }
    p_.SetFont(8);
    y = p_.TextBlock(Left(), y, HAlign::Left, doc_.Remarks(), width);
  }
  return y;
}

void PageBlocks::StopWhenPastBottom(int y) const {
  if (y > Bottom()) throw Error(std::string(kPageOverflowMessage));
}

void PageBlocks::PageFoot(int contentBottom) {
  // The content may reach down to the first thing drawn at the foot of the page; with
  // nothing there, down to the bottom of the text area, below which text is cut off.
  int freeLimit = Bottom();
  const bool second = SecondTemplate();
  if (s_.ShowInfoFrame && second) freeLimit = InfoFrameBottom();
  if (s_.ShowFooter && !second) {
    p_.SetFont(6, 0x5F5F5F);
    p_.TextBlock(Mid(), Bottom() - Px(3), HAlign::Center, Text(TextKey::Footer), Right() - Left());
    p_.SetPen(s_.LinesColor);
    p_.Line({Left(), Bottom() - Px(3.5)}, {Right(), Bottom() - Px(3.5)});
    freeLimit = Bottom() - Px(3.5);
  }
  if (freeLimit < contentBottom) throw Error(std::string(kPageOverflowMessage));
}

LogoSize PageBlocks::BottomLogoSize(int& leftTextWidth) const {
  if (!HasLogo()) return {};
  if (!s_.LogoWidthAuto) return FixedWidthLogo(leftTextWidth);
  return FittedLogo(70, 20);
}

int PageBlocks::InfoFrameBottom() {
  if (!HasLogo() && doc_.InfoText1().empty() && doc_.InfoText2().empty()) return Bottom();
  std::string a = Trim(doc_.InfoText1());
  std::string b = Trim(doc_.InfoText2());
  if (a.empty()) std::swap(a, b);
  p_.SetFont(7);
  auto [wA, hA] = Measured(a);
  const auto [wB, hB] = Measured(b);
  const LogoSize logo = BottomLogoSize(wA);

  // One text centred across the page, or two meeting at its middle.
  const int textTop = Bottom() - std::max(hA, hB);
  const int mid = Mid();
  if (a.empty() || b.empty()) {
    p_.CellText(Rect{Left(), textTop, Right(), Bottom()}, a, VAlign::Top, HAlign::Center, 0);
  } else {
    p_.CellText(Rect{mid - wA - Px(1), textTop, mid - Px(1), Bottom()}, a, VAlign::Top,
                HAlign::Center, 0);
    p_.CellText(Rect{mid + Px(1), textTop, mid + Px(1) + wB, Bottom()}, b, VAlign::Top,
                HAlign::Center, 0);
  }
  if (!HasLogo()) return textTop;
  const int logoTop = textTop - logo.height - Px(1.5);
  p_.DrawPicture(Rect{(Left() + Right() - logo.width) / 2, logoTop,
                      (Left() + Right() + logo.width) / 2, logoTop + logo.height},
                 doc_.Logo());
  return logoTop;
}

}  // namespace bilvox
