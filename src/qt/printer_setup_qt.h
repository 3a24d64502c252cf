// The remembered printer on Qt: the installed printers, and a QPrinter's settings kept in the
// block of the printer set-up file.
#pragma once

#include <string>
#include <vector>

#include "printout/printer_setup.h"

class QPrinter;

namespace bilvox::qt {

// The installed printers' names in the platform's order (Windows-1250).
std::vector<std::string> InstalledPrinterNames();

// The settings of a printer that the block keeps (paper, orientation, duplex, colour mode,
// resolution, copies), and the way back.
PrinterBlock CapturePrinterBlock(const QPrinter& printer);
void ApplyPrinterBlock(QPrinter& printer, const PrinterBlock& block);

// Start-up: makes the remembered printer current with its settings when it is still
// installed (a block that is not ours leaves the printer's own settings). Returns true when a
// printer was restored.
bool RestorePrinter(QPrinter& printer, const std::string& path, SetupType& type);
// After a confirmed printer set-up dialog: stores the printer and its settings. Nothing
// happens without an installed printer.
bool SavePrinter(const QPrinter& printer, const std::string& path, SetupType& type);

}  // namespace bilvox::qt
