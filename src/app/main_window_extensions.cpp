#include "main_window_extensions.h"

#include <vector>

namespace bilvox {

namespace {
std::vector<MainWindowExtensionFn>& Extensions() {
  static std::vector<MainWindowExtensionFn> extensions;
  return extensions;
}
}  // namespace

MainWindowExtension::MainWindowExtension(MainWindowExtensionFn install) {
  Extensions().push_back(install);
}

void InstallMainWindowExtensions(TfrmMain& window) {
  for (MainWindowExtensionFn install : Extensions()) install(window);
}

}  // namespace bilvox
