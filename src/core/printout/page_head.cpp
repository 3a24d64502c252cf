// The head of the printed page: the seller's information frame with the logo, the place
// and dates, the title and the seller and buyer.
#include <algorithm>

#include "common/cp1250.h"
#include "printout/page_blocks.h"
#include "words/money_text.h"

namespace bilvox {

bool PageBlocks::IssuedBefore2013() const {
  return WholeDays(doc_.IssueDate()) < DayNumber(2013, 1, 1);
}

PageBlocks::TextSize PageBlocks::Measured(std::string_view text) {
  return {p_.MeasureWidth(text), p_.MeasureHeight(text, 0)};
}

bool PageBlocks::HasLogo() const {
  // A picture without area cannot be scaled; it is left out like a missing one.
  const Picture& logo = doc_.Logo();
  return !logo.Empty() && logo.Width() > 0 && logo.Height() > 0;
}

TextKey PageBlocks::TitleKey() const {
  switch (doc_.Kind()) {
    case DocumentKind::Bill: return TextKey::TitleBill;
    case DocumentKind::Correction: return TextKey::TitleCorrection;
    case DocumentKind::CorrectionNote: return TextKey::TitleCorrectionNote;
    case DocumentKind::Invoice: break;
  }
  const bool old = IssuedBefore2013();
  switch (doc_.VatInvoiceType()) {
    case kVatTypeVatMp: return old ? TextKey::TitleVatInvoiceMp : TextKey::TitleInvoice;
    case kVatTypeMargin: return old ? TextKey::TitleVatMargin : TextKey::TitleInvoice;
    case kVatTypeProForma: return TextKey::TitleProForma;
    case kVatTypeWithoutVat: return TextKey::TitleInvoice;
    default: return old ? TextKey::TitleVatInvoice : TextKey::TitleInvoice;
  }
}

std::optional<TextKey> PageBlocks::NoteKey() const {
  if (doc_.Kind() != DocumentKind::Invoice || IssuedBefore2013()) return std::nullopt;
  if (doc_.VatInvoiceType() == kVatTypeVatMp) return TextKey::NoteCashMethod;
  if (doc_.VatInvoiceType() != kVatTypeMargin) return std::nullopt;
  switch (doc_.MarginProcedure()) {
    case 0: return TextKey::NoteMarginTravel;
    case 1: return TextKey::NoteMarginUsed;
    case 2: return TextKey::NoteMarginArt;
    case 3: return TextKey::NoteMarginCollect;
    default: return std::nullopt;
  }
}

LogoSize PageBlocks::FixedWidthLogo(int& leftTextWidth) const {
  LogoSize l;
  l.width = Px(std::max(5, s_.LogoWidth));
  l.height = ScaleLength(l.width, doc_.Logo().Height(), doc_.Logo().Width());
  leftTextWidth = std::max(leftTextWidth, l.width);
  return l;
}

LogoSize PageBlocks::FittedLogo(double widthMm, double heightMm) const {
  const int64_t pw = doc_.Logo().Width(), ph = doc_.Logo().Height();
  LogoSize l;
  l.width = Px(widthMm);
  l.height = ScaleLength(l.width, ph, pw);
  if (l.height > Px(heightMm)) {
    l.width = ScaleLength(Px(heightMm), pw, ph);
    l.height = Px(heightMm);
  }
  return l;
}

LogoSize PageBlocks::TopLogoSize(int& leftTextWidth) const {
  if (!HasLogo()) return {};
  if (!s_.LogoWidthAuto) return FixedWidthLogo(leftTextWidth);
  LogoSize l = FittedLogo(50, 30);
  const int fittedHeight = l.height;
  // Beside a narrow text the logo takes 35 mm (or the text's width), at least 15 mm high
  // unless the fitted logo was lower than that.
  if (leftTextWidth < l.width) {
    const int64_t pw = doc_.Logo().Width(), ph = doc_.Logo().Height();
    l.width = std::max(Px(35), leftTextWidth);
    l.height = ScaleLength(l.width, ph, pw);
    if (l.height < Px(15)) {
      l.height = std::min(Px(15), fittedHeight);
      l.width = ScaleLength(l.height, pw, ph);
    }
    leftTextWidth = l.width;
  }
  return l;
}

int PageBlocks::InfoFrameTop(int top) {
  if (!HasLogo() && doc_.InfoText1().empty() && doc_.InfoText2().empty()) return top;
  const std::string leftText = Trim(doc_.InfoText1());
  const std::string rightText = Trim(doc_.InfoText2());
  p_.SetFont(7);
  auto [wL, hL] = Measured(leftText);
  const auto [wR, hR] = Measured(rightText);
  const LogoSize logo = TopLogoSize(wL);

  const int pad = Px(2), gap = Px(6);
  const int frameWidth = gap + wL + wR + 2 * pad;
  const int frameHeight =
      logo.height + hL + pad < hR ? hR + 2 * pad : logo.height + hL + 3 * pad;
  const int x = Left();
  const Rect frame{x, top, x + frameWidth, top + frameHeight};
  p_.BlockShadow(frame);
  p_.SetPen(s_.LinesColor);
  p_.Rectangle(frame, kWhite);

  // Both texts stand on the frame's bottom; the logo above the left one.
  p_.CellText(Rect{x + pad, top + pad, x + pad + wL, frame.bottom - pad}, leftText,
              VAlign::Bottom, HAlign::Left, 0);
  const int rx = x + pad + wL + gap;
  p_.CellText(Rect{rx, top + pad, rx + wR, frame.bottom - pad}, rightText, VAlign::Bottom,
              HAlign::Left, 0);
  if (HasLogo())
    p_.DrawPicture(Rect{x + pad, top + pad, x + pad + logo.width, top + pad + logo.height},
                   doc_.Logo());
  return frame.bottom + Px(1.3);
}

int PageBlocks::PlaceAndDates(int top) {
  p_.SetFont(7);
  const int labelX = Right() - Px(70), labelWidth = Px(47), valueWidth = Px(23);
  auto label = [&](int y, TextKey key, std::string_view colon) {
    return p_.TextBlock(labelX, y, HAlign::Left, Text(key) + std::string(colon), labelWidth);
  };
  auto value = [&](int y, const std::string& text) {
    return p_.TextBlock(Right(), y, HAlign::Right, text, valueWidth);
  };

  int y = top;
  int labelBottom = label(y, TextKey::LabelPlaceOfIssue, "");
  y = std::max(labelBottom, value(y, doc_.PlaceOfIssue()));
  labelBottom = label(y, TextKey::LabelIssueDate, ":");
  y = std::max(labelBottom, value(y, DateText(doc_.IssueDate())));

  // Invoices and corrections from 2013 name the day the delivery was completed.
  const bool invoiceKind =
      doc_.Kind() == DocumentKind::Invoice || doc_.Kind() == DocumentKind::Correction;
  const bool saleLabel = IssuedBefore2013() || !invoiceKind;
  labelBottom = label(y, saleLabel ? TextKey::LabelSaleDate : TextKey::LabelDeliveryDate, ":");
  // The value stands on the label's last line.
  const std::string saleDate = doc_.ContinuousSale()
                                   ? SaleMonthText(doc_.SaleDate(), doc_.DocLanguage())
                                   : DateText(doc_.SaleDate());
  y = std::max(labelBottom, value(labelBottom - p_.MeasureHeight("Wj", 0), saleDate));

  const std::string& code = doc_.CurrencyCode();
  if (code != "PLN") {
    value(y, code);
    y = label(y, TextKey::LabelCurrency, ":");
    if (doc_.ExchangeRate() > Currency{}) {
      value(y, "1 " + code + " = " + MoneyCurrencyText4(doc_.ExchangeRate()));
      y = label(y, TextKey::LabelRate, ":");
    }
  }
  return y;
}

int PageBlocks::TitleBlock(int y) {
  const std::string heading = Text(TitleKey()) + "  " + doc_.Number();
  const bool old = IssuedBefore2013();
  const std::optional<TextKey> note = NoteKey();
  const int width = Right() - Left();
  int x = Left(), r = y;
  if (SecondTemplate()) {
    // A filled bar with the heading, the copy mark at its right end before 2013, and a
    // second bar with the legal note from 2013.
    p_.SetFont(13, s_.HdrTextColor, kBold);
    y += Px(1);
    const int barBottom = y + p_.MeasureHeight("s1", 0) + Px(0.5);
    const int barRight = old ? Right() - Px(32) : Right();
    p_.Shadow(Rect{Left() + Px(1.3), y + Px(1.3), Right() + Px(1.3), barBottom + Px(1.3)});
    p_.FramedCell(Rect{Left(), y, barRight, barBottom}, s_.HdrFillColor, heading,
                  VAlign::Bottom, HAlign::Left, Px(0.2));
    r = barBottom;
    if (old) {
      p_.SetFont(9, s_.HdrTextColor, kBold);
      p_.FramedCell(Rect{barRight, y, Right(), barBottom}, s_.HdrFillColor, copyMark_,
                    VAlign::Bottom, HAlign::Right, Px(0.5));
    } else if (note) {
      p_.SetFont(9, s_.HdrTextColor, kBold);
      r = barBottom + Px(0.5) + p_.MeasureHeight("s1", 0);
      p_.FramedCell(Rect{Left(), barBottom, Right(), r}, s_.HdrFillColor, Text(*note),
                    VAlign::Bottom, HAlign::Left, Px(0.2));
    }
  } else {
    // Centred as one line; a heading wider than the text area wraps within it.
    p_.SetFont(16);
    x = (Left() + Right() - p_.canvas().TextWidth(heading)) / 2;
    r = p_.TextBlock(x, y + Px(2), HAlign::Left, heading, width);
  }

  if (doc_.Kind() == DocumentKind::Correction) {
    p_.SetFont(10, kBlack, kBold);
    r = p_.TextBlock(x, r, HAlign::Left, Text(TextKey::RefersTo) + " " + doc_.CorrectedNumber(),
                     width);
  }
  if (!SecondTemplate()) {
    if (old) {
      p_.SetFont(10);
      r = p_.TextBlock(x, r, HAlign::Left, copyMark_, width);
    } else if (note) {
      p_.SetFont(9);
      r = p_.TextBlock(x, r, HAlign::Left, Text(*note), width);
    }
  }
  return r;
}

int PageBlocks::SellerAndBuyer(int y) {
  const int mid = Mid();
  const bool second = SecondTemplate();
  if (second) p_.SetFont(8);
  else p_.SetFont(10, kBlack, kBold | kUnderline);
  p_.TextLine(Left(), y + Px(1), Text(TextKey::Seller) + ":");
  p_.TextLine(mid + Px(4), y + Px(1), Text(TextKey::Buyer) + ":");

  auto column = [&](int left, int right, const std::string& name, const std::string& address,
                    const std::string& nip) {
    int t = y + Px(6);
    p_.SetFont(10, kBlack, second ? unsigned{kBold} : 0u);
    t += p_.CellText(Rect{left, t, right, Bottom()}, Trim(name), VAlign::Top, HAlign::Left, 0);
    p_.SetFont(10);
    t += p_.CellText(Rect{left, t, right, Bottom()}, Trim(address), VAlign::Top, HAlign::Left, 0);
    const std::string taxId = Trim(nip);
    if (taxId.empty()) return t;
    return p_.TextBlock(left, t, HAlign::Left, Text(TextKey::TaxId) + ": " + taxId, right - left);
  };
  const int seller = column(Left(), mid - Px(4), doc_.SellerName(), doc_.SellerAddress(),
                            doc_.SellerNIP());
  const int buyer = column(mid + Px(4), Right(), doc_.BuyerName(), doc_.BuyerAddress(),
                           doc_.BuyerNIP());
  return std::max(seller, buyer);
}

}  // namespace bilvox
