// The print command as a user meets it: the checks before printing, the two sheet windows,
// the PDF file the sheets go to, the number, the printed mark, the contractors register and
// the automatic save after printing, and the printer remembered between runs.
#include <sys/resource.h>

#include <QComboBox>
#include <QPrinter>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "printer_setup_qt.h"
#include "printout/printer_setup.h"
#include "settings/registry.h"
#include "support/money_text.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

class PrintingTest : public AppTest {
 protected:
  // Whatever printers the machine has, the sheets go to a PDF file; invoices are numbered
  // F/12/03/27 onwards.
  void StartPrinting() {
    WriteBytes(data.File("PrinterSetup.cfg"),
               SerializePrinterSetup({std::string(qt::kPdfPrinterName), "", "", ""}));
    store.SetInteger(kKeyDocument, "AutoNumbering", 1);
    store.SetString(kKeyNumbering, "FaktPrefix", "F/");
    store.SetInteger(kKeyNumbering, "FaktNumber", 12);
    Start();
    ASSERT_EQ(Doc().Number(), "F/12/03/27");
  }
  void FillDocument(bool buyerNip = true) {
    Doc().SetSellerName("Zakład Stolarski"_cp);
    Doc().SetSellerAddress("ul. Leśna 1, Łódź"_cp);
    Doc().SetSellerNIP("526-025-02-74");
    Doc().SetBuyerName("Hurtownia Żak"_cp);
    Doc().SetBuyerAddress("Kraków"_cp);
    if (buyerNip) Doc().SetBuyerNIP("1234563218");
    Doc().SetPaymentForm("przelew");
    Doc().AddLine("Stół dębowy"_cp, "", 7, false, C("100"), 2, "", "", "szt");
  }
  // The print command, answered in the sheet window (which must be `window`) by `button`,
  // with the PDF file at `pdf`.
  void PrintWith(const QString& window, const QString& button, const std::string& pdf) {
    dialogs.Answer(ScriptedDialogs::Kind::SaveFile, PathToQ(pdf));
    AnswerNextModal([=](QWidget* modal) {
      EXPECT_EQ(modal->objectName(), window);
      Find<QPushButton>(modal, button)->click();
    });
    Main().FilePrint->trigger();
  }
  int Counter() { return store.Get(kKeyNumbering, "FaktNumber").integer; }
  // The text of the file's pages, one entry per page.
  std::vector<std::string> Pages(const std::string& pdf) {
    const std::string text = pdf + ".txt";
    EXPECT_EQ(std::system(("pdftotext -enc UTF-8 '" + pdf + "' '" + text + "'").c_str()), 0);
    std::vector<std::string> pages;
    std::string all = ReadBytes(text), page;
    for (char c : all) {
      if (c != '\f') page += c;
      else pages.push_back(std::exchange(page, {}));
    }
    return pages;
  }
};

