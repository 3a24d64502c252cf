// The common dialogs for window tests: answers are queued in advance, every question is
// recorded, and a dialog the test did not script fails the test (and is cancelled) instead
// of waiting for a user who is not there.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "dialogs.h"

namespace bilvox::testing {

class ScriptedDialogs : public FileDialogs {
 public:
  enum class Kind { OpenFile, SaveFile, Picture, Folder, Color };

  struct Asked {
    Kind kind;
    FileDialogRequest request;  // for a folder: caption and folder; for a colour: nothing
  };

  // The next dialog of that kind returns the answer (nullopt: the user cancels).
  void Answer(Kind kind, std::optional<QString> path);
  void AnswerColor(std::optional<QColor> color);

  std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> OpenPicture(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> Folder(QWidget* parent, const QString& caption,
                                const QString& start) override;
  std::optional<QColor> Color(QWidget* parent, const QColor& initial) override;

  // What was asked, in order; and whether every scripted answer was used.
  std::vector<Asked> asked;
  bool AllAnswered() const { return answers_.empty(); }

 private:
  struct Scripted {
    Kind kind;
    std::optional<QString> path;
    std::optional<QColor> color;
  };
  std::optional<Scripted> Next(Kind kind, const FileDialogRequest& request);

  std::deque<Scripted> answers_;
};

}  // namespace bilvox::testing
