#include "dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QToolButton>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace bilvox {

QString QtFilterText(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const qsizetype bracket = description.lastIndexOf(u'(');
    if (bracket > 0 && description.endsWith(u')')) description = description.left(bracket).trimmed();
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    filters << description + u" ("_s + patterns.trimmed() + u')';
  }
  return filters.join(u";;"_s);
}

namespace {

// A proposed file with a folder of its own opens there; a bare name in the request's folder.
QString StartPath(const FileDialogRequest& request) {
  if (request.folder.isEmpty() || QFileInfo(request.proposedFile).isAbsolute())
    return request.proposedFile;
  if (request.proposedFile.isEmpty()) return request.folder;
  return QDir(request.folder).filePath(request.proposedFile);
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, request.caption, StartPath(request), QtFilterText(request.filter));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.setOption(QFileDialog::ReadOnly, false);
  // The document asks itself before it replaces another file.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtFileDialogs::OpenFile(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::SaveFile(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<QString> QtFileDialogs::OpenPicture(QWidget* parent,
                                                  const FileDialogRequest& request) {
  return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::Folder(QWidget* parent, const QString& caption,
                                             const QString& start) {
  // The program's own picker: it shows the chosen folder's path and offers a new folder,
  // with captions in the user's language.
  QFileDialog dialog(parent, caption, start);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  if (QLocale().language() == QLocale::Polish) {
    dialog.setLabelText(QFileDialog::FileName, u"Wybrany folder:"_s);
    if (auto* newFolder = dialog.findChild<QToolButton*>(u"newFolderButton"_s)) {
      newFolder->setToolTip(u"Nowy folder"_s);
      newFolder->setAccessibleName(u"Nowy folder"_s);
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtFileDialogs::Color(QWidget* parent, const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial, parent);
  if (!color.isValid()) return std::nullopt;
  return color;
}

}  // namespace bilvox
