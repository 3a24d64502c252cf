// Small helpers the windows build their controls with: every control gets its object name
// (the name tests and the rest of the program find it by), hints go to the status bar, and
// text fields refuse characters Windows-1250 cannot store.
#pragma once

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>
#include <string>
#include <utility>

class QBoxLayout;
class QDialog;

namespace bilvox {

// Creates a child control with its object name.
template <class W, class... Args>
W* Make(QWidget* parent, const QString& name, Args&&... args) {
  W* w = new W(std::forward<Args>(args)..., parent);
  w->setObjectName(name);
  return w;
}

// A hint as the status bar shows it: the text after "|", or the whole hint without one. The
// part before "|" becomes the tooltip where tooltips are wanted.
void SetHint(QWidget* widget, const QString& hint, bool tooltip = false);

// A label tied to its field (the field takes the focus for the label's shortcut).
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QWidget* buddy);

// Text fields of the document.
QLineEdit* MakeEdit(QWidget* parent, const QString& name);
// A memo a few lines high (it scrolls beyond them).
QPlainTextEdit* MakeMemo(QWidget* parent, const QString& name, bool wrap = true, int lines = 4);
QComboBox* MakeList(QWidget* parent, const QString& name, const QStringList& items);
QComboBox* MakeEditableCombo(QWidget* parent, const QString& name, const QStringList& items);
QDateEdit* MakeDatePicker(QWidget* parent, const QString& name);

// A memo's text as the document stores it (CR LF between lines). Characters Windows-1250
// cannot hold are taken out of the memo first, so what is shown is what is stored.
std::string MemoText(QPlainTextEdit* memo);
// Shows a document text in a memo (CR LF → line breaks).
void SetMemoText(QPlainTextEdit* memo, const std::string& cp1250);

// Places a window centred over another one (halves truncated toward zero).
void CentreOver(QWidget* window, const QWidget* over);

// The "OK" (default) and "Anuluj" (cancel) buttons of a dialog, `btnOk` and `btnCancel`,
// closing it with accept and reject.
void AddOkCancel(QDialog* dialog, QBoxLayout* layout);

// Makes a text field at least wide enough to show the sample text whole.
void FitWidthTo(QLineEdit* field, const QString& sample);
// A tax number as wide as they come ("PL" and the digits in groups).
inline const QString kTaxNumberSample = QStringLiteral("PL 000-000-00-00");

// The background of a field: white, or light salmon for a value that fails its check.
void SetFieldValid(QWidget* field, bool valid);

}  // namespace bilvox
