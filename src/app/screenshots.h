// Pictures of the windows for the manual and the README, taken by the running program itself
// (developer switch BILVOX_SCREENSHOTS=FOLDER, see DEVELOPERS.md).
//
// A view is one state of the windows worth a picture: a name (the file is FOLDER/NAME.png)
// and a function that puts the windows in that state and returns the widget to capture.
// Every unit adds its own views with static registrations, in the order they are to be taken:
//
//   const ScreenshotView kList("contractors-list", [](TProgram& program) -> QWidget* {
//     program.frmKontrahenci().show();
//     return &program.frmKontrahenci();
//   });
//
// The function must not wait for the user (show windows, never exec() them). A window other
// than the main window that a view returns is hidden again after its picture.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace bilvox {

class TProgram;

using ScreenshotFn = std::function<QWidget*(TProgram& program)>;

class ScreenshotView {
 public:
  ScreenshotView(const char* name, ScreenshotFn show);
};

// Once the main window shows its first page, puts every registered view on screen in turn,
// grabs the returned widget from the screen and writes FOLDER/NAME.png; then ends the event
// loop (exit status 0, or 1 when a picture could not be taken or written).
void TakeScreenshots(TProgram& program, const QString& folder);

// Calls `then` once the main window is on screen and its preview shows a page.
void WhenPagePainted(TProgram& program, std::function<void()> then);

}  // namespace bilvox
