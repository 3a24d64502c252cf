// Where the program lives and where it keeps its data files. Paths are the system's own
// strings (UTF-8 on Linux) and end with '/', so a file name is simply appended.
#pragma once

#include <string>

namespace bilvox {

// The folder of the running program file, with a trailing '/'; empty when the system does
// not tell (no /proc).
std::string ProgramFolder();

// The folder of the data files (registers, autocomplete lists, remembered printer), with a
// trailing '/', created when missing:
//   1. BILVOX_DATA_DIR when set and not empty;
//   2. else the program folder, when the user may write there (a program unpacked or built
//      in a folder of its own keeps its data beside it);
//   3. else $XDG_DATA_HOME/bilvox (XDG_DATA_HOME only when it is an absolute path), by default
//      ~/.local/share/bilvox (an installed program).
std::string DataFolder();
// The same rule for a given program folder (BILVOX_DATA_DIR still comes first).
std::string DataFolderFor(const std::string& programFolder);

}  // namespace bilvox
