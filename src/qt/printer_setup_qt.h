// The remembered printer on Qt: the installed printers and the PDF file beside them, and a
// QPrinter's settings kept in the block of the printer set-up file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "printout/printer_setup.h"

class QPrinter;

namespace bilvox::qt {

// The installed printers' names in the platform's order (Windows-1250).
std::vector<std::string> InstalledPrinterNames();

// The PDF file, always offered after the installed printers, so that documents can be
// issued on a machine without a printer. Its name in the list and in the set-up file holds a
// blank, which no print queue's name can.
inline constexpr std::string_view kPdfPrinterName = "Plik PDF";
// The installed printers, then the PDF file.
std::vector<std::string> SelectablePrinterNames();
// Whether the printer's output is the PDF file rather than a print queue.
bool PrintsToPdf(const QPrinter& printer);
// The name of the printer's current choice (an installed printer or the PDF file).
std::string CurrentPrinterName(const QPrinter& printer);
// Makes a printer of the list current (the PDF file, or an installed printer by its name).
void SelectPrinter(QPrinter& printer, const std::string& name);

// The settings of a printer that the block keeps (paper, orientation, duplex, colour mode,
// resolution, copies), and the way back.
PrinterBlock CapturePrinterBlock(const QPrinter& printer);
void ApplyPrinterBlock(QPrinter& printer, const PrinterBlock& block);

// Start-up: makes the remembered printer (or the PDF file) current with its settings when it
// is still installed (a block that is not ours leaves the printer's own settings). Returns
// true when a printer was restored.
bool RestorePrinter(QPrinter& printer, const std::string& path, SetupType& type);
// After a confirmed printer set-up dialog: stores the printer (or the PDF file) and its
// settings.
bool SavePrinter(const QPrinter& printer, const std::string& path, SetupType& type);

}  // namespace bilvox::qt
