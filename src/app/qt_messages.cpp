#include "qt_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "qt_text.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

// Line breaks of the core's texts (CR LF, and LF CR in a few old messages) as Qt shows them.
QString BoxText(std::string_view cp1250) {
  QString text = ToQMultiline(cp1250);
  text.replace(u"\n\r"_s, u"\n"_s);
  text.replace(u'\r', u'\n');
  return text;
}

}  // namespace

MsgResult QtMessageReporter::Show(std::string_view caption, std::string_view text, MsgIcon icon,
                                  MsgButtons buttons) {
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox box(BoxIcon(icon), BoxText(caption), BoxText(text), QMessageBox::NoButton,
                  parent);
  switch (buttons) {
    case MsgButtons::Ok:
      box.addButton(QMessageBox::Ok)->setText(u"OK"_s);
      break;
    case MsgButtons::YesNo:
      box.addButton(QMessageBox::Yes)->setText(u"Tak"_s);
      box.addButton(QMessageBox::No)->setText(u"Nie"_s);
      box.setEscapeButton(QMessageBox::No);
      break;
    case MsgButtons::YesNoCancel:
      box.addButton(QMessageBox::Yes)->setText(u"Tak"_s);
      box.addButton(QMessageBox::No)->setText(u"Nie"_s);
      box.addButton(QMessageBox::Cancel)->setText(u"Anuluj"_s);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
  box.setDefaultButton(buttons == MsgButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: break;
  }
  // A box closed without a button: OK for a message, the safest answer for a question.
  if (buttons == MsgButtons::Ok) return MsgResult::Ok;
  return buttons == MsgButtons::YesNoCancel ? MsgResult::Cancel : MsgResult::No;
}

}  // namespace bilvox
