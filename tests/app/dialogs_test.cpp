// Message boxes and common dialogs of the windows: Polish buttons, the logo dialog's
// request, the filter as Qt's dialogs read it, and errors of a command shown in a box.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/app_fixture.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "dialogs.h"
#include "qt_messages.h"
#include "support/jpeg_writer.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

TEST(QtMessagesTest, QuestionsHavePolishButtonsAndGiveTheAnswer) {
  QtMessageReporter reporter;
  QStringList buttons;
  AnswerNextModal([&buttons](QWidget* modal) {
    for (QPushButton* b : modal->findChildren<QPushButton*>()) buttons << b->text();
    for (QPushButton* b : modal->findChildren<QPushButton*>())
      if (b->text() == u"Nie"_s) b->click();
  });
  EXPECT_EQ(reporter.Show("Bilvox", "Zapisać?"_cp, MsgIcon::Question, MsgButtons::YesNoCancel),
            MsgResult::No);
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{u"Anuluj"_s, u"Nie"_s, u"Tak"_s}));

  PressInNextModal(u"OK"_s);
  EXPECT_EQ(reporter.Show("Bilvox", "Gotowe", MsgIcon::Information, MsgButtons::Ok),
            MsgResult::Ok);
}

TEST(QtDialogsTest, FiltersInTheFormOfQtDialogs) {
  EXPECT_EQ(QtFilterText(u"Faktury (*.ftv)|*.ftv"_s), u"Faktury (*.ftv)"_s);
  EXPECT_EQ(QtFilterText(u"Pliki graficzne (*.jpg;*.jpeg)|*.jpg;*.jpeg|Bitmapy (*.bmp)|*.bmp"_s),
            u"Pliki graficzne (*.jpg *.jpeg);;Bitmapy (*.bmp)"_s);
}

class LogoTest : public AppTest {};

TEST_F(LogoTest, LogoDialogLoadsThePictureAndAnUnreadableOneLeavesNone) {
  Start();
  const std::string logo = data.File("logo.jpg");
  WriteBytes(logo, EncodeJpeg(2, 2, 3, JCS_RGB, std::vector<uint8_t>(12, 200)));
  dialogs.Answer(ScriptedDialogs::Kind::Picture, QString::fromStdString(logo));
  Click(Control(u"btnLogoBrowse"));
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].request.caption, u"Wybierz logo firmy"_s);
  EXPECT_EQ(dialogs.asked[0].request.filter,
            u"Pliki graficzne (*.jpg;*.jpeg;*.bmp;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.emf;*.wmf|"
            "Obrazy JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Bitmapy (*.bmp)|*.bmp|"
            "Metapliki (*.wmf;*.emf)|*.emf;*.wmf"_s);
  EXPECT_EQ(Doc().LogoFileName(), logo);
  EXPECT_EQ(Control<QLineEdit>(u"edtLogoFileName")->text(), QString::fromStdString(logo));

  // The dialog opens on the current logo; a file that is no picture is reported.
  const std::string text = data.File("notatki.jpg");
  WriteBytes(text, "to nie jest obraz");
  dialogs.Answer(ScriptedDialogs::Kind::Picture, QString::fromStdString(text));
  Click(Control(u"btnLogoBrowse"));
  EXPECT_EQ(dialogs.asked[1].request.proposedFile, QString::fromStdString(logo));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(Control<QLineEdit>(u"edtLogoFileName")->text(), QString());

  dialogs.Answer(ScriptedDialogs::Kind::Picture, std::nullopt);  // cancelled: nothing changes
  Click(Control(u"btnLogoBrowse"));
  EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(LogoTest, ErrorOfACommandIsShownWithAFullStop) {
  Start();
  QTimer::singleShot(0, &Main(), [] { throw Error(std::string("Brak pliku"_cp)); });
  QApplication::processEvents();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Bilvox");
  EXPECT_EQ(messages.messages[0].text, "Brak pliku.");
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
}

}  // namespace
}  // namespace bilvox::testing
