// The lower half of the page on the canvas with fixed metrics: amount due and in words,
// payment, the bilingual page, signatures and remarks, the information frame at the foot,
// the footer, the overflow check; and the print operation's text area, sheets and marks.
#include "printout/page_fixture.h"
#include "printout/print_job.h"
#include "settings/file_store.h"
#include "words/money_text.h"

namespace bilvox {
namespace {

using testing::C;
using testing::PageTest;

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

const CanvasCall* FirstStartingWith(const TestCanvas& canvas, std::string_view prefix, int after = -1) {
  for (const CanvasCall* t : canvas.Texts())
    if (StartsWith(t->text, prefix) && t->rect.top > after) return t;
  return nullptr;
}

TEST_F(PageTest, AmountDueAndInWords) {
  AddLine("A", "100");
  ASSERT_TRUE(Draw());
  const CanvasCall& due = TextAt("Do zapłaty:   123,00zł"_cp);
  EXPECT_EQ(due.rect.right, 5528);
  EXPECT_EQ(due.font.points, 12);
  EXPECT_EQ(due.font.style, unsigned{kBold});
  const CanvasCall& words = TextAt("Słownie:   sto dwadzieścia trzy zł zero gr"_cp);
  EXPECT_EQ(words.rect.top, due.rect.bottom);
  EXPECT_EQ(words.rect.right, 5528);

  settings.DocTemplate = 1;
  ASSERT_TRUE(Draw());
  EXPECT_EQ(TextAt("Do zapłaty:   123,00zł"_cp).rect.left, 425);
  EXPECT_EQ(TextAt("Słownie:   sto dwadzieścia trzy zł zero gr"_cp).rect.left, 425);
}

TEST_F(PageTest, PaymentBlockBetweenTwoLines) {
  AddLine("A", "100");
  doc.SetPaymentForm("przelew");
  doc.SetPaid(C("200"));
  ASSERT_TRUE(Draw());
  // Labels wrap in their 30 mm (15 characters of 9 pt here).
  const CanvasCall& form = TextAt("Forma");
  EXPECT_EQ(form.rect.left, 425);
  EXPECT_EQ(TextAt("płatności:"_cp).rect.top, form.rect.bottom);
  EXPECT_EQ(TextAt("przelew").rect.left, 425 + 850);
  EXPECT_EQ(TextAt("Zapłacono:"_cp).rect.left, 425 + 3969);
  EXPECT_EQ(TextAt("200,00zł"_cp).rect.right, 5528);
  // Remaining is computed as it is, negative here.
  const int second = form.rect.top + 2 * 90;
  EXPECT_EQ(TextAt("-77,00zł"_cp).rect.top, second);
  const auto lines = Kind(CanvasCall::Kind::Line);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0]->rect, (Rect{425, form.rect.top - 57 + 43, 5528, form.rect.top - 57 + 43}));
  const int below = second + 2 * 90 + 14;
  EXPECT_EQ(lines[1]->rect, (Rect{425, below, 5528, below}));
  EXPECT_EQ(lines[1]->pen, (Pen{settings.LinesColor, 1}));
}

TEST_F(PageTest, BilingualPageRepeatsTheTotalsTranslated) {
  AddLine("A", "100");
  doc.SetLanguage(1);
  ASSERT_TRUE(Draw());
  // Head in the bilingual set, the first totals in Polish, then the translated pass.
  EXPECT_TRUE(Has("Sprzedawca / Verkäufer:"_cp));
  const CanvasCall& polish = TextAt("Do zapłaty:   123,00zł"_cp);
  const CanvasCall& heading = TextAt("Tłumaczenie / Übersetzung"_cp);
  const CanvasCall& german = TextAt("Zusammen:   123,00zł"_cp);
  EXPECT_LT(polish.rect.top, heading.rect.top);
  EXPECT_LT(heading.rect.top, german.rect.top);
  EXPECT_EQ(heading.font.style, unsigned{kBold});
  EXPECT_EQ(heading.rect.left, (425 + 5528) / 2 - 25 * 60 / 2);
  EXPECT_EQ(Count("Ilość"_cp), 1);
  EXPECT_EQ(Count("Menge"), 1);
  EXPECT_TRUE(Has("Słownie:   sto dwadzieścia trzy zł zero gr"_cp));
  EXPECT_TRUE(Has("In Worten:   ein hundert drei und zwanzig zł null gr"_cp));
  EXPECT_EQ(Count("Zahlungsweise:"), 1);
  EXPECT_EQ(Count("Forma"), 1);
  // The document's own set and the home currency stay active.
  EXPECT_EQ(ActiveLanguage(), 1);

  // Language 3 selects no set: both passes are Polish.
  doc.Fields().DocLanguage = 3;
  ASSERT_TRUE(Draw());
  EXPECT_EQ(Count("Ilość"_cp), 2);
  EXPECT_TRUE(Has("Tłumaczenie"_cp));
}

