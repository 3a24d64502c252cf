#include "application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/error_report.h"
#include "common/messages.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(u"Bilvox"_s);
  setOrganizationName(u"Dravel"_s);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const Error& e) {
    ShowCommandError(e);
  } catch (const std::bad_alloc&) {
    ShowCommandError(Error(std::string("Brak pamięci"_cp)));
  } catch (const std::exception& e) {
    ShowCommandError(Error(FromUtf8Lossy(e.what())));
  }
  return false;
}

void TApplication::LoadTranslations() {
  QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
  auto* translator = new QTranslator(this);
  if (translator->load(QLocale(QLocale::Polish), u"qtbase"_s, u"_"_s,
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(translator);
}

}  // namespace bilvox
