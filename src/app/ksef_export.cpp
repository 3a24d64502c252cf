#include "ksef_export.h"

#include <QAction>
#include <optional>
#include <string>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/error_report.h"
#include "common/messages.h"
#include "dialogs.h"
#include "document/faktura.h"
#include "document/number_file_name.h"
#include "ksef/ksef.h"
#include "ksef_window.h"
#include "main_window.h"
#include "main_window_extensions.h"
#include "program.h"
#include "qt_text.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// The last answers about a corrected invoice: exporting the same correction again (after a
// refusal, say) starts from them rather than from empty fields.
struct CorrectedAnswer {
  std::string correctedNumber;
  TfrmKSeF::Answer answer;
};
std::optional<CorrectedAnswer>& LastCorrectedAnswer() {
  static std::optional<CorrectedAnswer> last;
  return last;
}

// The corrected invoice's data from the user; false when they cancelled.
bool AskCorrected(TfrmMain& window, const TFaktura& doc, KsefOptions& options) {
  std::optional<CorrectedAnswer>& last = LastCorrectedAnswer();
  std::optional<TfrmKSeF::Answer> previous;
  if (last && last->correctedNumber == doc.CorrectedNumber()) previous = last->answer;
  TfrmKSeF dialog(&window);
  const std::optional<TfrmKSeF::Answer> answer = dialog.Execute(doc.CorrectedNumber(), previous);
  if (!answer) return false;
  last = CorrectedAnswer{doc.CorrectedNumber(), *answer};
  options.correctedIssueDate = answer->correctedIssueDate;
  options.correctedKsefNumber = answer->correctedKsefNumber;
  return true;
}

// Writes the file, asking before it replaces another one; false when nothing was written.
bool WriteFile(const std::string& path, const std::string& xml) {
  if (WriteKsefFile(path, xml, false)) return true;
  if (!AskReplaceFile(path)) return false;
  return WriteKsefFile(path, xml, true);
}

void Install(TfrmMain& window) {
  auto* action = new QAction(u"&Eksportuj do KSeF (XML)..."_s, &window);
  action->setObjectName(u"FileExportKSeF"_s);
  action->setToolTip(u"Eksport do KSeF"_s);
  action->setStatusTip(u"Zapisuje fakturę jako plik XML do wysłania do KSeF"_s);
  QObject::connect(action, &QAction::triggered, &window, [&window] { ExportToKsef(window); });
  window.AddFileCommand(action);
}

const MainWindowExtension registration(Install);

}  // namespace

void ExportToKsef(TfrmMain& window) {
  const TFaktura& doc = window.Document();
  const std::string caption = window.CaptionText();
  if (const std::string refusal = KsefKindRefusal(doc); !refusal.empty()) {
    ShowCommandError(Error(refusal), caption);
    return;
  }
  AppServices& services = window.Program().Services();
  KsefOptions options;
  options.exemptBasis = services.settings.App.KSeFPodstawaZwolnienia;
  if (doc.IsCorrection() && !AskCorrected(window, doc, options)) return;

  std::string xml;
  try {
    xml = BuildKsefXml(doc, options);
  } catch (const Error& e) {
    ShowCommandError(e, caption);
    return;
  }

  FileDialogRequest request;
  request.caption = u"Eksport do KSeF"_s;
  request.filter = u"Faktury KSeF (*.xml)|*.xml"_s;
  request.defaultSuffix = u"xml"_s;
  request.folder = window.DialogFolder();
  request.proposedFile = ToQ(SafeFileNameOfNumber(doc.Number())) + u".xml"_s;
  const std::optional<QString> chosen = services.dialogs.SaveFile(&window, request);
  if (!chosen) return;
  const std::string path = PathFromQ(*chosen);
  try {
    if (!WriteFile(path, xml)) return;
  } catch (const Error& e) {
    ShowCommandError(e, caption);
    return;
  }
  Messages().Show(caption,
                  std::string("Faktura została zapisana w formacie KSeF w pliku:\r\n"_cp) +
                      FromUtf8Lossy(path),
                  MsgIcon::Information, MsgButtons::Ok);
}

}  // namespace bilvox
