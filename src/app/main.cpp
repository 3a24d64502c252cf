// bilvox: the program's window. One copy runs per user; a second start ends at once without
// touching anything.
//
// Developer switches (environment, see DEVELOPERS.md): BILVOX_SCREENSHOTS=FOLDER writes a
// picture of every registered view into FOLDER and ends; BILVOX_QUIT_WHEN_PAINTED=1 ends the
// process at once when the window first shows the page (for timing the start).
#include <cstdlib>
#include <optional>
#include <string>

#include "application.h"
#include "common/files.h"
#include "common/paths.h"
#include "dialogs.h"
#include "file_commands.h"
#include "instance.h"
#include "main_window.h"
#include "program.h"
#include "qt_messages.h"
#include "qt_text.h"
#include "screenshots.h"
#include "settings/file_store.h"

int main(int argc, char** argv) {
  using namespace bilvox;
  TApplication app(argc, argv);
  InstanceLock lock;
  if (!lock.TryAcquire()) return 0;
  // A save cut short by a signal leaves no temporary beside the document or register; a
  // file-size limit makes the save fail with a message instead of ending the program.
  InstallSaveSignalHandlers();
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
                       program.frmMain().FileCommands().OpenFromOutside(PathFromQ(path));
                     });
    listener.Listen();
    const QString screenshots = qEnvironmentVariable("BILVOX_SCREENSHOTS");
    if (!screenshots.isEmpty())
      TakeScreenshots(program, screenshots);
    else if (qEnvironmentVariableIsSet("BILVOX_QUIT_WHEN_PAINTED"))
      WhenPagePainted(program, [] { std::_Exit(0); });
    program.frmMain().show();
    result = app.exec();
  }
  SetMessages(nullptr);
  return result;
}
