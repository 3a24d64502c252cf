// What the tabs of the main window share: the document they edit, the settings, the
// dialogs, and the refresh guard. Every tab writes each edit straight into the document
// through its setters; while the window copies the document into the controls (the window
// refresh), the change handlers stand still.
#pragma once

#include <QString>
#include <QWidget>

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

  EditContext& context_;
};

}  // namespace bilvox
