// The program's application object: a command that meets an error stops, and the error is
// shown here in the program's error box, whichever event started the command.
#pragma once

#include <QApplication>

namespace bilvox {

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Qt's own dialogs and buttons in Polish, from the system's Qt translations.
  void LoadTranslations();
};

}  // namespace bilvox
