// The settings window: what OK stores and applies, what "Anuluj" leaves alone, the numbering
// grid, the lists, the font list, and the information window over the numbering page.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QLocale>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app/app_fixture.h"
#include "common/app_info.h"
#include "common/cp1250.h"
#include "settings/settings.h"
#include "settings_pages.h"
#include "settings_window.h"
#include "tab_items.h"
#include "tab_seller.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

class SettingsWindowTest : public AppTest {
 protected:
  TfrmSettings& Window() { return program->frmSettings(); }
  template <class T = QWidget>
  T* In(QWidget* modal, const char16_t* name) {
    return Find<T>(modal, QString::fromUtf16(name));
  }
  void SwitchOffNumberingHint() {
    store.SetInteger(kKeySettings, "DisableInfoOptions", TfrmInfo::kTopicNumbering);
    store.SetInteger(kKeySettings, "Version", kAppVersionNumber);
  }
  // Opens the window from the main window's menu, runs `steps` in it and presses `button`.
  void WithSettings(const std::function<void(QWidget*)>& steps, const char16_t* button) {
    AnswerNextModal([&](QWidget* modal) {
      steps(modal);
      Click(In(modal, button));
    });
    Trigger(&Main(), u"ToolsSettings"_s);
  }
};

TEST_F(SettingsWindowTest, ClearedFolderSwitchesOffTheAutomaticSaveAndOkAppliesTheFolder) {
  store.SetString(kKeySettings, "FolderFaktur", "/dom/faktury");
  store.SetInteger(kKeySettings, "AutoZapisFaktur", 1);
  Start();
  dialogs.Answer(ScriptedDialogs::Kind::Folder, u"/srv/dokumenty"_s);
  WithSettings(
      [&](QWidget* modal) {
        auto* autoSave = In<QCheckBox>(modal, u"cbxAutoZapisFaktur");
        EXPECT_EQ(In<QLineEdit>(modal, u"edtFolderFaktur")->text(), u"/dom/faktury"_s);
        EXPECT_TRUE(autoSave->isChecked() && autoSave->isEnabled());
        Click(In(modal, u"btnFolderClear"));
        EXPECT_FALSE(autoSave->isChecked() || autoSave->isEnabled());
        Click(In(modal, u"btnFolderBrowse"));
        EXPECT_TRUE(autoSave->isEnabled());
        EXPECT_FALSE(autoSave->isChecked());
        In<QCheckBox>(modal, u"cbxHideSellerPage")->setChecked(true);
      },
      u"btnOk");
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].request.folder, QString());  // the picker opens where the box says
  EXPECT_EQ(store.Get(kKeySettings, "FolderFaktur").bytes, "/srv/dokumenty");
  EXPECT_EQ(store.Get(kKeySettings, "AutoZapisFaktur").integer, 0);
  EXPECT_EQ(Main().DialogFolder(), u"/srv/dokumenty"_s);
  auto* tabs = Control<QTabWidget>(u"pgcFaktura");
  EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(&Main().SprzedawcaTab())));
}

TEST_F(SettingsWindowTest, NumberingGridShowsExamplesAndStoresEachRowsOwnDigits) {
  SwitchOffNumberingHint();
  Start();
  const QString number = Control<QLineEdit>(u"edtNumer")->text();
  AnswerNextModal([&](QWidget* modal) {
    EXPECT_EQ(In<QTabWidget>(modal, u"pgcSettings")->currentWidget(), Window().tshAutoNumbering);
    EXPECT_EQ(In<QLabel>(modal, u"lblFaktExample")->text(), u"F1/03/27"_s);
    auto* bills = In<QLineEdit>(modal, u"edtRachNumber");
    ReplaceText(bills, u"4x-2"_s);
    EXPECT_EQ(bills->text(), u"42"_s);  // counters take digits only
    EXPECT_EQ(In<QLabel>(modal, u"lblRachExample")->text(), u"R42/03/27"_s);
    ReplaceText(bills, QString());
    EXPECT_EQ(In<QLabel>(modal, u"lblRachExample")->text(), u"R1/03/27"_s);
    ReplaceText(In(modal, u"edtRachNumWidth"), u"4"_s);
    ReplaceText(In(modal, u"edtFaktNumWidth"), u"2"_s);
    ReplaceText(In(modal, u"edtKorSufix"), u"/%R"_s);
    EXPECT_EQ(In<QLabel>(modal, u"lblRachExample")->text(), u"R0001/03/27"_s);
    EXPECT_EQ(In<QLabel>(modal, u"lblFaktExample")->text(), u"F01/03/27"_s);
    EXPECT_EQ(In<QLabel>(modal, u"lblKorExample")->text(), u"K1/2027"_s);
    Click(In(modal, u"btnOk"));
  });
  Click(Control(u"btnAutoNumbering"));
  EXPECT_EQ(store.Get(kKeyNumbering, "RachNumber").integer, 1);
  EXPECT_EQ(store.Get(kKeyNumbering, "RachNumWidth").integer, 4);
  EXPECT_EQ(store.Get(kKeyNumbering, "FaktNumWidth").integer, 2);
  EXPECT_EQ(store.Get(kKeyNumbering, "KorSufix").bytes, "/%R");
  EXPECT_EQ(Window().Settings().GenerateNumber(1), "R0001/03/27");
  EXPECT_EQ(Control<QLineEdit>(u"edtNumer")->text(), number);  // the document keeps its number
}

