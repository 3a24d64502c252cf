#include "print_commands.h"

#include <QPrinter>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/error_report.h"
#include "common/files.h"
#include "common/messages.h"
#include "dialogs.h"
#include "document/faktura.h"
#include "document/number_file_name.h"
#include "file_commands.h"
#include "main_window.h"
#include "page_output.h"
#include "print_select.h"
#include "print_select2.h"
#include "printer_setup_qt.h"
#include "printer_setup_window.h"
#include "printer_sheets.h"
#include "printout/page.h"
#include "printout/texts.h"
#include "program.h"
#include "qt_text.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// The resolution of the PDF file's sheets.
constexpr int kPdfDpi = 600;

}  // namespace

TPrintCommands::TPrintCommands(TProgram& program, TfrmMain& window)
    : program_(program), window_(window) {}

TFaktura& TPrintCommands::Doc() { return window_.Document(); }

void TPrintCommands::Print() {
  if (window_.Drawing().Printing()) return;
  const std::string caption = window_.CaptionText();
  const int code = Doc().Validate();
  const std::string message(ValidationMessage(code));
  if (code > 0 && code < 100) {
    if (!message.empty())
      Messages().Show(caption, std::string("Dokument nie jest wypełniony poprawnie! \r\n"_cp) +
                                   message,
                      MsgIcon::Error, MsgButtons::Ok);
    return;
  }
  if (code >= 100) {
    std::string question("Ostrzeżenie! "_cp);
    question += message;
    question += "\r\nCzy chcesz kontynuować?"_cp;
    if (Messages().Show(caption, question, MsgIcon::Information, MsgButtons::YesNo) !=
        MsgResult::Yes)
      return;
  }
  const bool confirmed = OffersMarkedSheets(Doc()) ? program_.frmPrintSelect().Execute()
                                                   : program_.frmPrintSelect2().Execute();
  if (confirmed) AfterPrint();
}

void TPrintCommands::AfterPrint() {
  window_.FileCommands().AdvanceCounterIfDue();
  Doc().SetPrinted(true);
  window_.FileCommands().UpdateRegistersFromDocument();
  window_.FileCommands().AutoSaveAfterPrint();
}

bool TPrintCommands::PrintSheets(const PrintRequest& request, QWidget* parent) {
  if (window_.Drawing().Printing()) return false;
  // The marks of the sheets come from the texts of the document's language.
  SelectTexts(Doc().DocLanguage());
  try {
    if (qt::PrintsToPdf(window_.Printer())) return PrintToPdf(request, parent);
    PrintToPrinter(request);
    return true;
  } catch (const Error& e) {
    ShowCommandError(e, window_.CaptionText());
    return false;
  }
}

bool TPrintCommands::PrintToPdf(const PrintRequest& request, QWidget* parent) {
  FileDialogRequest ask;
  ask.caption = u"Drukuj do pliku PDF"_s;
  ask.filter = u"Pliki PDF (*.pdf)|*.pdf"_s;
  ask.defaultSuffix = u"pdf"_s;
  ask.folder = window_.DialogFolder();
  ask.proposedFile = ToQ(SafeFileNameOfNumber(Doc().Number())) + u".pdf"_s;
  const std::optional<QString> chosen = program_.Services().dialogs.SaveFile(parent, ask);
  if (!chosen) return false;
  const std::string path = PathFromQ(*chosen);
  if (FileExists(path) && !AskReplaceFile(path)) return false;
  PdfSheetSink sink(kPdfDpi);
  PrintPages(window_.Drawing(), sink, request);
  if (sink.Pdf().isEmpty()) return false;
  try {
    ReplaceFile(path, std::string_view(sink.Pdf().constData(),
                                       static_cast<size_t>(sink.Pdf().size())));
  } catch (const Error& e) {
    ShowError("Błąd"_cp, SavingFileError(path, e.Message()));
    return false;
  }
  return true;
}

void TPrintCommands::PrintToPrinter(const PrintRequest& request) {
  QPrinter& printer = window_.Printer();
  PrinterSheetSink sink(printer);
  if (!sink.Available())
    throw Error("Drukarka \"" + FromUtf8Lossy(printer.printerName().toStdString()) +
                std::string("\" jest niedostępna. Wybierz inną drukarkę poleceniem "
                            "Ustawienia drukarki."_cp));
  PrintPages(window_.Drawing(), sink, request);
}

bool TPrintCommands::PrinterSettings(QWidget* parent) {
  TfrmPrinterSetup dialog(parent ? parent : &window_);
  if (!dialog.Execute(window_.Printer())) return false;
  qt::SavePrinter(window_.Printer(), window_.PrinterSetupFile(), window_.PrinterSetupType());
  return true;
}

}  // namespace bilvox
