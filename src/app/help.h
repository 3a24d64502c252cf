// The program's help (HelpContents).
#pragma once

#include <string>

class QWidget;

namespace bilvox {

// Opens `bilvox.chm` from the program folder with the desktop's viewer when one is there,
// otherwise the program's own manual.
void ShowHelpContents(QWidget* owner, const std::string& programFolder);

}  // namespace bilvox
