// The items table in its three layouts and the VAT summary by rate.
#include <span>
#include <vector>

#include "printout/page_blocks.h"
#include "words/money_text.h"

namespace bilvox {

namespace {

enum class Layout { Vat, NoVat, Margin };

// Right edges of the columns in millimetres from the left limit, one per heading. In the
// VAT layout the eighth heading is the group over the last two columns (145–180 mm).
constexpr double kVatHeadingEdges[] = {7, 70, 90, 100, 110, 127.5, 145, 180, 162.5, 180};
constexpr double kVatRowEdges[] = {7, 70, 90, 100, 110, 127.5, 145, 162.5, 180};
constexpr double kNoVatEdges[] = {7, 100, 115, 130, 155, 180};
constexpr double kMarginEdges[] = {7, 85, 110, 125, 140, 160, 180};
constexpr double kSummaryEdges[] = {90, 120, 140, 160, 180};

Layout LayoutOf(const TFaktura& d) {
  if (d.Kind() == DocumentKind::Invoice && d.VatInvoiceType() == kVatTypeMargin)
    return Layout::Margin;
  if (d.Kind() == DocumentKind::Bill || d.VatInvoiceType() == kVatTypeWithoutVat)
    return Layout::NoVat;
  return Layout::Vat;
}

// "23%", "8,5%"; the exempt and not-subject markers by their texts.
std::string RateText(Currency rate) {
  if (rate == VatRateTable[kVatIndexExempt]) return Text(TextKey::RateExempt);
  if (rate == VatRateTable[kVatIndexNotSubject]) return Text(TextKey::RateNotSubject);
  // A rate read from a damaged file may be any amount; beyond the range of the type its
  // percentage stops at the type's limit, as every rounded amount does.
  return ShortDecimalText(Currency::FromRaw(RoundRaw(rate.raw * 100.0L))) + "%";
}

VAlign RowAlignment(int32_t setting) {
  switch (setting) {
    case 0: return VAlign::Top;
    case 2: return VAlign::Center;
    default: return VAlign::Bottom;
  }
}

struct Cell {
  std::string text;
  HAlign align = HAlign::Right;
  int points = 7;
};

}  // namespace

std::string PageBlocks::VatAmountText(Currency vat, bool summary) {
  const std::string& code = doc_.CurrencyCode();
  const Currency rate = doc_.ExchangeRate();
  if (code == "PLN" || rate <= Currency{}) return MoneyCurrencyText(vat, true);
  // The tax of a foreign-currency document is shown in złoty.
  const Currency pln = RoundGrosz(
      Currency::FromRaw(RoundRaw(static_cast<long double>(vat.raw) * rate.raw / 10000.0L)));
  if (summary && pln == Currency{}) return MoneyText(pln, true);
  SetCurrencyDisplay("PLN");
  std::string text = MoneyCurrencyText(pln, false);
  SetCurrencyDisplay(code);
  return text;
}

int PageBlocks::ItemsTable(int y, bool priorLines) {
  const Layout layout = LayoutOf(doc_);
  const int inset = Px(layout == Layout::Margin ? 0.3 : 0.8);
  auto edge = [&](double mm) { return Left() + Px(mm); };

  y += Px(s_.TabTowDist);
  if (doc_.Kind() == DocumentKind::Correction) {
    // The label box "before" or "after" over the table's left end.
    p_.SetFont(8, kBlack, kBold);
    p_.FramedCell(Rect{Left(), y, edge(30), y + Px(4.5)}, kWhite,
                  Text(priorLines ? TextKey::Before : TextKey::After), VAlign::Center,
                  HAlign::Center, inset);
    p_.Shadow(Rect{edge(30), y + Px(1.3), edge(30) + Px(1.3), y + Px(4.5)});
    y += Px(4.5);
  }

  // Header.
  const int top = y;
  const double headerMm = layout == Layout::Margin ? 7.0 : 8.0;
  const int headerBottom = top + Px(headerMm);
  p_.SetFont(7, s_.HdrTextColor, kBold);
  auto heading = [&](double fromMm, double toMm, int from, int to, const std::string& text) {
    p_.FramedCell(Rect{edge(fromMm), from, edge(toMm), to},
                  s_.HdrFillColor, text, VAlign::Center, HAlign::Center, inset);
  };
  std::vector<std::string> headings;
  std::span<const double> headingEdges;
  std::span<const double> rowEdges;
  switch (layout) {
    case Layout::Vat: {
      const auto& h = VatColumnHeadings();
      headings.assign(h.begin(), h.end());
      if (doc_.GrossPricing()) {
        headings[5] = Text(TextKey::ColUnitGross);
        headings[6] = Text(TextKey::ColGrossValue);
      }
      headingEdges = kVatHeadingEdges;
      rowEdges = kVatRowEdges;
      break;
    }
    case Layout::NoVat: {
      const auto& h = NoVatColumnHeadings();
      headings.assign(h.begin(), h.end());
      headingEdges = kNoVatEdges;
      rowEdges = kNoVatEdges;
      break;
    }
    case Layout::Margin:
      for (TextKey k : {TextKey::ColNo, TextKey::ColName, TextKey::ColPkwiu, TextKey::ColUnit,
                        TextKey::ColQty, TextKey::ColUnitGross, TextKey::ColGrossValue})
        headings.push_back(Text(k));
      headingEdges = kMarginEdges;
      rowEdges = kMarginEdges;
      break;
  }
  if (layout == Layout::Vat) {
    for (int c = 0; c < 7; ++c)
      heading(c == 0 ? 0 : kVatHeadingEdges[c - 1], kVatHeadingEdges[c], top, headerBottom,
              headings[c]);
    // The VAT group over its two columns, which share the lower half.
    const int half = top + Px(4);
    heading(145, 180, top, half, headings[7]);
    heading(145, 162.5, half, headerBottom, headings[8]);
    heading(162.5, 180, half, headerBottom, headings[9]);
  } else {
    for (size_t c = 0; c < headings.size(); ++c)
      heading(c == 0 ? 0 : headingEdges[c - 1], headingEdges[c], top, headerBottom, headings[c]);
  }

  // Rows: each row's bottom comes from the running total of whole millimetres.
  p_.SetFont(7);
  const int language = ActiveLanguage();
  const int nameWidth = Px(rowEdges[1] - rowEdges[0]) - 2 * inset;
  const VAlign valign = layout == Layout::Margin ? VAlign::Bottom : RowAlignment(s_.RowAlign);
  const bool gross = doc_.GrossPricing();
  double heightMm = headerMm;
  int rowTop = headerBottom;
  const int count = priorLines ? doc_.PriorLineCount() : doc_.LineCount();
  for (int i = 0; i < count; ++i) {
    const TTowar& line = priorLines ? doc_.PriorLine(i) : doc_.Line(i);
    const std::string name = line.NameFor(language);
    const int textHeight = p_.MeasureHeight(name, nameWidth);
    heightMm += DeviceToMm(textHeight + 2 * inset, p_.Dpi());
    const int rowBottom = top + Px(heightMm);

    std::vector<Cell> cells;
    cells.push_back({std::to_string(i + 1), HAlign::Center});
    cells.push_back({name, HAlign::Left});
    if (layout != Layout::NoVat) cells.push_back({line.Pkwiu, HAlign::Center});
    cells.push_back({line.UnitFor(language)});
    cells.push_back({GeneralNumberText(line.Quantity)});
    switch (layout) {
      case Layout::Vat:
        cells.push_back({MoneyCurrencyText(gross ? line.GrossUnitPrice() : line.NetUnitPrice(), false)});
        cells.push_back({MoneyCurrencyText(gross ? line.GrossValue() : line.NetValue(), true)});
        cells.push_back({RateText(line.VatRate), HAlign::Right,
                         line.VatRate == VatRateTable[kVatIndexNotSubject] ? 6 : 7});
        cells.push_back({VatAmountText(line.VatValue(), false)});
        break;
      case Layout::NoVat:
        cells.push_back({MoneyCurrencyText(line.NetUnitPrice(), false)});
        cells.push_back({MoneyCurrencyText(line.NetValue(), true)});
        break;
      case Layout::Margin:
        cells.push_back({MoneyCurrencyText(line.GrossUnitPrice(), false)});
        cells.push_back({MoneyCurrencyText(line.GrossValue(), true)});
        break;
    }
    int x = Left();
    for (size_t c = 0; c < cells.size(); ++c) {
      const int right = edge(rowEdges[c]);
      if (cells[c].points != 7) p_.SetFont(cells[c].points);
      p_.FramedCell(Rect{x, rowTop, right, rowBottom}, kWhite, cells[c].text, valign,
                    cells[c].align, inset);
      if (cells[c].points != 7) p_.SetFont(7);
      x = right;
    }
    rowTop = rowBottom;
    StopWhenPastBottom(rowTop);
  }

  const int bottom = rowTop;
  p_.Shadow(Rect{edge(rowEdges.back()), top + Px(1.3), Right() + Px(1.3), bottom + Px(1.3)});
  p_.Shadow(Rect{Left() + Px(1.3), bottom, Right() + Px(1.3), bottom + Px(1.3)});
  return bottom;
}

int PageBlocks::VatSummary(int y) {
  const int inset = Px(0.8);
  auto edge = [&](int c) { return Left() + Px(kSummaryEdges[c]); };
  const int headerTop = y + Px(4.5);
  const int headerBottom = y + Px(9);
  p_.SetFont(7, s_.HdrTextColor, kBold);
  const auto& headings = VatSummaryHeadings();
  for (int c = 0; c < 4; ++c)
    p_.FramedCell(Rect{edge(c), headerTop, edge(c + 1), headerBottom}, s_.HdrFillColor,
                  headings[c], VAlign::Center, HAlign::Center, inset);

  auto cell = [&](int c, int top, int bottom, const std::string& text) {
    p_.FramedCell(Rect{edge(c), top, edge(c + 1), bottom}, kWhite, text, VAlign::Bottom,
                  HAlign::Right, inset);
  };
  p_.SetFont(7);
  int top = headerBottom;
  for (int slot = 0; slot < kVatRateCount; ++slot) {
    if (slot == kVatIndexAll || doc_.NetSum(slot) == Currency{}) continue;
    const int bottom = top + Px(4);
    cell(0, top, bottom, RateText(VatRateTable[slot]));
    cell(1, top, bottom, MoneyCurrencyText(doc_.NetSum(slot), true));
    cell(2, top, bottom, VatAmountText(doc_.VatSum(slot), true));
    cell(3, top, bottom, MoneyCurrencyText(doc_.GrossSum(slot), true));
    top = bottom;
  }

  const int bottom = top + Px(4.5);
  p_.SetFont(7, s_.HdrTextColor, kBold);
  p_.FramedCell(Rect{edge(0), top, edge(1), bottom}, s_.HdrFillColor, Text(TextKey::SumTotal),
                VAlign::Bottom, HAlign::Right, inset);
  p_.SetFont(7);
  cell(1, top, bottom, MoneyCurrencyText(doc_.NetSum(kVatIndexAll), true));
  cell(2, top, bottom, VatAmountText(doc_.VatSum(kVatIndexAll), true));
  cell(3, top, bottom, MoneyCurrencyText(doc_.GrossSum(kVatIndexAll), true));

  p_.Shadow(Rect{edge(4), headerTop + Px(1.3), Right() + Px(1.3), bottom + Px(1.3)});
  p_.Shadow(Rect{edge(0) + Px(1.3), bottom, Right() + Px(1.3), bottom + Px(1.3)});
  return bottom;
}

bool PageBlocks::HasVatSummary() const {
  return doc_.Kind() != DocumentKind::Bill && doc_.VatInvoiceType() != kVatTypeMargin &&
         doc_.VatInvoiceType() != kVatTypeWithoutVat;
}

}  // namespace bilvox
