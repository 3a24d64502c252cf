#include "file_commands.h"

#include <QComboBox>
#include <QDir>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/error_report.h"
#include "common/messages.h"
#include "contractors_window.h"
#include "dialogs.h"
#include "document/number_file_name.h"
#include "info_window.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "tab_payment.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

const QString kDocumentFilter = u"Faktury (*.ftv)|*.ftv"_s;

// Holds back the boxes with only "OK" shown while it is installed (questions go through at
// once), so that what went wrong can be told in one box with what it means for the user.
class HeldMessages : public MessageReporter {
 public:
  struct Held {
    std::string caption, text;
    MsgIcon icon;
  };
  HeldMessages() : previous_(SetMessages(this)) {}
  ~HeldMessages() override { SetMessages(previous_); }
  HeldMessages(const HeldMessages&) = delete;
  HeldMessages& operator=(const HeldMessages&) = delete;

  MsgResult Show(std::string_view caption, std::string_view text, MsgIcon icon,
                 MsgButtons buttons) override {
    if (buttons != MsgButtons::Ok) {
      if (previous_) return previous_->Show(caption, text, icon, buttons);
      return StderrReporter().Show(caption, text, icon, buttons);
    }
    held.push_back({std::string(caption), std::string(text), icon});
    return MsgResult::Ok;
  }

  std::vector<Held> held;

 private:
  MessageReporter* previous_;
};

FileDialogRequest DocumentDialog(const QString& folder, const QString& proposed) {
  FileDialogRequest request;
  request.filter = kDocumentFilter;
  request.defaultSuffix = u"ftv"_s;
  request.folder = folder;
  request.proposedFile = proposed;
  return request;
}

}  // namespace

TFileCommands::TFileCommands(TProgram& program, TfrmMain& window)
    : program_(program), window_(window) {}

TFaktura& TFileCommands::Doc() { return window_.Document(); }

template <class F>
bool TFileCommands::Guarded(F&& operation) {
  try {
    operation();
    return true;
  } catch (const Error& e) {
    ShowCommandError(e, window_.CaptionText());
    return false;
  }
}

bool TFileCommands::MayDiscardChanges() {
  if (!Doc().Modified()) return true;
  const MsgResult answer = Messages().Show(
      window_.CaptionText(),
      "W bieżącym dokumencie zostały wykonane zmiany.\r\nCzy chcesz zapisać bieżący dokument?"_cp,
      MsgIcon::Question, MsgButtons::YesNoCancel);
  switch (answer) {
    case MsgResult::Yes:
      // A cancelled dialog or a failed save leaves the changes, and the command stops.
      Save();
      return !Doc().Modified();
    case MsgResult::No:
      return true;
    default:
      return false;
  }
}

void TFileCommands::NewDocument(DocumentKind kind) {
  if (!MayDiscardChanges()) return;
  window_.ShowPage(TfrmMain::Page::Dokument);
  const std::string number =
      program_.Services().settings.GenerateNumber(static_cast<int>(kind));
  Guarded([&] { Doc().NewDocument(kind, number); });
  window_.RefreshFromDocument();
}

