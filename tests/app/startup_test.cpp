// Start-up and shutdown: the first document, the stored window placement and default kind,
// the document named on the command line, and the question about unsaved changes whichever
// way the window is closed.
#include <QLineEdit>
#include <QTabWidget>
#include <filesystem>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "settings/registry.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

std::string Example(const char* name) {
  return std::string(BILVOX_SOURCE_DIR) + "/examples/" + name;
}

const std::string_view kPrompt =
    "W bieżącym dokumencie zostały wykonane zmiany.\r\nCzy chcesz zapisać bieżący dokument?"_cp;

class StartupTest : public AppTest {};

TEST_F(StartupTest, FirstRunStartsAnInvoiceAndAStoredBillStartsABill) {
  Start();
  EXPECT_EQ(Main().size(), QSize(632, 450));
  EXPECT_EQ(Doc().Kind(), DocumentKind::Invoice);
  EXPECT_FALSE(Doc().Modified());
  EXPECT_TRUE(messages.messages.empty());
  Main().FileNewRachunek->trigger();
  EXPECT_EQ(Main().windowTitle(), u"Bilvox - [Nowy rachunek]"_s);
  Main().move(40, 30);
  Stop();
  EXPECT_EQ(store.Get(kKeySettings, "DefaultDoc").integer, 1);
  EXPECT_EQ(store.Get(kKeySettings, "MainFormWidth").integer, 632);
  EXPECT_TRUE(std::filesystem::exists(data.File("kontrahenci.db")));
  EXPECT_TRUE(std::filesystem::exists(data.File("autolists.dt")));

  store.SetInteger(kKeySettings, "MainFormWidth", 700);
  Start();
  EXPECT_EQ(Doc().Kind(), DocumentKind::Bill);
  EXPECT_EQ(Main().windowTitle(), u"Bilvox - [Nowy rachunek]"_s);
  EXPECT_EQ(Main().width(), 700);
  // A correction open at exit leaves the stored kind alone.
  Main().FileCommands().OpenDocument(Example("korekta.ftv"));
  Stop();
  EXPECT_EQ(store.Get(kKeySettings, "DefaultDoc").integer, 1);
}

TEST_F(StartupTest, DocumentOnTheCommandLineOpensWithoutAQuestion) {
  Start(Example("faktura-pln.ftv"));
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(Main().windowTitle(), u"Bilvox - faktura-pln.ftv"_s);
  EXPECT_EQ(Control<QTabWidget>(u"pgcFaktura")->currentIndex(), 0);
  EXPECT_EQ(Control<QLineEdit>(u"edtNumer")->text(), ToQ(Doc().Number()));
  EXPECT_FALSE(Doc().Number().empty());
  EXPECT_FALSE(Doc().Modified());
}

TEST_F(StartupTest, UnreadableFileLeavesTheWindowShowingTheEmptyDocument) {
  Start(Example("faktura-pln.ftv"));
  ASSERT_FALSE(Control<QLineEdit>(u"edtNumer")->text().isEmpty());
  WriteBytes(data.File("broken.ftv"), "\x09\x00");
  Main().FileCommands().OpenFromOutside(data.File("broken.ftv"));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(Control<QLineEdit>(u"edtNumer")->text(), ToQ(Doc().Number()));
  EXPECT_EQ(Doc().BuyerName(), "");
  EXPECT_EQ(Control<QPlainTextEdit>(u"mmoBuyerName")->toPlainText(), QString());
  // A path that names no file is ignored without a word.
  Main().FileCommands().OpenFromOutside(data.File("missing.ftv"));
  EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(StartupTest, ClosePromptCancelKeepsTheWindowAndWritesNothing) {
  Start();
  TypeText(Control(u"edtMiejsceWyst"), u"Kraków"_s);
  messages.answers = {MsgResult::Cancel};
  EXPECT_FALSE(Main().close());
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, kPrompt);
  EXPECT_EQ(messages.messages[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(messages.messages[0].caption, "Bilvox - [Nowa faktura]");

  // Yes, then the save dialog cancelled: still running, still modified.
  messages.answers = {MsgResult::Yes};
  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, std::nullopt);
  Main().FileExit->trigger();
  EXPECT_TRUE(Main().isVisible());
  EXPECT_TRUE(Doc().Modified());
  EXPECT_FALSE(store.Has(kKeySettings, "MainFormWidth"));
  for (const auto& entry : std::filesystem::directory_iterator(data.path()))
    EXPECT_NE(entry.path().extension(), ".ftv") << entry.path();

  messages.answers = {MsgResult::No};
  EXPECT_TRUE(Main().close());
  EXPECT_FALSE(Main().isVisible());
}

TEST_F(StartupTest, ClosePromptYesSavesFilesTheBuyerAndMovesTheCounter) {
  store.SetInteger(kKeyDocument, "AutoNumbering", 1);
  Start();
  const std::string number = Doc().Number();
  ASSERT_FALSE(number.empty());
  ReplaceText(Control(u"mmoBuyerName"), u"Hurtownia Żak"_s);
  ReplaceText(Control(u"cmbFormaPlatnosci"), u"karta"_s);
  messages.answers = {MsgResult::Yes};
  const QString path = QString::fromStdString(data.File("zapisana.ftv"));
  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, path);
  EXPECT_TRUE(Main().close());
  ASSERT_EQ(dialogs.asked.size(), 1u);
  // Proposed under the number, with slashes made file-name safe.
  EXPECT_EQ(dialogs.asked[0].request.proposedFile,
            ToQ(number).replace(u'/', u'-'));
  EXPECT_EQ(dialogs.asked[0].request.filter, u"Faktury (*.ftv)|*.ftv"_s);
  EXPECT_TRUE(std::filesystem::exists(data.File("zapisana.ftv")));
  EXPECT_FALSE(Doc().Modified());
  EXPECT_EQ(program->Services().contractors.FindByName("Hurtownia Żak"_cp), 0);
  EXPECT_EQ(program->Services().paymentFormList.front(), "karta");
  EXPECT_EQ(store.Get(kKeyNumbering, "FaktNumber").integer, 2);
}

}  // namespace
}  // namespace bilvox::testing
