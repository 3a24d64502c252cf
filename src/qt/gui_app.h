// Drawing with Qt outside the windows (fonts need a GUI application object).
#pragma once

namespace bilvox {

// Creates the process's QGuiApplication unless one exists; it lives until the process
// ends. Without a platform chosen in QT_QPA_PLATFORM the offscreen one is used, so no
// display is needed.
void EnsureGuiApplication();

}  // namespace bilvox
