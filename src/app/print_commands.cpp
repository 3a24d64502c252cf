#include "print_commands.h"

#include "main_window.h"
#include "program.h"

namespace bilvox {

TPrintCommands::TPrintCommands(TProgram& program, TfrmMain& window)
    : program_(program), window_(window) {}

void TPrintCommands::Print() {}

void TPrintCommands::PrinterSettings() {}

}  // namespace bilvox
