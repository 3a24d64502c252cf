// The program's general error box: a command that meets an error stops, and the error's
// message is shown with the program's title (or the window's caption) and the error icon.
#pragma once

#include <string>
#include <string_view>

#include "common/app_info.h"
#include "common/error.h"

namespace bilvox {

// The message as the error box shows it: a full stop is appended unless the text is empty or
// already ends in a full stop or a character with a lower code (a blank, a line break, "!").
std::string WithClosingStop(std::string_view message);

// Shows the error through Messages() in an error box.
void ShowCommandError(const Error& error, std::string_view caption = kAppTitle);

// Runs an operation; an Error it throws is shown in the error box. False when it failed.
template <class F>
bool Guarded(F&& operation) {
  try {
    operation();
    return true;
  } catch (const Error& e) {
    ShowCommandError(e);
    return false;
  }
}

}  // namespace bilvox
