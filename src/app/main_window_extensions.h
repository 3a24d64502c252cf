// Commands other parts of the program add to the main window without changing it. A unit
// registers a function with a static MainWindowExtension; the window calls every registered
// function once, after its menus and actions exist, e.g. to add a command to "Plik" with
// TfrmMain::AddFileCommand.
#pragma once

namespace bilvox {

class TfrmMain;

using MainWindowExtensionFn = void (*)(TfrmMain& window);

class MainWindowExtension {
 public:
  explicit MainWindowExtension(MainWindowExtensionFn install);
};

// Calls every registered function (the main window, at its creation).
void InstallMainWindowExtensions(TfrmMain& window);

}  // namespace bilvox
