// The head of the page on the canvas with fixed metrics: the sheet and text area, the
// information frame and logo sizes, the dates block, the title rules around 2013 and the
// seller and buyer columns.
#include "printout/page_fixture.h"

namespace bilvox {
namespace {

using testing::PageTest;

TEST_F(PageTest, PreviewDrawsTheSheetWithItsShadowAndSetsTheTextArea) {
  ASSERT_TRUE(Draw());
  const auto& calls = canvas.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0].rect, (Rect{5953, 5, 5958, 8424}));
  EXPECT_EQ(calls[0].fill, 0x5F5F5Fu);
  EXPECT_EQ(calls[1].rect, (Rect{5, 8419, 5958, 8424}));
  EXPECT_EQ(calls[2].rect, (Rect{0, 0, 5953, 8419}));
  EXPECT_EQ(calls[2].pen, (Pen{kBlack, 1}));
  EXPECT_EQ(calls[2].fill, kWhite);
  EXPECT_EQ(area, (Rect{425, 425, 5528, 8022}));
  // The dates block starts 70 mm left of the right limit, at the top limit.
  EXPECT_EQ(TextAt("Miejsce wystawienia").rect.left, 5528 - 1984);
  EXPECT_EQ(TextAt("Miejsce wystawienia").rect.top, 425);
}

TEST_F(PageTest, WithoutLogoAndInformationTextsTheDatesDecideWhereTheTitleStarts) {
  doc.SetInfoText1("");
  doc.SetInfoText2("");
  ASSERT_TRUE(Draw());
  // No frame: the only outlined white rectangle is the sheet.
  int whiteFrames = 0;
  for (const CanvasCall* r : Kind(CanvasCall::Kind::Rectangle)) whiteFrames += r->pen && r->fill == kWhite;
  EXPECT_EQ(whiteFrames, 1);
  // Three rows of 7 pt; the delivery-date label takes two lines: 425 + 4 × 70, then 2 mm.
  EXPECT_EQ(TextAt("Faktura  FV 1/2027").rect.top, 705 + 57);
}

TEST_F(PageTest, InformationFrameFitsBothTextsSideBySide) {
  ASSERT_TRUE(Draw());  // the default texts: 2 lines (11 characters) and 4 lines (25)
  const auto rects = Kind(CanvasCall::Kind::Rectangle);
  // After the sheet: the frame's shadow, then the white frame.
  ASSERT_GE(rects.size(), 5u);
  EXPECT_EQ(rects[3]->rect, (Rect{462, 462, 2258, 856}));
  EXPECT_EQ(rects[3]->fill, 0x9F9F9Fu);
  EXPECT_EQ(rects[4]->rect, (Rect{425, 425, 2221, 819}));
  EXPECT_EQ(rects[4]->fill, kWhite);
  // Both texts stand on the frame's bottom, 2 mm inside it; 6 mm between them.
  EXPECT_EQ(TextAt("Adres www").rect, (Rect{482, 692, 482 + 9 * 42, 762}));
  EXPECT_EQ(TextAt("Adres firmy").rect.top, 482);
  EXPECT_EQ(TextAt("Adres firmy").rect.left, 482 + 462 + 170);
  // The frame (with its 1.3 mm) is lower than the dates: the title follows it.
  EXPECT_EQ(TextAt("Faktura  FV 1/2027").rect.top, 856 + 57);
}

struct LogoCase {
  const char* what;
  int width, height;
  std::string leftText;
  bool automatic;
  Rect expected;
};

TEST_F(PageTest, LogoSizeInTheInformationFrame) {
  const LogoCase cases[] = {
      // Fitted 50 mm wide, then beside a narrow text 35 mm wide, which is lower than
      // 15 mm, so back to the fitted height (the width follows).
      {"wide", 400, 100, "ab", true, Rect{482, 482, 482 + 1416, 482 + 354}},
      // Capped at 30 mm high; the wider text keeps the fitted size.
      {"tall", 100, 400, std::string(40, 'w'), true, Rect{482, 482, 482 + 212, 482 + 850}},
      // Beside a narrow text 35 mm wide, which can be larger than fitted ...
      {"narrow text", 200, 100, "ab", true, Rect{482, 482, 482 + 992, 482 + 496}},
      // ... or as wide as the text when that is wider.
      {"text width", 200, 100, std::string(30, 'w'), true, Rect{482, 482, 482 + 1260, 482 + 630}},
      // A fixed width of 20 mm.
      {"fixed", 200, 100, "ab", false, Rect{482, 482, 482 + 567, 482 + 283}},
  };
  for (const LogoCase& c : cases) {
    SCOPED_TRACE(c.what);
    SetLogo(c.width, c.height);
    doc.SetInfoText1(c.leftText);
    doc.SetInfoText2("x");
    settings.LogoWidthAuto = c.automatic;
    settings.LogoWidth = 20;
    ASSERT_TRUE(Draw());
    const auto images = Kind(CanvasCall::Kind::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->rect, c.expected);
    EXPECT_EQ(images[0]->imageWidth, c.width);
    doc.SetLogoFileName("");
  }
}

