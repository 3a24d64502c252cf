// The program's help: the help file bilvox.chm when one lies in the program folder, else the
// Polish manual shipped with the program, opened with the desktop's viewer.
#pragma once

#include <QUrl>
#include <functional>
#include <string>
#include <vector>

namespace bilvox {

// Opens a file or web address with the desktop's viewer; true when a viewer was started.
using UrlOpener = std::function<bool(const QUrl&)>;
// Replaces the opener, so tests never start a viewer; an empty function restores the
// desktop's (QDesktopServices::openUrl).
void SetUrlOpener(UrlOpener opener);
// Opens through the current opener.
bool OpenUrl(const QUrl& url);

// The help files present for a program in `programFolder` (trailing '/'), in the order they
// are tried: bilvox.chm in that folder, then the manual beside the program
// (help/bilvox.html: the build tree, or a program kept in one folder), then the manual of an
// installed program (../share/bilvox/help/bilvox.html).
std::vector<std::string> HelpFiles(const std::string& programFolder);

// Opens the first help file whose viewer starts. False, with a Windows-1250 message in
// `error`, when there is no help file or no viewer opened any.
bool OpenHelp(std::string* error);
bool OpenHelpFor(const std::string& programFolder, std::string* error);

}  // namespace bilvox