TEST_F(PrintingTest, WarningNoPrintsNothingAndTheNumberAdvancesOnceAcrossSaveAndPrints) {
  StartPrinting();
  FillDocument(/*buyerNip=*/false);
  messages.answers = {MsgResult::No};
  Main().FilePrint->trigger();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text,
            "Ostrzeżenie! Nie podano NIP nabywcy\r\nCzy chcesz kontynuować?"_cp);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Information);
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_FALSE(Doc().Printed());
  EXPECT_EQ(program->Services().contractors.Count(), 0);

  // Save As proposes the number as the file name and moves the counter on; a later save
  // and both prints leave it there.
  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, PathToQ(data.File("F-12-03-27.ftv")));
  Main().FileSaveAs->trigger();
  EXPECT_EQ(dialogs.asked.at(0).request.proposedFile, u"F-12-03-27"_s);
  EXPECT_EQ(Counter(), 13);
  Doc().SetPlaceOfIssue("Łódź"_cp);
  Main().FileSave->trigger();
  EXPECT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(Counter(), 13);

  messages.answers = {MsgResult::Yes};
  PrintWith(u"frmPrintSelect2"_s, u"btnAll"_s, data.File("dwa.pdf"));
  EXPECT_EQ(dialogs.asked.at(1).request.proposedFile, u"F-12-03-27.pdf"_s);
  EXPECT_EQ(Pages(data.File("dwa.pdf")).size(), 2u);
  EXPECT_TRUE(Doc().Printed());
  EXPECT_EQ(Counter(), 13);
  const TKontrahentRec* buyer = program->Services().contractors.Get(
      program->Services().contractors.FindByName("Hurtownia Żak"_cp));
  ASSERT_TRUE(buyer);
  EXPECT_EQ(buyer->address, "Kraków"_cp);
  EXPECT_EQ(program->Services().paymentFormList.front(), "przelew");

  messages.answers = {MsgResult::Yes};
  PrintWith(u"frmPrintSelect2"_s, u"btnOryginal"_s, data.File("jeden.pdf"));
  EXPECT_EQ(Pages(data.File("jeden.pdf")).size(), 1u);
  EXPECT_EQ(Counter(), 13);

  // A new invoice printed before its first save never moves the counter on that save.
  messages.answers = {MsgResult::No};
  Main().FileNewFaktura->trigger();
  ASSERT_EQ(Doc().Number(), "F/13/03/27");
  Doc().SetPrinted(true);
  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, PathToQ(data.File("F-13-03-27.ftv")));
  Main().FileSaveAs->trigger();
  EXPECT_EQ(Counter(), 13);
}

// A counter the store cannot keep: the first save and the first print each say in one box
// that the next number may repeat, and the run itself still hands out each number once.
TEST_F(PrintingTest, ACounterThatCannotBeStoredIsReportedInOneBox) {
  StartPrinting();
  FillDocument();
  store.failingKeys.insert(std::string(kKeyNumbering));
  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, PathToQ(data.File("F-12-03-27.ftv")));
  Main().FileSaveAs->trigger();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].text.find("licznika numeracji"_cp), std::string::npos);
  EXPECT_NE(messages.messages[0].text.find("może się powtórzyć"_cp), std::string::npos);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(Counter(), 12);

  Main().FileNewFaktura->trigger();
  ASSERT_EQ(Doc().Number(), "F/13/03/27");
  FillDocument();
  PrintWith(u"frmPrintSelect2"_s, u"btnOryginal"_s, data.File("F-13.pdf"));
  EXPECT_TRUE(Doc().Printed());
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1].text, messages.messages[0].text);
}

TEST_F(PrintingTest, SheetsBefore2013CarryTheirMarksAndACancelledFilePrintsNothing) {
  StartPrinting();
  FillDocument();
  Doc().SetIssueDate(DayNumber(2012, 12, 31));
  PrintWith(u"frmPrintSelect"_s, u"btnAll"_s, data.File("oryginal-kopia.pdf"));
  std::vector<std::string> pages = Pages(data.File("oryginal-kopia.pdf"));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages[0].find("oryginał"), std::string::npos) << pages[0];
  EXPECT_EQ(pages[0].find("kopia"), std::string::npos) << pages[0];
  EXPECT_NE(pages[1].find("kopia"), std::string::npos) << pages[1];

  Doc().SetLanguage(1);
  PrintWith(u"frmPrintSelect"_s, u"btnSelfCopy"_s, data.File("samokopia.pdf"));
  pages = Pages(data.File("samokopia.pdf"));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0].find("oryginał / original / kopia / kopie"), std::string::npos) << pages[0];

  // The last day of the marked sheets, then the first of the copies; a cancelled file
  // dialog keeps the window open and nothing is printed or committed.
  messages.answers = {MsgResult::No};
  Main().FileNewFaktura->trigger();
  FillDocument();
  const std::pair<int, QString> cases[] = {{1, u"frmPrintSelect"_s}, {2, u"frmPrintSelect2"_s}};
  for (const auto& [day, window] : cases) {
    Doc().SetIssueDate(DayNumber(2013, 1, day));
    dialogs.Answer(ScriptedDialogs::Kind::SaveFile, std::nullopt);
    AnswerNextModal([&, window = window](QWidget* modal) {
      EXPECT_EQ(modal->objectName(), window);
      Find<QPushButton>(modal, u"btnOryginal"_s)->click();
      EXPECT_TRUE(modal->isVisible());
      Find<QPushButton>(modal, u"btnCancel"_s)->click();
    });
    Main().FilePrint->trigger();
  }
  EXPECT_TRUE(dialogs.AllAnswered());
  EXPECT_FALSE(Doc().Printed());
  EXPECT_EQ(Counter(), 13);
}

