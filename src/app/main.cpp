// bilvox: the program's window. One copy runs per user; a second start ends at once without
// touching anything.
#include <optional>
#include <string>

#include "application.h"
#include "common/paths.h"
#include "dialogs.h"
#include "file_commands.h"
#include "instance.h"
#include "main_window.h"
#include "program.h"
#include "qt_messages.h"
#include "settings/file_store.h"

int main(int argc, char** argv) {
  using namespace bilvox;
  TApplication app(argc, argv);
  InstanceLock lock;
  if (!lock.TryAcquire()) return 0;
  app.LoadTranslations();

  QtMessageReporter reporter;
  SetMessages(&reporter);
  QtFileDialogs dialogs;
  std::unique_ptr<SettingsStore> store = OpenUserSettingsStore();
  std::optional<std::string> startPath;
  if (argc > 1) startPath = argv[1];

  int result = 0;
  {
    TProgram program(*store, dialogs, DataFolder(), ProgramFolder(),
                     startPath);
    OpenRequestListener listener;
    QObject::connect(&listener, &OpenRequestListener::OpenRequested,
                     &program.frmMain(), [&program](const QString& path) {
                       program.frmMain().FileCommands().OpenFromOutside(path.toStdString());
                     });
    listener.Listen();
    program.frmMain().show();
    result = app.exec();
  }
  SetMessages(nullptr);
  return result;
}
