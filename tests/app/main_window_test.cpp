// The main window as the user meets it: its controls, actions and menus under their names,
// the windows of the program created in their order.
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include "app/app_fixture.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

class MainWindowTest : public AppTest {};

TEST_F(MainWindowTest, EveryWindowControlAndActionExistsUnderItsName) {
  Start();
  std::vector<QString> expected = {u"frmMain"_s,        u"AboutBox"_s,      u"frmSettings"_s,
                                   u"frmPrintSelect2"_s, u"frmTowary"_s,    u"frmKontrahenci"_s,
                                   u"frmInfo"_s,        u"frmWaluta"_s,     u"frmTMore"_s,
                                   u"frmKontrahent"_s,  u"frmPrintSelect"_s};
  EXPECT_EQ(program->CreationOrder(), expected);

  for (const char16_t* name :
       {u"edtNumer", u"cbxAutoNumer", u"btnAutoNumbering", u"btnWaluta", u"cmbJezyk",
        u"cmbTypFaktury", u"cbxOdCenBrutto", u"edtMiejsceWyst", u"dtpDataWyst", u"dtpDataSprz",
        u"cbxSprzedazCiagla", u"mmoSellerName", u"mmoSellerAddress", u"edtSellerNIP",
        u"edtLogoFileName", u"btnLogoBrowse", u"btnLogoClear", u"mmoInfoText1", u"mmoInfoText2",
        u"cbxShowInfoFrame", u"mmoBuyerName", u"mmoBuyerAddress", u"edtBuyerNIP",
        u"edtBuyerRabat", u"btnSelectBuyer", u"btnTNew", u"edtTNazwa", u"btnSelectTowar",
        u"cmbTPKWIU", u"cmbTJM", u"edtTCenaNetto", u"cmbTStawkaVat", u"edtTIlosc",
        u"edtTCenaBrutto", u"btnTAdd", u"btnTChange", u"btnTMore", u"lbxTowary", u"btnTDelete",
        u"btnHelpTowary", u"cmbFormaPlatnosci", u"edtTermin", u"updTermin", u"dtpTermin",
        u"edtZaplacono", u"cbxZaplacono", u"edtUpowWystaw", u"edtUpowOdbioru", u"mmoUwagi",
        u"edtUwagiStale", u"pgcFaktura", u"ScrollBox1", u"pbxFaktura", u"StatusBar1",
        u"tmrFaktura", u"tshDokument", u"tshSprzedawca", u"tshNabywca", u"tshTowary",
        u"tshPlatnosc", u"tshPodpisy"})
    EXPECT_NE(Main().findChild<QObject*>(QString::fromUtf16(name)), nullptr)
        << QString::fromUtf16(name).toStdString();

  struct ActionSpec {
    const char16_t* name;
    QString caption, tooltip, status;
    QKeySequence shortcut;
  };
  const ActionSpec actions[] = {
      {u"FileNewFaktura", u"Nowa &faktura"_s, u"Nowa faktura"_s, u"Tworzy nową fakturę"_s,
       QKeySequence(u"Ctrl+N"_s)},
      {u"FileSaveAs", u"Zapisz &jako..."_s, u"Zapisz"_s,
       u"Zapisuje dokument do pliku pod inną nazwą"_s, QKeySequence(u"F12"_s)},
      {u"FilePrinterSettings", u"&Ustawienia drukarki..."_s, u"Ustawienia drukarki"_s,
       u"Umożliwia dostosowanie ustawień drukarki  przed drukowaniem faktury"_s,
       QKeySequence(u"Shift+Ctrl+P"_s)},
      {u"ViewScaleUp", u"Po&większ"_s, u"Powiększ"_s, u"Zwiększa skalę podglądu faktury"_s,
       QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))},
      {u"HelpContents", u"&Bilvox - Pomoc"_s, u"Pomoc"_s, u"Wyświetla okno pomocy do programu"_s,
       QKeySequence(u"F1"_s)},
  };
  for (const ActionSpec& spec : actions) {
    QAction* action = Find<QAction>(&Main(), QString::fromUtf16(spec.name));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), spec.caption);
    EXPECT_EQ(action->toolTip(), spec.tooltip);
    EXPECT_EQ(action->statusTip(), spec.status);
    EXPECT_EQ(action->shortcut(), spec.shortcut);
  }
  for (const char* name : {"FileNewRachunek", "FileNewKorekta", "FileOpen", "FileSave",
                           "FilePrint", "FileExit", "ViewScaleDown", "ViewFitWidth",
                           "ToolsKontrahenci", "ToolsTowary", "ToolsSettings", "HelpAbout"})
    EXPECT_NE(Main().findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;

  auto* tabs = Control<QTabWidget>(u"pgcFaktura");
  ASSERT_EQ(tabs->count(), 6);
  QStringList captions;
  for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
  EXPECT_EQ(captions, (QStringList{u"Dokument"_s, u"Sprzedawca"_s, u"Nabywca"_s,
                                   u"Towary/Usługi"_s, u"Płatność"_s, u"Podpisy/Uwagi"_s}));
  EXPECT_EQ(Main().windowTitle(), u"Bilvox - [Nowa faktura]"_s);
}

// At the smallest size the window allows, no caption on any tab is cut and the goods tab's
// lines list has room for a line's name.
TEST_F(MainWindowTest, CaptionsAreWholeAtTheSmallestWindow) {
  Start();
  Main().resize(Main().minimumWidth(), 450);
  auto* tabs = Control<QTabWidget>(u"pgcFaktura");
  for (int index = 0; index < tabs->count(); ++index) {
    tabs->setCurrentIndex(index);
    QApplication::processEvents();
    QWidget* page = tabs->widget(index);
    for (QWidget* caption : page->findChildren<QWidget*>()) {
      if (!caption->isVisible() || (!qobject_cast<QLabel*>(caption) &&
                                    !qobject_cast<QCheckBox*>(caption)))
        continue;
      EXPECT_GE(caption->width(), caption->sizeHint().width())
          << page->objectName().toStdString() << " " << caption->objectName().toStdString();
    }
  }
  auto* lines = Control<QListWidget>(u"lbxTowary");
  EXPECT_GE(lines->width(), 30 * lines->fontMetrics().averageCharWidth());
}

}  // namespace
}  // namespace bilvox::testing