TEST_F(PrintingTest, AutomaticSaveGoesToTheDocumentsFolderAndAFailedOneKeepsTheFile) {
  const std::string folder = data.File("faktury");
  std::filesystem::create_directory(folder);
  store.SetString(kKeySettings, "FolderFaktur", folder);
  store.SetInteger(kKeySettings, "AutoZapisFaktur", 1);
  StartPrinting();
  FillDocument();
  PrintWith(u"frmPrintSelect2"_s, u"btnAll"_s, data.File("a.pdf"));
  const std::string saved = folder + "/F-12-03-27.ftv";
  EXPECT_EQ(Doc().FileName(), saved);
  EXPECT_FALSE(Doc().Modified());
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text,
            std::string("Fakturę zapisano automatycznie do pliku:\r\n"_cp) + saved);
  const std::string good = ReadBytes(saved);

  // A write that fails keeps the previous file and the unsaved changes.
  Doc().SetRemarks("Dostawa w czwartek");
  rlimit old{}, small{64, RLIM_INFINITY};
  getrlimit(RLIMIT_FSIZE, &old);
  small.rlim_max = old.rlim_max;
  auto oldSignal = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  Main().FileCommands().AutoSaveAfterPrint();
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldSignal);
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1].icon, MsgIcon::Error);
  EXPECT_EQ(ReadBytes(saved), good);
  EXPECT_TRUE(Doc().Modified());
}

TEST_F(PrintingTest, PrinterNoLongerInstalledIsIgnoredAndTheSetUpRemembersTheChoice) {
  const std::string file = data.File("PrinterSetup.cfg");
  WriteBytes(file, SerializePrinterSetup({"Drukarka-ktorej-juz-nie-ma", "drv", "", "x"}));
  Start();
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(Main().PrinterSetupType(), SetupType::stSaved);
  QPrinter systemDefault(QPrinter::HighResolution);
  EXPECT_EQ(qt::CurrentPrinterName(Main().Printer()), qt::CurrentPrinterName(systemDefault));

  AnswerNextModal([](QWidget* modal) {
    EXPECT_EQ(modal->objectName(), u"frmPrinterSetup"_s);
    auto* printers = Find<QComboBox>(modal, u"cmbDrukarka"_s);
    EXPECT_EQ(printers->itemText(printers->count() - 1), u"Plik PDF"_s);
    printers->setCurrentIndex(printers->count() - 1);
    Find<QPushButton>(modal, u"btnOk"_s)->click();
  });
  Main().FilePrinterSettings->trigger();
  EXPECT_EQ(ReadPrinterSetup(file).device, "Plik PDF");
  EXPECT_TRUE(qt::PrintsToPdf(Main().Printer()));
  Stop();

  // The stored name is compared as a prefix, without regard to case.
  WriteBytes(file, SerializePrinterSetup({"plik", "", "", ""}));
  Start();
  EXPECT_TRUE(qt::PrintsToPdf(Main().Printer()));
}

}  // namespace
}  // namespace bilvox::testing
