// The common dialogs the windows ask the user through: open and save a file, pick a picture,
// a folder or a colour. The windows call them only through this interface, so tests put a
// scripted twin in its place (tests/support/scripted_dialogs.h).
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace bilvox {

struct FileDialogRequest {
  QString caption;
  // Filters as pairs "description|patterns|description|patterns", patterns separated by
  // ";" ("Faktury (*.ftv)|*.ftv").
  QString filter;
  QString folder;        // where the dialog starts; empty: the proposed file's folder
  QString proposedFile;  // a path or a bare file name
  QString defaultSuffix; // added to a typed name without one ("ftv")
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Each returns the chosen path, or nothing when the user cancelled.
  virtual std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> OpenPicture(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> Folder(QWidget* parent, const QString& caption,
                                        const QString& start) = 0;
  virtual std::optional<QColor> Color(QWidget* parent, const QColor& initial) = 0;
};

// The dialogs of the desktop, through Qt (their buttons speak the language of the
// translations the program loaded).
class QtFileDialogs : public FileDialogs {
 public:
  std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> OpenPicture(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> Folder(QWidget* parent, const QString& caption,
                                const QString& start) override;
  std::optional<QColor> Color(QWidget* parent, const QColor& initial) override;
};

// "Faktury (*.ftv)|*.ftv" in the form of Qt's dialogs: "Faktury (*.ftv)"; the patterns
// inside the description's brackets are replaced by the filter's own, separated by blanks.
QString QtFilterText(const QString& filter);

}  // namespace bilvox