TEST_F(PageTest, FrameAroundAWideLogo) {
  SetLogo(400, 100);
  doc.SetInfoText1("ab");
  doc.SetInfoText2("x");
  ASSERT_TRUE(Draw());
  // 6 + 2 × 2 mm around a left column as wide as the logo and the 42-pixel right text; the
  // logo and the 70-pixel text above each other with 2 mm at the top, middle and bottom.
  const auto rects = Kind(CanvasCall::Kind::Rectangle);
  EXPECT_EQ(rects[4]->rect, (Rect{425, 425, 425 + 170 + 1416 + 42 + 114, 425 + 354 + 70 + 171}));
  EXPECT_EQ(TextAt("ab").rect.top, 1020 - 57 - 70);
  EXPECT_EQ(TextAt("x").rect.left, 482 + 1416 + 170);
}

TEST_F(PageTest, TitleAndCopyMarkAroundTheStartOf2013) {
  doc.Fields().IssueDate = DayNumber(2012, 12, 31);
  ASSERT_TRUE(Draw());
  EXPECT_TRUE(Has("Faktura VAT  FV 1/2027"));
  EXPECT_EQ(TextAt("MARK").font.points, 10);
  EXPECT_TRUE(Has("Data sprzedaży:"_cp));

  doc.Fields().IssueDate = DayNumber(2013, 1, 1);
  ASSERT_TRUE(Draw());
  // Centred as one line of 18 characters of 96 pixels.
  EXPECT_EQ(TextAt("Faktura  FV 1/2027").rect.left, (425 + 5528 - 18 * 96) / 2);
  EXPECT_FALSE(Has("MARK"));
  EXPECT_TRUE(Has("Data zak. dostawy / wykonania"));
}

TEST_F(PageTest, TitlesAndNotesByKindAndType) {
  struct Case {
    DocumentKind kind;
    uint8_t type, procedure;
    std::string_view title, note;
  };
  const Case cases[] = {
      {DocumentKind::Invoice, kVatTypeVatMp, 0, "Faktura", "Metoda kasowa"},
      {DocumentKind::Invoice, kVatTypeMargin, 2, "Faktura", "Procedura marży – dzieła sztuki"_cp},
      {DocumentKind::Invoice, kVatTypeMargin, 3, "Faktura",
       "Procedura marży – przedmioty kolekcjonerskie i antyki"_cp},
      {DocumentKind::Invoice, kVatTypeProForma, 0, "Faktura pro forma", ""},
      {DocumentKind::Bill, kVatTypeMargin, 0, "Rachunek", ""},
      {DocumentKind::CorrectionNote, kVatTypeVatMp, 0, "Nota korygująca"_cp, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.title));
    doc.Fields().Kind = c.kind;
    doc.Fields().VatInvoiceType = c.type;
    doc.Fields().MarginProcedure = c.procedure;
    ASSERT_TRUE(Draw());
    const CanvasCall& heading = TextAt(std::string(c.title) + "  FV 1/2027");
    if (!c.note.empty()) {
      // Under the heading, starting where it starts, in 9 pt.
      const CanvasCall& note = TextAt(c.note);
      EXPECT_EQ(note.rect.left, heading.rect.left);
      EXPECT_EQ(note.rect.top, heading.rect.bottom);
      EXPECT_EQ(note.font.points, 9);
    }
  }
}

TEST_F(PageTest, CorrectionNamesTheCorrectedInvoice) {
  doc.Fields().Kind = DocumentKind::Correction;
  doc.Fields().CorrectedNumber = "FV 7/2027";
  ASSERT_TRUE(Draw());
  const CanvasCall& heading = TextAt("Faktura korygująca  FV 1/2027"_cp);
  const CanvasCall& ref = TextAt("dotyczy faktury VAT FV 7/2027");
  EXPECT_EQ(ref.rect.left, heading.rect.left);
  EXPECT_EQ(ref.rect.top, heading.rect.bottom);
  EXPECT_EQ(ref.font.style, unsigned{kBold});
}

TEST_F(PageTest, SecondTemplateTitleBars) {
  settings.DocTemplate = 1;
  const ColorRef fill = settings.HdrFillColor;
  doc.Fields().IssueDate = DayNumber(2012, 12, 31);
  ASSERT_TRUE(Draw());
  // Dates end at 425 + 3 × 70; the bar starts 1 mm lower and is "s1" + 0.5 mm high.
  auto fills = Fills(fill);
  ASSERT_GE(fills.size(), 2u);
  EXPECT_EQ(fills[0], (Rect{425, 663, 5528 - 907, 663 + 130 + 14}));
  EXPECT_EQ(fills[1], (Rect{5528 - 907, 663, 5528, 663 + 130 + 14}));
  EXPECT_EQ(TextAt("MARK").rect.right, 5528 - 14);  // right-aligned, 0.5 mm inside
  EXPECT_EQ(Fills(settings.ShadowColor)[0], (Rect{425 + 37, 663 + 37, 5528 + 37, 807 + 37}));
  // No information frame at the head in this template.
  EXPECT_TRUE(Kind(CanvasCall::Kind::Image).empty());

  doc.Fields().IssueDate = DayNumber(2013, 1, 1);
  doc.Fields().VatInvoiceType = kVatTypeVatMp;
  ASSERT_TRUE(Draw());
  fills = Fills(fill);
  EXPECT_EQ(fills[0], (Rect{425, 733, 5528, 877}));
  EXPECT_EQ(fills[1], (Rect{425, 877, 5528, 877 + 14 + 90}));  // the note's bar
  EXPECT_EQ(TextAt("Metoda kasowa").font.style, unsigned{kBold});
  EXPECT_FALSE(Has("MARK"));
}

