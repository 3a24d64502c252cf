// The whole page through Qt: a PDF of two sheets whose text reads back, the preview image
// with its sheet, shadow and background, and a page too full to be written.
#include <gtest/gtest.h>

#include <QPrinter>
#include <algorithm>
#include <cstdlib>

#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "document/faktura.h"
#include "gui_app.h"
#include "page_output.h"
#include "printer_sheets.h"
#include "printout/print_job.h"
#include "printout/texts.h"
#include "support/money_text.h"
#include "words/money_text.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

class PageOutputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  PageOutputTest() {
    SelectTexts(0);
    doc.Fields().IssueDate = DayNumber(2027, 3, 5);
    doc.SetNumber("FV 12/2027");
    doc.SetSellerName("Zakład Usług Różnych"_cp);
    doc.AddLine("Usługa ogólnobudowlana"_cp, "", 7, false, testing::C("100"), 1, "", "", "szt.");
  }

  std::string PdfText(const QByteArray& pdf) {
    const std::string path = dir.File("page.pdf"), out = dir.File("page.txt");
    testing::WriteBytes(path, std::string(pdf.constData(), static_cast<size_t>(pdf.size())));
    EXPECT_EQ(std::system(("pdftotext -enc UTF-8 '" + path + "' '" + out + "'").c_str()), 0);
    return testing::ReadBytes(out);
  }

  testing::TempDir dir;
  TFaktura doc;
  TAppSettings settings;
};

TEST_F(PageOutputTest, PdfSheetsHoldTheTitleNumberAndAmountInWords) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext missing";
  PageDrawing page(doc, settings);
  PdfSheetSink sink(300);
  PrintPages(page, sink, RequestForSheets(SheetChoice::Both, doc));
  ASSERT_EQ(sink.Sheets(), 2);
  ASSERT_TRUE(sink.Pdf().startsWith("%PDF"));
  const std::string text = PdfText(sink.Pdf());
  EXPECT_NE(text.find("Faktura"), std::string::npos) << text;
  EXPECT_NE(text.find("FV 12/2027"), std::string::npos) << text;
  EXPECT_NE(text.find("sto dwadzieścia trzy zł zero gr"), std::string::npos) << text;
  EXPECT_NE(text.find("Zakład Usług Różnych"), std::string::npos) << text;
  // One sheet per page: the second starts after a form feed and repeats the page.
  const size_t feed = text.find('\f');
  ASSERT_NE(feed, std::string::npos);
  EXPECT_NE(text.find("FV 12/2027", feed), std::string::npos);
}

TEST_F(PageOutputTest, PrinterSheetsArePlacedFromTheSheetEdgeWhateverTheBorder) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext missing";
  // A printer writing PDF stands in for a print queue: the same engine interface.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(dir.File("printer.pdf")));
  printer.setPageMargins(QMarginsF(10, 8, 10, 8), QPageLayout::Millimeter);
  printer.setPageOrientation(QPageLayout::Landscape);
  PageDrawing page(doc, settings);
  PrinterSheetSink sink(printer);
  ASSERT_TRUE(sink.Available());
  PrintPages(page, sink, RequestForSheets(SheetChoice::Both, doc));
  // The drawing's origin is the printable area's corner; the text still starts 15 mm from
  // the sheet's edges.
  const int dpi = printer.resolution();
  const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
  ASSERT_GT(printable.left(), 0);
  EXPECT_NEAR(page.TextArea().left + printable.left(), MmToDevice(dpi, 15), 1);
  EXPECT_NEAR(page.TextArea().top + printable.top(), MmToDevice(dpi, 15), 1);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
  EXPECT_EQ(printer.docName().toStdString(), "FV 12/2027");
  EXPECT_FALSE(page.Printing());
  const std::string bytes = testing::ReadBytes(dir.File("printer.pdf"));
  const std::string text = PdfText(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << text;
}

TEST_F(PageOutputTest, PreviewImageIsTheSheetWithItsShadow) {
  PageDrawing page(doc, settings);
  std::string trace;
  const QImage image = RenderPreview(page, 100, &trace);
  ASSERT_EQ(image.width(), 827 + 5);
  ASSERT_EQ(image.height(), 1169 + 5);
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));            // the sheet's outline
  EXPECT_EQ(image.pixel(400, 5), qRgb(255, 255, 255));    // the sheet
  EXPECT_EQ(image.pixel(829, 2), qRgb(0xC0, 0xC0, 0xC0)); // background above the shadow
  EXPECT_EQ(image.pixel(829, 600), qRgb(0x5F, 0x5F, 0x5F));
  EXPECT_EQ(image.pixel(2, 1171), qRgb(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(image.pixel(400, 1171), qRgb(0x5F, 0x5F, 0x5F));
  EXPECT_NE(trace.find("\"text\":\"Faktura  FV 12/2027\""), std::string::npos);
  EXPECT_NE(trace.find("\"kind\":\"rect\",\"rect\":[0,0,827,1169]"), std::string::npos);
}

TEST_F(PageOutputTest, AnOverfullPageGivesNoFile) {
  for (int i = 0; i < 80; ++i)
    doc.AddLine("Pozycja", "", 7, false, testing::C("1"), 1, "", "", "szt.");
  PageDrawing page(doc, settings);
  PdfSheetSink sink(300);
  EXPECT_THROW(PrintPages(page, sink, RequestForSheets(SheetChoice::Original, doc)), Error);
  EXPECT_TRUE(sink.Pdf().isEmpty());
  EXPECT_THROW(RenderPreview(page, 100), Error);
}

}  // namespace
}  // namespace bilvox
