#include "help.h"

#include <QDesktopServices>
#include <QFile>

#include "common/cp1250.h"
#include "common/files.h"
#include "common/paths.h"

namespace bilvox {

namespace {

UrlOpener& Opener() {
  static UrlOpener opener;
  return opener;
}

}  // namespace

void SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

bool OpenUrl(const QUrl& url) {
  if (Opener()) return Opener()(url);
  return QDesktopServices::openUrl(url);
}

std::vector<std::string> HelpFiles(const std::string& programFolder) {
  std::vector<std::string> files;
  for (const char* name : {"bilvox.chm", "help/bilvox.html", "../share/bilvox/help/bilvox.html"}) {
    const std::string path = programFolder + name;
    if (FileExists(path)) files.push_back(path);
  }
  return files;
}

bool OpenHelpFor(const std::string& programFolder, std::string* error) {
  const auto files = HelpFiles(programFolder);
  // A help file without a viewer for it (no CHM viewer installed) falls back to the manual.
  for (const auto& path : files) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (OpenUrl(QUrl::fromLocalFile(name))) return true;
  }
  if (error) {
    *error = files.empty() ? std::string("Nie odnaleziono pliku pomocy programu."_cp)
                           : std::string("Nie można otworzyć pliku pomocy:\r\n"_cp) +
                                 FromUtf8Lossy(files.front());
  }
  return false;
}

bool OpenHelp(std::string* error) { return OpenHelpFor(ProgramFolder(), error); }

}  // namespace bilvox
