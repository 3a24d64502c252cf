#include "help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "qt_text.h"

namespace bilvox {

void ShowHelpContents(QWidget*, const std::string& programFolder) {
  const QString chm = PathToQ(programFolder + "bilvox.chm");
  if (QFileInfo::exists(chm)) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(chm));
    return;
  }
  // The program's own manual: opened by the platform's help opener once it is in the tree.
}

}  // namespace bilvox
