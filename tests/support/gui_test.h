// Driving windows in tests the way a user does: find controls and actions by their object
// names, type text (Polish letters too), click, and answer a modal window that is about to
// open.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QString>
#include <QWidget>
#include <functional>

namespace bilvox::testing {

// The child control of that name; fails the test when there is none.
template <class T = QWidget>
T* Find(const QObject* root, const QString& name) {
  T* found = root->findChild<T*>(name);
  if (!found) ADD_FAILURE() << "no control " << name.toStdString();
  return found;
}

// Types the text into the control as key presses (each character one key), after giving it
// the focus. Characters outside ASCII are sent as text events, as a keyboard layout would.
void TypeText(QWidget* control, const QString& text);
// Selects all of the control's text and types the new one in its place.
void ReplaceText(QWidget* control, const QString& text);
// Presses a key (Enter, Tab, ...) in the control.
void PressKey(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A left click in the middle of the control.
void Click(QWidget* control);
// Triggers the window's action of that name.
void Trigger(const QWidget* window, const QString& actionName);

// Arranges for `answer` to run on the next modal window once it is open (from within its
// event loop); fails the test when none opens within two seconds.
void AnswerNextModal(std::function<void(QWidget* modal)> answer);
// Closes the next modal window with the button of that object name or text.
void PressInNextModal(const QString& button);

}  // namespace bilvox::testing
