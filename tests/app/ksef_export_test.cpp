// Exporting the window's document to KSeF: a VAT invoice gives a valid file (and an existing
// file is replaced only when confirmed), a bill is refused before anything is asked, a
// correction asks for the corrected invoice's date; the exempt basis is a setting of the
// settings window.
#include <QLineEdit>
#include <QMenu>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "ksef/ksef.h"
#include "settings/registry.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

std::string Example(const char* name) {
  return std::string(BILVOX_SOURCE_DIR) + "/examples/" + name;
}

class KsefExportTest : public AppTest {
 protected:
  void Export() { Trigger(&Main(), u"FileExportKSeF"_s); }
  QString OutFile() const { return QString::fromStdString(data.File("wynik.xml")); }
};

TEST_F(KsefExportTest, VatInvoiceIsWrittenValidAndReplacesAFileOnlyWhenAllowed) {
  store.SetString(kKeySettings, "FolderFaktur", "/srv/faktury");
  Start(Example("faktura-pln.ftv"));
  WriteBytes(data.File("wynik.xml"), "stary");

  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, OutFile());
  messages.answers = {MsgResult::No};
  Export();
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].request.folder, u"/srv/faktury"_s);
  EXPECT_EQ(dialogs.asked[0].request.proposedFile, u"F-12-03-2027.xml"_s);
  ASSERT_EQ(messages.messages.size(), 1u);  // the question about the existing file
  EXPECT_EQ(messages.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(ReadBytes(data.File("wynik.xml")), "stary");

  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, OutFile());
  messages.answers = {MsgResult::Yes};
  Export();
  const std::string xml = ReadBytes(data.File("wynik.xml"));
  EXPECT_EQ(KsefValidationError(xml), "");
  EXPECT_NE(xml.find("<P_2>F/12/03/2027</P_2>"), std::string::npos);
  ASSERT_EQ(messages.messages.size(), 3u);
  EXPECT_EQ(messages.messages[2].icon, MsgIcon::Information);
  EXPECT_FALSE(Doc().Modified());  // exporting is no change of the document
}

TEST_F(KsefExportTest, BillIsRefusedBeforeAnythingIsAsked) {
  Start(Example("rachunek.ftv"));
  const QList<QAction*> file = Main().mnuPlik->actions();
  ASSERT_TRUE(file.contains(Main().FileSaveAs));
  EXPECT_EQ(file[file.indexOf(Main().FileSaveAs) + 1]->objectName(), u"FileExportKSeF"_s);
  Export();
  EXPECT_TRUE(dialogs.asked.empty());
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(messages.messages[0].text, KsefKindRefusal(Doc()));
}

TEST_F(KsefExportTest, CorrectionAsksForTheCorrectedInvoicesDate) {
  Start(Example("korekta.ftv"));

  // Cancel: no file is asked for, nothing is written.
  AnswerNextModal([&](QWidget* modal) {
    EXPECT_EQ(modal->objectName(), u"frmKSeF"_s);
    EXPECT_EQ(Find<QLineEdit>(modal, u"edtNrFaKorygowanej"_s)->text(), u"F/12/03/2027"_s);
    EXPECT_EQ(Find<QLineEdit>(modal, u"edtDataFaKorygowanej"_s)->text(), QString());
    Click(Find(modal, u"btnCancel"_s));
  });
  Export();
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_TRUE(messages.messages.empty());

  // OK without a real date keeps the window open; a date in either form is taken.
  dialogs.Answer(ScriptedDialogs::Kind::SaveFile, OutFile());
  AnswerNextModal([&](QWidget* modal) {
    auto* date = Find<QLineEdit>(modal, u"edtDataFaKorygowanej"_s);
    TypeText(date, u"2027-02-30"_s);
    Click(Find(modal, u"btnOk"_s));
    EXPECT_TRUE(modal->isVisible());
    EXPECT_EQ(messages.messages.size(), 1u);
    ReplaceText(date, u"1.03.2027"_s);
    Click(Find(modal, u"btnOk"_s));
  });
  Export();
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].request.proposedFile, u"K-1-03-2027.xml"_s);
  const std::string xml = ReadBytes(data.File("wynik.xml"));
  EXPECT_EQ(KsefValidationError(xml), "");
  EXPECT_NE(xml.find("<DataWystFaKorygowanej>2027-03-01</DataWystFaKorygowanej>"),
            std::string::npos);
}

TEST_F(KsefExportTest, ExemptBasisIsEditedInTheSettingsWindow) {
  store.SetString(kKeySettings, "KSeFPodstawaZwolnienia", "art. 43 ust. 1 pkt 29 lit. c");
  Start();
  auto settings = [&](const QString& typed) {
    AnswerNextModal([&](QWidget* modal) {
      ReplaceText(Find(modal, u"edtKSeFPodstawaZwolnienia"_s), typed);
      Click(Find(modal, u"btnOk"_s));
    });
    Trigger(&Main(), u"ToolsSettings"_s);
  };
  AnswerNextModal([&](QWidget* modal) {
    EXPECT_EQ(Find<QLineEdit>(modal, u"edtKSeFPodstawaZwolnienia"_s)->text(),
              u"art. 43 ust. 1 pkt 29 lit. c"_s);
    Click(Find(modal, u"btnCancel"_s));
  });
  Trigger(&Main(), u"ToolsSettings"_s);

  settings(u"art. 43 ust. 1 pkt 2 ustawy o podatku od towarów i usług"_s);
  EXPECT_EQ(store.Get(kKeySettings, "KSeFPodstawaZwolnienia").bytes,
            "art. 43 ust. 1 pkt 2 ustawy o podatku od towarów i usług"_cp);
  EXPECT_EQ(program->Services().settings.App.KSeFPodstawaZwolnienia,
            "art. 43 ust. 1 pkt 2 ustawy o podatku od towarów i usług"_cp);

  settings(QString());  // an emptied field gives the default back
  EXPECT_EQ(store.Get(kKeySettings, "KSeFPodstawaZwolnienia").bytes, kDefaultExemptBasis);
}

}  // namespace
}  // namespace bilvox::testing