TEST_F(PageTest, DrawingLeavesTheDocumentsTextsAndTheHomeCurrency) {
  doc.SetLanguage(2);
  doc.SetCurrency("EUR");
  AddLine("A", "100");
  ASSERT_TRUE(Draw());
  EXPECT_TRUE(Has("Zusammen:   123,00€"_cp));
  EXPECT_EQ(ActiveLanguage(), 2);
  EXPECT_EQ(CurrentCurrencySymbol(), "zł"_cp);
}

TEST_F(PageTest, SignaturesLeaveRoomOnlyWhenSomeoneIsNamed) {
  doc.SetRemarks("Notatka");
  ASSERT_TRUE(Draw());
  const CanvasCall& annotation = TextAt("Dziękujemy i zapraszamy ponownie."_cp);
  EXPECT_EQ(annotation.font.style, unsigned{kBold | kItalic});
  const CanvasCall& heading = TextAt("Uwagi");
  EXPECT_EQ(heading.rect.top, annotation.rect.bottom + 142);
  EXPECT_EQ(TextAt("Notatka").rect.top, heading.rect.bottom);
  EXPECT_EQ(TextAt("Notatka").font.points, 8);
  EXPECT_EQ(contentBottom, heading.rect.bottom + 80);

  doc.SetIssuerName("Jan Kowalski");
  doc.SetReceiverName("Anna Nowak");
  ASSERT_TRUE(Draw());
  const int sx = (425 + 5528) / 2 + 283;
  const CanvasCall& issuer = TextAt("Osoba upoważniona do wystawienia faktury VAT:"_cp);
  const CanvasCall& receiver = TextAt("Osoba upoważniona do odbioru faktury VAT:"_cp);
  EXPECT_EQ(issuer.rect.left, 425);
  EXPECT_EQ(receiver.rect.left, sx);
  EXPECT_EQ(receiver.rect.top, issuer.rect.top);
  EXPECT_EQ(issuer.font.style, unsigned{kUnderline});
  EXPECT_EQ(TextAt("Anna Nowak").rect.left, sx);
  EXPECT_EQ(TextAt("Jan Kowalski").font.points, 12);
  // 30 mm of room for the signatures below the lower of the two columns.
  EXPECT_EQ(TextAt("Uwagi").rect.top, TextAt("Jan Kowalski").rect.bottom + 850);
  EXPECT_FALSE(Has("Podpis - pieczęć"_cp));

  doc.Fields().Kind = DocumentKind::Bill;
  doc.SetIssuerName("");
  settings.ShowUwagi = false;
  ASSERT_TRUE(Draw());
  EXPECT_FALSE(Has("Osoba upoważniona do wystawienia rachunku:"_cp));
  EXPECT_TRUE(Has("Osoba upoważniona do odbioru rachunku:"_cp));
  EXPECT_FALSE(Has("Uwagi"));
  EXPECT_EQ(TextAt("Notatka").rect.top, TextAt("Anna Nowak").rect.bottom + 850);
}

TEST_F(PageTest, FooterLineOnlyInTheFirstTemplate) {
  ASSERT_TRUE(Draw());
  const auto lines = Kind(CanvasCall::Kind::Line);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back()->rect, (Rect{425, 8022 - 99, 5528, 8022 - 99}));
  const CanvasCall* footer = canvas.Texts().back();
  EXPECT_TRUE(StartsWith(footer->text, "-- Wydruk z programu Bilvox  --"));
  EXPECT_EQ(footer->rect.top, 8022 - 85);
  EXPECT_EQ(footer->font.points, 6);
  EXPECT_EQ(footer->font.color, 0x5F5F5Fu);

  settings.DocTemplate = 1;
  doc.SetInfoText1("");
  doc.SetInfoText2("");
  ASSERT_TRUE(Draw());
  EXPECT_EQ(FirstStartingWith(canvas, "-- Wydruk"), nullptr);
  EXPECT_NE(Kind(CanvasCall::Kind::Line).back()->rect.top, 8022 - 99);
}