void TFileCommands::NewCorrection() {
  // The correction is made from the invoice in the window, so there is no question about
  // its changes; only an invoice not yet printed asks whether to go on.
  if (Doc().Kind() != DocumentKind::Invoice) return;
  if (!Doc().Printed() &&
      Messages().Show(window_.CaptionText(),
                      "Bieżąca faktura nie była jeszcze wydrukowana. Czy na pewno chcesz "
                      "wystawić do niej korektę?"_cp,
                      MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
    return;
  TSettings& settings = program_.Services().settings;
  const int kind = static_cast<int>(DocumentKind::Correction);
  // A refused derivation (an invoice without lines) shows its message and changes nothing.
  const std::string number = settings.GenerateNumber(kind);
  if (!Guarded([&] { Doc().NewDocument(DocumentKind::Correction, number); })) return;
  if (Doc().AutoNumbering()) Doc().SetNumber(settings.GenerateNumber(kind));
  window_.RefreshFromDocument();
  window_.ShowPage(TfrmMain::Page::Towary);
  program_.frmInfo().ShowTopic(TfrmInfo::kTopicCorrection, false);
}

void TFileCommands::Open() {
  if (!MayDiscardChanges()) return;
  const std::optional<QString> path = program_.Services().dialogs.OpenFile(
      &window_, DocumentDialog(window_.DialogFolder(), PathToQ(Doc().FileName())));
  if (path) OpenDocument(PathFromQ(*path));
}

bool TFileCommands::OpenDocument(const std::string& path) {
  if (!Guarded([&] { Doc().Load(path); })) {
    // The failed reading left an empty document: the window shows that one, not the fields
    // of the document it replaced.
    window_.RefreshFromDocument();
    return false;
  }
  window_.PlatnoscTab().ShowFullyPaid(Doc());
  window_.RefreshFromDocument();
  Doc().SetModified(false);
  return true;
}

void TFileCommands::StartFirstDocument() {
  const std::optional<std::string>& path = program_.Services().startPath;
  if (path) {
    OpenDocument(*path);
    return;
  }
  const auto kind = static_cast<DocumentKind>(window_.DefaultDocumentKind());
  const std::string number =
      program_.Services().settings.GenerateNumber(static_cast<int>(kind));
  Guarded([&] { Doc().NewDocument(kind, number); });
}

void TFileCommands::OpenFromOutside(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return;
  if (!MayDiscardChanges()) return;
  OpenDocument(path);
}

bool TFileCommands::Save() {
  if (Doc().FileName().empty()) return SaveAs();
  bool saved = false;
  if (!Guarded([&] { saved = Doc().Save(); })) return false;
  if (saved) UpdateRegistersFromDocument();
  return saved;
}

bool TFileCommands::SaveAs() {
  const QString proposed = Doc().FileName().empty()
                               ? ToQ(SafeFileNameOfNumber(Doc().Number()))
                               : PathToQ(Doc().FileName());
  const std::optional<QString> path = program_.Services().dialogs.SaveFile(
      &window_, DocumentDialog(window_.DialogFolder(), proposed));
  if (!path) return false;
  bool saved = false;
  if (!Guarded([&] { saved = Doc().Save(PathFromQ(*path)); }) || !saved) return false;
  UpdateRegistersFromDocument();
  AdvanceCounterIfDue();
  return true;
}

void TFileCommands::AdvanceCounterIfDue() {
  const int kind = static_cast<int>(Doc().Kind());
  if (program_.Services().settings.CounterAdvances(kind, Doc().Printed(), Doc().Number()))
    AdvanceCounter(kind);
}

void TFileCommands::AdvanceCounter(int kind) {
  bool stored = false;
  std::optional<Error> error;
  std::vector<HeldMessages::Held> held;
  {
    HeldMessages hold;
    try {
      stored = program_.Services().settings.AdvanceCounter(kind, program_.Services().store);
    } catch (const Error& e) {
      error = e;
    }
    held = std::move(hold.held);
  }
  if (!error && !stored) {
    // The store may have just explained why it cannot be written (a damaged settings file):
    // that and its consequence for the numbering in one box.
    std::string text;
    for (const HeldMessages::Held& message : held) text += message.text + "\r\n\r\n";
    text +=
        "Nie można zapisać licznika numeracji dokumentów w ustawieniach programu. Następny "
        "numer dokumentu może się powtórzyć: sprawdź go przed wystawieniem kolejnego "
        "dokumentu."_cp;
    Messages().Show(window_.CaptionText(), text, MsgIcon::Error, MsgButtons::Ok);
    return;
  }
  for (const HeldMessages::Held& message : held)
    Messages().Show(message.caption, message.text, message.icon, MsgButtons::Ok);
  if (error) ShowCommandError(*error, window_.CaptionText());
}

void TFileCommands::UpdateRegistersFromDocument() {
  window_.RememberListText(TfrmMain::AutoList::PaymentForm, Doc().PaymentForm());
  Guarded([&] { program_.Services().contractors.UpsertFromDocument(Doc()); });
  program_.frmKontrahenci().RefreshList();
}

void TFileCommands::AutoSaveAfterPrint() {
  const TAppSettings& settings = program_.Services().settings.App;
  if (!settings.AutoZapisFaktur || !Doc().Modified()) return;
  // The document's own file, or the documents folder with the number as the file name.
  const std::string path =
      Doc().FileName().empty() ? AutoSavePath(settings.FolderFaktur, Doc().Number()) : "";
  bool saved = false;
  if (!Guarded([&] { saved = Doc().Save(path); }) || !saved) return;
  std::string message("Fakturę zapisano automatycznie do pliku:\r\n"_cp);
  message += FromUtf8Lossy(Doc().FileName());
  Messages().Show(window_.CaptionText(), message, MsgIcon::Information, MsgButtons::Ok);
}

}  // namespace bilvox