TEST_F(SettingsWindowTest, CancelLeavesColoursAndTheInformationFrameAsStored) {
  Start();
  QCheckBox* mainFrameBox = Main().SprzedawcaTab().cbxShowInfoFrame;
  mainFrameBox->setChecked(false);  // in memory only
  dialogs.AnswerColor(QColor(255, 0, 0));
  WithSettings(
      [&](QWidget* modal) {
        EXPECT_FALSE(In<QCheckBox>(modal, u"cbxShowInfoFrame")->isChecked());
        Click(In(modal, u"btnColors"));
        auto* menu = In<QMenu>(modal, u"ppmColors");
        ASSERT_TRUE(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(In<QAction>(modal, u"mniCzarny")).center());
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(In<TColorPanel>(modal, u"pnlHdrFillColor")->Color(), 0x000000u);
        EXPECT_EQ(In<TColorPanel>(modal, u"pnlHdrTextColor")->Color(), 0xFFFFFFu);
        EXPECT_FALSE(In<QCheckBox>(modal, u"cbxShowShadows")->isChecked());
        Click(In(modal, u"pnlLinesColor"));
        EXPECT_EQ(In<TColorPanel>(modal, u"pnlLinesColor")->Color(), 0x0000FFu);
      },
      u"btnCancel");
  const TAppSettings& app = Window().Settings().App;
  EXPECT_EQ(app.HdrFillColor, 15066597u);
  EXPECT_EQ(app.HdrTextColor, 0u);
  EXPECT_EQ(app.LinesColor, 0u);
  EXPECT_TRUE(app.ShowShadows);
  EXPECT_TRUE(app.ShowInfoFrame);
  EXPECT_TRUE(mainFrameBox->isChecked());
  EXPECT_FALSE(store.Has(kKeySettings, "HdrFillColor"));
}

TEST_F(SettingsWindowTest, FontThatIsNotInstalledShowsNoSelectionAndIsKept) {
  store.SetString(kKeySettings, "FontName", "Czcionka Nieznana");
  Start();
  WithSettings(
      [&](QWidget* modal) {
        EXPECT_EQ(In<QComboBox>(modal, u"cmbFontName")->currentIndex(), -1);
      },
      u"btnOk");
  EXPECT_EQ(store.Get(kKeySettings, "FontName").bytes, "Czcionka Nieznana");

  QString chosen;
  WithSettings(
      [&](QWidget* modal) {
        auto* fonts = In<QComboBox>(modal, u"cmbFontName");
        ASSERT_GT(fonts->count(), 0);
        fonts->setCurrentIndex(fonts->count() - 1);
        chosen = fonts->currentText();
        EXPECT_EQ(fonts->itemData(fonts->currentIndex(), Qt::FontRole).value<QFont>().family(), chosen);
      },
      u"btnOk");
  EXPECT_EQ(store.Get(kKeySettings, "FontName").bytes, FromQ(chosen));
}

TEST_F(SettingsWindowTest, ListEntriesDeletedAndAppliedToTheMainWindow) {
  Start();
  Main().RememberListText(TfrmMain::AutoList::Unit, "szt.");
  Main().RememberListText(TfrmMain::AutoList::Unit, "kg");
  int kept = 0;
  WithSettings(
      [&](QWidget* modal) {
        auto* units = In<QListWidget>(modal, u"lbxJM");
        ASSERT_GE(units->count(), 2);
        EXPECT_EQ(units->item(0)->text(), u"kg"_s);
        EXPECT_EQ(units->item(1)->text(), u"szt."_s);
        kept = units->count() - 1;
        Click(In(modal, u"btnDelJM"));  // nothing selected: nothing deleted
        EXPECT_EQ(units->count(), kept + 1);
        units->setCurrentRow(0);
        Click(In(modal, u"btnDelJM"));
        ASSERT_EQ(units->count(), kept);
        Click(In(modal, u"btnApply"));
        EXPECT_TRUE(modal->isVisible());
      },
      u"btnCancel");
  QComboBox* combo = Main().TowaryTab().cmbTJM;
  ASSERT_EQ(combo->count(), kept);
  EXPECT_EQ(combo->itemText(0), u"szt."_s);
  EXPECT_EQ(program->Services().unitList.front(), "szt.");
  EXPECT_TRUE(store.Has(kKeyNumbering, "FaktPrefix"));  // "Zastosuj" wrote the settings
}

TEST_F(SettingsWindowTest, NumberingHintOpensOverTheWindowAndCanBeClosed) {
  Start();
  TfrmInfo& info = program->frmInfo();
  QWidget* settings = &Window();
  AnswerNextModal([&](QWidget*) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &info; }, 2000));
    EXPECT_EQ(info.CurrentTopic(), TfrmInfo::kTopicNumbering);
    Click(info.Button1);
    EXPECT_EQ(QApplication::activeModalWidget(), settings);
    Click(In(settings, u"btnHelpAutoNum"));
    EXPECT_EQ(QApplication::activeModalWidget(), &info);
    Click(info.Button1);
    Click(In(settings, u"btnCancel"));
  });
  Click(Control(u"btnAutoNumbering"));
  EXPECT_FALSE(info.isVisible());
  EXPECT_FALSE(info.isModal());
}

TEST(FolderPickerTest, PolishCaptions) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
  QtFileDialogs dialogs;
  QString label;
  AnswerNextModal([&](QWidget* modal) {
    if (auto* picker = qobject_cast<QFileDialog*>(modal)) {
      label = picker->labelText(QFileDialog::FileName);
      picker->reject();
    }
  });
  EXPECT_FALSE(dialogs.Folder(nullptr, u"Folder dokumentów"_s, QDir::tempPath()));
  QLocale::setDefault(previous);
  EXPECT_EQ(label, u"Wybrany folder:"_s);
}

}  // namespace
}  // namespace bilvox::testing
