#include "support/gui_test.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <memory>

namespace bilvox::testing {

void TypeText(QWidget* control, const QString& text) {
  control->setFocus();
  for (QChar c : text) {
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
      QTest::keyClick(control, static_cast<char>(c.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

void ReplaceText(QWidget* control, const QString& text) {
  control->setFocus();
  QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty())
    QTest::keyClick(control, Qt::Key_Delete);
  else
    TypeText(control, text);
}

void PressKey(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  control->setFocus();
  QTest::keyClick(control, key, modifiers);
}

void Click(QWidget* control) {
  QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

void Trigger(const QWidget* window, const QString& actionName) {
  if (QAction* action = Find<QAction>(window, actionName)) action->trigger();
}

void AnswerNextModal(std::function<void(QWidget* modal)> answer) {
  auto timer = new QTimer;
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, answer = std::move(answer)] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    } else if (clock->elapsed() > 2000) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no modal window opened";
    }
  });
  timer->start(0);
}

void PressInNextModal(const QString& button) {
  AnswerNextModal([button](QWidget* modal) {
    for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
      if (b->objectName() == button || b->text() == button) {
        b->click();
        return;
      }
    }
    ADD_FAILURE() << "no button " << button.toStdString() << " in the modal window";
  });
}

}  // namespace bilvox::testing
