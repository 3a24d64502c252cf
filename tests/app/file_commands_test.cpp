// The file commands the window has from the start: new documents and open ask about unsaved
// changes first, and the dialogs start in the documents folder of the settings.
#include <QCheckBox>
#include <QTabWidget>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "settings/registry.h"

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
