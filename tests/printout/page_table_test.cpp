// The items table and the VAT summary on the canvas with fixed metrics: column edges and
// header heights of the three layouts, row heights from the running millimetres, cell
// texts, the summary's skipped rows, foreign-currency VAT and the correction's two tables.
#include <limits>

#include "printout/page_fixture.h"

namespace bilvox {
namespace {

using testing::C;
using testing::PageTest;

std::vector<std::pair<int, int>> Spans(const std::vector<Rect>& rects, size_t n) {
  std::vector<std::pair<int, int>> out;
  for (size_t i = 0; i < n && i < rects.size(); ++i) out.emplace_back(rects[i].left, rects[i].right);
  return out;
}

using SpanList = std::vector<std::pair<int, int>>;

TEST_F(PageTest, ColumnEdgesAndHeaderHeightsOfTheThreeLayouts) {
  const ColorRef fill = settings.HdrFillColor;
  AddLine("Pióro"_cp);

  ASSERT_TRUE(Draw());
  auto h = Fills(fill);
  ASSERT_GE(h.size(), 10u);
  EXPECT_EQ(Spans(h, 10), (SpanList{{425, 623}, {623, 2409}, {2409, 2976}, {2976, 3260},
                                    {3260, 3543}, {3543, 4039}, {4039, 4535}, {4535, 5527},
                                    {4535, 5031}, {5031, 5527}}));
  const int top = h[0].top;
  EXPECT_EQ(h[0].bottom, top + 227);  // 8 mm
  EXPECT_EQ(h[7].bottom, top + 113);  // the VAT group over the top half
  EXPECT_EQ(h[8].top, top + 113);
  EXPECT_EQ(h[9].bottom, top + 227);
  // Headings wrap in their columns (10 characters of 7 pt in the price columns).
  EXPECT_TRUE(Has("Podatek VAT"));
  EXPECT_EQ(Count("netto"), 2);

  doc.SetGrossPricing(true);
  ASSERT_TRUE(Draw());
  EXPECT_EQ(Count("netto"), 0);
  EXPECT_EQ(Count("brutto"), 2);
  doc.SetGrossPricing(false);

  doc.Fields().VatInvoiceType = kVatTypeWithoutVat;
  ASSERT_TRUE(Draw());
  h = Fills(fill);
  EXPECT_EQ(Spans(h, 6), (SpanList{{425, 623}, {623, 3260}, {3260, 3685}, {3685, 4110},
                                   {4110, 4819}, {4819, 5527}}));
  EXPECT_EQ(h[0].Height(), 227);
  EXPECT_TRUE(Has("jednostkowa"));
  EXPECT_FALSE(Has("Razem"));  // no VAT summary

  doc.Fields().VatInvoiceType = kVatTypeMargin;
  ASSERT_TRUE(Draw());
  h = Fills(fill);
  EXPECT_EQ(Spans(h, 7), (SpanList{{425, 623}, {623, 2834}, {2834, 3543}, {3543, 3968},
                                   {3968, 4394}, {4394, 4960}, {4960, 5527}}));
  EXPECT_EQ(h[0].Height(), 198);  // 7 mm
  EXPECT_EQ(Count("brutto"), 2);
  EXPECT_FALSE(Has("Razem"));

  // A bill uses the layout without VAT whatever its type.
  doc.Fields().Kind = DocumentKind::Bill;
  ASSERT_TRUE(Draw());
  EXPECT_EQ(Fills(fill)[1].right, 3260);
}

TEST_F(PageTest, RowHeightsFollowTheRunningMillimetres) {
  // At 100 dpi a 7 pt line is 10 pixels, the inset 3 and the name 40 characters wide.
  AddLine("Pióro"_cp, "10", 7, 2.5);
  std::string longName;
  for (int i = 0; i < 10; ++i) longName += "abcdefghi ";
  AddLine(longName);
  AddLine("Zeszyt");
  ASSERT_TRUE(Draw(100));
  const int top = Fills(settings.HdrFillColor)[0].top;
  std::vector<Rect> names;
  for (const CanvasCall* r : Kind(CanvasCall::Kind::Rectangle))
    if (r->pen && !r->fill && r->rect.left == 59 + 28 - 1 && r->rect.top > top + 29) names.push_back(r->rect);
  ASSERT_EQ(names.size(), 3u);
  // 8 mm of header, then rows of 5, 10 and 5 whole millimetres: bottoms at px(13), px(23)
  // and px(28) below the header's top (51, 91, 110), not sums of rounded pixel heights.
  EXPECT_EQ(names[0], (Rect{86, top + 30, 59 + 276, top + 51}));
  EXPECT_EQ(names[1], (Rect{86, top + 50, 59 + 276, top + 91}));
  EXPECT_EQ(names[2], (Rect{86, top + 90, 59 + 276, top + 110}));
  // Every cell of the three-line row stands on its bottom (less the inset).
  EXPECT_EQ(TextAt("2").rect.bottom, top + 91 - 3);
  EXPECT_EQ(TextAt("2,5").rect.bottom, top + 51 - 3);

  settings.RowAlign = 0;
  ASSERT_TRUE(Draw(100));
  EXPECT_EQ(TextAt("2").rect.top, top + 51 + 3);
  settings.RowAlign = 2;
  ASSERT_TRUE(Draw(100));
  EXPECT_EQ(TextAt("2").rect.top, (top + 51 + top + 91 - 10) / 2);

  // The margin layout stands every cell on the bottom whatever the setting.
  doc.Fields().VatInvoiceType = kVatTypeMargin;
  ASSERT_TRUE(Draw(100));
  const int marginTop = Fills(settings.HdrFillColor)[0].top;
  // Rows of 4 and 6 mm there (an inset of 0.3 mm, a name 50 characters wide).
  EXPECT_EQ(TextAt("2").rect.bottom, marginTop + MmToDevice(100, 7 + 4 + 6) - 1);
}

TEST_F(PageTest, NoLinesLeaveTheHeaderAlone) {
  ASSERT_TRUE(Draw());
  const Rect header = Fills(settings.HdrFillColor)[0];
  // The table's shadow runs along the header's bottom.
  bool shadow = false;
  for (const Rect& r : Fills(settings.ShadowColor))
    shadow |= r == Rect{425 + 37, header.bottom, 5528 + 37, header.bottom + 37};
  EXPECT_TRUE(shadow);
}

TEST_F(PageTest, CellTextsAndNumberForms) {
  AddLine("Pióro"_cp, "12.345", 7, 1.5);
  AddLine("Usługa"_cp, "50", kVatIndexExempt);
  AddLine("Opłata"_cp, "7", kVatIndexNotSubject);
  ASSERT_TRUE(Draw());
  EXPECT_TRUE(Has("12,345zł"_cp));  // unit price with up to four decimals
  EXPECT_TRUE(Has("1,5"));
  EXPECT_TRUE(Has("18,52zł"_cp));   // value with two
  EXPECT_TRUE(Has("23%"));
  EXPECT_TRUE(Has("4,26zł"_cp));
  EXPECT_TRUE(Has("szt."));
  // The not-subject rate is in 6 pt (wrapping in its column) in the row, 7 pt in the summary.
  EXPECT_EQ(TextAt("nie podl.").font.points, 6);
  EXPECT_EQ(TextAt("nie podl. opod.").font.points, 7);
  EXPECT_EQ(Count("zwoln."), 2);
}

TEST_F(PageTest, RatesFromADamagedFileAreShownAtAnySize) {
  AddLine("A", "1", 7);
  AddLine("B", "1", 7);
  doc.Line(0).VatRate = Currency::FromRaw(123456);
  doc.Line(1).VatRate = Currency::FromRaw(std::numeric_limits<int64_t>::min() / 3);
  ASSERT_TRUE(Draw());
  EXPECT_TRUE(Has("1234,56%"));
  // The percentage stops at the type's limit (wrapped in its narrow column).
  std::string drawn;
  for (const CanvasCall* c : canvas.Texts()) drawn += c->text;
  EXPECT_NE(drawn.find("-922337203685477,5808%"), std::string::npos);
}

TEST_F(PageTest, SummarySkipsRatesWithoutNetSum) {
  AddLine("A", "100", 7);
  AddLine("B", "50", kVatIndexExempt);
  AddLine("C", "0", 3);
  ASSERT_TRUE(Draw());
  EXPECT_EQ(Count("23%"), 2);  // the row and the summary
  EXPECT_EQ(Count("0%"), 1);   // the row only
  EXPECT_EQ(Count("zwoln."), 2);
  const auto fills = Fills(settings.HdrFillColor);
  // Items header (10), summary header (4), "Razem".
  ASSERT_EQ(fills.size(), 15u);
  const Rect& head = fills[10];
  EXPECT_EQ(SpanList({{fills[10].left, fills[10].right}, {fills[13].left, fills[13].right}}),
            (SpanList{{2976, 3827}, {4960, 5527}}));
  EXPECT_EQ(head.Height(), 255 - 128);
  // Two rows of 4 mm, then the total row of 4.5 mm.
  EXPECT_EQ(fills[14], (Rect{2976, head.bottom + 2 * 113, 3827, head.bottom + 2 * 113 + 128}));
  EXPECT_EQ(TextAt("Razem").rect.bottom, fills[14].bottom - 23);
  EXPECT_TRUE(Has("123,00zł"_cp));
}

TEST_F(PageTest, ForeignCurrencyShowsTheTaxInZloty) {
  doc.SetCurrency("EUR");
  doc.SetExchangeRate(C("4"));
  AddLine("A", "100", 7);
  AddLine("C", "10", 3);
  ASSERT_TRUE(Draw());
  EXPECT_EQ(Count("92,00zł"_cp), 3);  // the row, the 23% summary row and the total
  EXPECT_EQ(Count("100,00€"_cp), 3);  // unit price, value, net sum
  EXPECT_TRUE(Has("123,00€"_cp));
  EXPECT_TRUE(Has("0,00zł"_cp));      // the 0% row's tax
  EXPECT_TRUE(Has("0,00"));           // the 0% summary row's tax, without a symbol
  EXPECT_TRUE(Has("Do zapłaty:   133,00€"_cp));
  // Payment and the tail are in złoty again.
  EXPECT_TRUE(Has("0,00€"_cp));       // paid, in the document's currency

  // Without a rate the tax stays in the document's currency.
  doc.Fields().ExchangeRate = Currency{};
  ASSERT_TRUE(Draw());
  EXPECT_EQ(Count("23,00€"_cp), 3);
}

TEST_F(PageTest, CorrectionHasTablesBeforeAndAfter) {
  AddLine("A", "100");
  AddLine("B", "10");
  doc.DeriveCorrection();
  doc.AddLine("Nowy", "", 7, false, C("5"), 1, "", "", "szt.");
  ASSERT_TRUE(Draw());
  const CanvasCall& before = TextAt("BYŁO"_cp);
  const CanvasCall& after = TextAt("POWINNO BYĆ"_cp);
  EXPECT_EQ(before.font.style, unsigned{kBold});
  EXPECT_LT(before.rect.top, after.rect.top);
  EXPECT_EQ(Count("Nowy"), 1);
  EXPECT_EQ(Count("A"), 2);
  // The label box is 30 mm wide and 4.5 mm high; its shadow runs down its right side and
  // the table starts right under it.
  const auto fills = Fills(settings.HdrFillColor);
  bool labelShadow = false;
  for (const Rect& r : Fills(settings.ShadowColor))
    labelShadow |= r.left == 425 + 850 && r.right == 425 + 850 + 37 && r.bottom == fills[0].top;
  EXPECT_TRUE(labelShadow);
}

}  // namespace
}  // namespace bilvox