TEST_F(PageTest, DeliveryDateStandsOnTheLabelsLastLine) {
  ASSERT_TRUE(Draw());
  EXPECT_EQ(TextAt("2027-03-05").rect.top, TextAt("Data wystawienia:").rect.top);
  // The label wraps in its 47 mm: the sale date stands beside "usług:".
  EXPECT_EQ(Count("2027-03-05"), 3);  // issue, sale and due dates
  const CanvasCall* sale = canvas.Texts()[0];
  for (const CanvasCall* t : canvas.Texts())
    if (t->text == "2027-03-05" && t->rect.top > TextAt("Data wystawienia:").rect.top) {
      sale = t;
      break;
    }
  EXPECT_EQ(sale->rect.top, TextAt("usług:"_cp).rect.top);
  EXPECT_EQ(sale->rect.right, 5528);

  // Polish-German: three label lines, the value on the third.
  doc.SetLanguage(1);
  ASSERT_TRUE(Draw());
  const int last = TextAt("Lieferung / Leistung erbracht:").rect.top;
  EXPECT_EQ(last, TextAt("usług"_cp).rect.top + 70);
  bool found = false;
  for (const CanvasCall* t : canvas.Texts()) found |= t->text == "2027-03-05" && t->rect.top == last;
  EXPECT_TRUE(found);
}

TEST_F(PageTest, SaleDateLabelAndMonthOfAContinuousSale) {
  doc.Fields().Kind = DocumentKind::Bill;
  doc.Fields().ContinuousSale = true;
  ASSERT_TRUE(Draw());
  EXPECT_TRUE(Has("Data sprzedaży:"_cp));
  EXPECT_TRUE(Has("marzec 2027"));

  doc.SetLanguage(2);
  ASSERT_TRUE(Draw());
  EXPECT_TRUE(Has("Verkaufsdatum:"));
  EXPECT_TRUE(Has("03.2027"));
}

TEST_F(PageTest, CurrencyAndRateRows) {
  ASSERT_TRUE(Draw());
  EXPECT_FALSE(Has("Waluta:"));

  doc.SetCurrency("EUR");
  doc.SetExchangeRate(testing::C("4.2"));
  ASSERT_TRUE(Draw());
  const CanvasCall& label = TextAt("Waluta:");
  EXPECT_EQ(TextAt("EUR").rect.top, label.rect.top);
  EXPECT_EQ(TextAt("EUR").rect.right, 5528);
  // The rate row starts under the currency label; its value wraps in the 23 mm column.
  EXPECT_EQ(TextAt("Kurs:").rect.top, label.rect.bottom);
  EXPECT_EQ(TextAt("1 EUR =").rect.top, label.rect.bottom);
  EXPECT_TRUE(Has("4,2000zł"_cp));

  doc.Fields().ExchangeRate = Currency{};
  ASSERT_TRUE(Draw());
  EXPECT_TRUE(Has("Waluta:"));
  EXPECT_FALSE(Has("Kurs:"));
}

TEST_F(PageTest, SellerAndBuyerColumns) {
  doc.SetSellerName("  Firma  ");
  doc.SetSellerAddress("ul. Długa 1\r\nWarszawa"_cp);
  doc.SetSellerNIP("123");
  doc.SetBuyerName("Klient");
  ASSERT_TRUE(Draw());
  const CanvasCall& seller = TextAt("Sprzedawca:");
  const CanvasCall& buyer = TextAt("Nabywca:");
  EXPECT_EQ(seller.rect.left, 425);
  EXPECT_EQ(buyer.rect.left, (425 + 5528) / 2 + 113);
  EXPECT_EQ(buyer.rect.top, seller.rect.top);
  EXPECT_EQ(seller.font.style, unsigned{kBold | kUnderline});
  const CanvasCall& name = TextAt("Firma");  // trimmed
  EXPECT_EQ(name.rect.top, seller.rect.top - 28 + 170);
  EXPECT_EQ(name.font.style, 0u);
  EXPECT_EQ(TextAt("Warszawa").rect.top, name.rect.top + 200);
  EXPECT_EQ(TextAt("NIP: 123").rect.top, name.rect.top + 300);
  EXPECT_EQ(TextAt("Klient").rect.left, buyer.rect.left);

  settings.DocTemplate = 1;
  ASSERT_TRUE(Draw());
  EXPECT_EQ(TextAt("Sprzedawca:").font.points, 8);
  EXPECT_EQ(TextAt("Firma").font.style, unsigned{kBold});
}

}  // namespace
}  // namespace bilvox