TEST_F(PageTest, InformationFrameAtTheFootOfTheSecondTemplate) {
  settings.DocTemplate = 1;
  doc.SetInfoText1("ab");
  doc.SetInfoText2("xyz");
  ASSERT_TRUE(Draw());
  // Two texts meeting 1 mm either side of the middle, standing on the bottom limit.
  EXPECT_EQ(TextAt("ab").rect, (Rect{2976 - 28 - 84, 7952, 2976 - 28, 8022}));
  EXPECT_EQ(TextAt("xyz").rect, (Rect{2976 + 28, 7952, 2976 + 28 + 126, 8022}));

  // One text alone is centred across the text area; the logo stands above it.
  doc.SetInfoText1("");
  SetLogo(200, 100);
  ASSERT_TRUE(Draw());
  EXPECT_EQ(TextAt("xyz").rect.left, 425 + (5103 - 126) / 2);
  // Fitted into 70 × 20 mm: 20 mm high, twice as wide; 1.5 mm above the text.
  ASSERT_EQ(Kind(CanvasCall::Kind::Image).size(), 1u);
  EXPECT_EQ(Kind(CanvasCall::Kind::Image)[0]->rect,
            (Rect{(5953 - 1134) / 2, 7952 - 567 - 43, (5953 + 1134) / 2, 7952 - 43}));

  settings.LogoWidthAuto = false;
  settings.LogoWidth = 20;
  ASSERT_TRUE(Draw());
  EXPECT_EQ(Kind(CanvasCall::Kind::Image)[0]->rect,
            (Rect{(5953 - 567) / 2, 7952 - 283 - 43, (5953 + 567) / 2, 7952 - 43}));
}

class PageFootTest : public PageTest {
 protected:
  void Limit(int fits) {
    PagePainter painter(canvas, 720, settings);
    painter.SetTextArea(Rect{425, 425, 5528, 8022});
    PageBlocks blocks(painter, doc, "");
    EXPECT_NO_THROW(blocks.PageFoot(fits));
    try {
      blocks.PageFoot(fits + 1);
      ADD_FAILURE() << "no overflow one pixel past " << fits;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), kPageOverflowMessage);
    }
  }
};

TEST_F(PageFootTest, ContentMayReachTheFooterLineButNotOnePixelFurther) {
  Limit(8022 - 99);
  settings.DocTemplate = 1;  // the information frame's text top
  doc.SetInfoText1("ab");
  doc.SetInfoText2("");
  Limit(8022 - 70);
  settings.ShowInfoFrame = false;  // nothing at the foot: the bottom limit
  Limit(8022);
  settings.DocTemplate = 0;
  settings.ShowFooter = false;
  Limit(8022);
}

TEST_F(PageTest, TooManyLinesOverflowTheOnePage) {
  for (int i = 0; i < 25; ++i) AddLine("Pozycja");
  ASSERT_TRUE(Draw());
  for (int i = 0; i < 55; ++i) AddLine("Pozycja");
  EXPECT_FALSE(Draw());
  EXPECT_EQ(error,
            "Zbyt dużo danych na fakturze.\n\rSpróbuj skrócić część danych (np. ilość towarów) "
            "tak,\n\raby wydruk mieścił się na jednej stronie."_cp);
}

// A huge document ends with the overflow error as soon as the page cannot fit, whatever is
// huge in it: its lines, one name without a break, its remarks.
TEST_F(PageTest, HugeContentFailsWithinASecond) {
  for (int i = 0; i < 200000; ++i) AddLine("Pozycja");
  auto timed = [&] {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Draw(300));
    EXPECT_EQ(error, kPageOverflowMessage);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  EXPECT_LT(timed(), 1.0);
  doc.Reset();
  AddLine(std::string(1'000'000, 'x'));
  EXPECT_LT(timed(), 1.0);
  doc.Reset();
  doc.SetRemarks(std::string(1'000'000, 'y') + std::string(1'000'000, ' ') + "z");
  EXPECT_LT(timed(), 1.0);
}

// Settings edited by hand far beyond what the settings window allows are brought into its
// ranges when read, and the page drawn with them stays within the limits of its arithmetic.
TEST_F(PageTest, ExtremeStoredSettingsAreKeptInRangeAndDrawn) {
  const std::string reg = dir.File("registry.reg");
  FileSettingsStore store(reg);
  AddLine("Pozycja");
  SetLogo(40, 20);
  for (const char* high : {"7fffffff", "80000000"}) {
    const char* low = std::string(high) == "7fffffff" ? "80000000" : "7fffffff";
    testing::WriteBytes(reg, std::string("Windows Registry Editor Version 5.00\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]\n") +
                        "\"FontSizeDelta\"=dword:" + high + "\n\"TabTowDist\"=dword:" + low +
                        "\n\"LogoWidth\"=dword:" + high + "\n\"LogoWidthAuto\"=dword:00000000\n");
    ASSERT_TRUE(settings.Load(store));
    const bool big = std::string(high) == "7fffffff";
    EXPECT_EQ(settings.FontSizeDelta, big ? 2 : -2);
    EXPECT_EQ(settings.TabTowDist, big ? 0 : 50);
    EXPECT_EQ(settings.LogoWidth, big ? 100 : 5);
    EXPECT_TRUE(Draw()) << error;
  }
}

