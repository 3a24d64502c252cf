// The file commands the window has from the start: new documents and open ask about unsaved
// changes first, and the dialogs start in the documents folder of the settings.
#include <QCheckBox>
#include <QTabWidget>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "settings/registry.h"
#include "support/money_text.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

std::string Example(const char* name) {
  return std::string(BILVOX_SOURCE_DIR) + "/examples/" + name;
}

class FileCommandsTest : public AppTest {};

TEST_F(FileCommandsTest, OpenAndNewAskAboutChangesFirst) {
  store.SetString(kKeySettings, "FolderFaktur", "/srv/faktury");
  Start();
  TypeText(Control(u"edtMiejsceWyst"), u"Kraków"_s);

  // Cancel keeps the document and asks for no file.
  messages.answers = {MsgResult::Cancel};
  Main().FileOpen->trigger();
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_EQ(Doc().PlaceOfIssue(), "Kraków"_cp);

  // No: the open dialog starts in the documents folder, and the chosen file is opened.
  messages.answers = {MsgResult::No};
  dialogs.Answer(ScriptedDialogs::Kind::OpenFile, QString::fromStdString(Example("rachunek.ftv")));
  Main().FileOpen->trigger();
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].request.folder, u"/srv/faktury"_s);
  EXPECT_EQ(Doc().Kind(), DocumentKind::Bill);
  EXPECT_EQ(messages.messages.size(), 2u);

  // An opened document without changes is replaced without a question.
  Control<QTabWidget>(u"pgcFaktura")->setCurrentIndex(2);
  Main().FileNewFaktura->trigger();
  EXPECT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(Doc().Kind(), DocumentKind::Invoice);
  EXPECT_EQ(Main().windowTitle(), u"Bilvox - [Nowa faktura]"_s);
  EXPECT_EQ(Control<QTabWidget>(u"pgcFaktura")->currentIndex(), 0);
}

TEST_F(FileCommandsTest, CorrectionOfAnUnprintedInvoiceAsksFirst) {
  Start();
  const std::string_view question =
      "Bieżąca faktura nie była jeszcze wydrukowana. Czy na pewno chcesz wystawić do niej "
      "korektę?"_cp;
  // An invoice without lines cannot be corrected: its message, and nothing changes.
  messages.answers = {MsgResult::Yes};
  Main().FileNewKorekta->trigger();
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[0].text, question);
  EXPECT_EQ(messages.messages[1].icon, MsgIcon::Error);
  EXPECT_EQ(Doc().Kind(), DocumentKind::Invoice);

  Doc().SetNumber("F/7/2027");
  Doc().AddLine("Regał"_cp, "", 7, false, C("250"), 3, "", "", "szt");
  messages.answers = {MsgResult::No};
  Main().FileNewKorekta->trigger();
  EXPECT_EQ(Doc().Kind(), DocumentKind::Invoice);

  messages.answers = {MsgResult::Yes};
  Main().FileNewKorekta->trigger();
  EXPECT_EQ(messages.messages.size(), 4u);
  EXPECT_EQ(Doc().Kind(), DocumentKind::Correction);
  EXPECT_EQ(Doc().CorrectedNumber(), "F/7/2027");
  EXPECT_EQ(Doc().PriorLineCount(), 1);
  EXPECT_GE(Control<QListWidget>(u"lbxTowary")->count(), 1);
  EXPECT_EQ(Control<QTabWidget>(u"pgcFaktura")->currentIndex(), 3);
  EXPECT_EQ(Main().windowTitle(), u"Bilvox - [Nowa korekta]"_s);
  EXPECT_FALSE(Doc().Modified());
  EXPECT_FALSE(Main().FileNewKorekta->isEnabled());
  EXPECT_EQ(program->frmInfo().CurrentTopic(), TfrmInfo::kTopicCorrection);
  program->frmInfo().hide();
}

TEST_F(FileCommandsTest, StoredSettingsReachTheWindow) {
  store.SetInteger(kKeySettings, "HideSellerPage", 1);
  store.SetInteger(kKeySettings, "ShowInfoFrame", 0);
  Start();
  auto* tabs = Control<QTabWidget>(u"pgcFaktura");
  EXPECT_FALSE(tabs->isTabVisible(1));
  EXPECT_FALSE(Control<QCheckBox>(u"cbxShowInfoFrame")->isChecked());
  Click(Control(u"cbxShowInfoFrame"));
  EXPECT_TRUE(program->Services().settings.App.ShowInfoFrame);
}

}  // namespace
}  // namespace bilvox::testing
