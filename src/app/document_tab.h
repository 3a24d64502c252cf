// What the tabs of the main window share: the document they edit, the settings, the
// dialogs, and the refresh guard. Every tab writes each edit straight into the document
// through its setters; while the window copies the document into the controls (the window
// refresh), the change handlers stand still.
#pragma once

#include <QString>
#include <QWidget>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;

namespace bilvox {

class FileDialogs;
class TFaktura;
class TSettings;

struct EditContext {
  TFaktura& document;
  TSettings& settings;
  FileDialogs& dialogs;
  bool refreshing = false;
};

class DocumentTab : public QWidget {
 public:
  // `name` is the tab's object name, `hint` what the status bar shows for it.
  DocumentTab(EditContext& context, const QString& name, const QString& hint);

  // The tab's caption on the tab control.
  virtual QString Caption() const = 0;

 protected:
  // False while the window refresh writes the controls.
  bool Editing() const { return !context_.refreshing; }
  TFaktura& Doc() { return context_.document; }

  // A text field or memo whose every change goes to the document through the setter; a tax
  // number field also shows whether the number passes its check.
  using TextSetter = void (TFaktura::*)(std::string_view);
  void BindEdit(QLineEdit* edit, TextSetter set);
  void BindMemo(QPlainTextEdit* memo, TextSetter set);
  void BindTaxNumber(QLineEdit* edit, TextSetter set);

  EditContext& context_;
};

}  // namespace bilvox