// Sheets recorded on the canvas with fixed metrics.
class RecordingSink : public SheetSink {
 public:
  bool Available() override { return available; }
  void BeginJob(std::string_view title) override { events.push_back("begin " + std::string(title)); }
  int Dpi() override { return 600; }
  Point PhysicalOffset() override { return {50, 60}; }
  Canvas& SheetCanvas() override { return canvas; }
  void NewSheet() override { events.push_back("sheet"); }
  void EndJob() override { events.push_back("end"); }
  void AbortJob() override { events.push_back("abort"); }

  bool available = true;
  std::vector<std::string> events;
  TestCanvas canvas;
};

using Events = std::vector<std::string>;

TEST_F(PageTest, PrintingUsesThePrintersTextAreaAndMarksTheSheets) {
  doc.Fields().IssueDate = DayNumber(2012, 5, 1);
  PageDrawing page(doc, settings);
  RecordingSink sink;
  PrintPages(page, sink, RequestForSheets(SheetChoice::Both, doc));
  EXPECT_EQ(sink.events, (Events{std::string("begin Bilvox: oryginał, kopia"_cp), "sheet", "end"}));
  EXPECT_FALSE(page.Printing());
  // 15 mm from the sheet's edges less the border, 180 × 267 mm; no sheet outline.
  EXPECT_EQ(page.TextArea(), (Rect{354 - 50, 354 - 60, 354 - 50 + 4252, 354 - 60 + 6307}));
  const CanvasCall* place = sink.canvas.FindText("Miejsce wystawienia");
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->rect.left, 4556 - 1654);
  EXPECT_EQ(place->rect.top, 294);
  for (const CanvasCall& c : sink.canvas.Calls()) EXPECT_NE(c.fill, std::optional<ColorRef>(0x5F5F5F));
  ASSERT_NE(sink.canvas.FindText("oryginał"_cp), nullptr);
  ASSERT_NE(sink.canvas.FindText("kopia"), nullptr);

  // Self-copying paper: one sheet marked both ways, with the job title of both sheets.
  RecordingSink selfCopy;
  PrintPages(page, selfCopy, RequestForSheets(SheetChoice::SelfCopy, doc));
  EXPECT_EQ(selfCopy.events, (Events{std::string("begin Bilvox: oryginał, kopia"_cp), "end"}));
  EXPECT_NE(selfCopy.canvas.FindText("oryginał / kopia"_cp), nullptr);

  // A job already running, or no printer: nothing happens.
  RecordingSink idle;
  page.SetPrinting(true);
  PrintPages(page, idle, RequestForSheets(SheetChoice::Original, doc));
  page.SetPrinting(false);
  idle.available = false;
  PrintPages(page, idle, RequestForSheets(SheetChoice::Original, doc));
  EXPECT_TRUE(idle.events.empty());
  EXPECT_TRUE(idle.canvas.Calls().empty());
}

TEST_F(PageTest, AFailedDrawingAbortsTheJobAndClearsTheFlag) {
  for (int i = 0; i < 80; ++i) AddLine("Pozycja");
  PageDrawing page(doc, settings);
  RecordingSink sink;
  EXPECT_THROW(PrintPages(page, sink, RequestForSheets(SheetChoice::Both, doc)), Error);
  EXPECT_EQ(sink.events, (Events{"begin FV 1/2027", "abort"}));
  EXPECT_FALSE(page.Printing());
}

TEST(PrintRequest, MarkedSheetsUpToTheFirstDayOf2013) {
  TFaktura doc;
  doc.SetNumber("F 1");
  doc.Fields().IssueDate = DayNumber(2013, 1, 1);
  PrintRequest r = RequestForSheets(SheetChoice::Copy, doc);
  EXPECT_EQ(r.title, "Bilvox: kopia");
  EXPECT_FALSE(r.first);
  EXPECT_TRUE(r.second);
  EXPECT_EQ(RequestForSheets(SheetChoice::Original, doc).title, "Bilvox: oryginał"_cp);
  doc.Fields().IssueDate = DayNumber(2013, 1, 2);
  r = RequestForSheets(SheetChoice::Both, doc);
  EXPECT_EQ(r.title, "F 1");
  EXPECT_TRUE(r.first && r.second);
}

}  // namespace
}  // namespace bilvox
