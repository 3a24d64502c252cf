#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace bilvox::testing {

namespace {
const char* KindName(ScriptedDialogs::Kind kind) {
  switch (kind) {
    case ScriptedDialogs::Kind::OpenFile: return "open file";
    case ScriptedDialogs::Kind::SaveFile: return "save file";
    case ScriptedDialogs::Kind::Picture: return "picture";
    case ScriptedDialogs::Kind::Folder: return "folder";
    case ScriptedDialogs::Kind::Color: return "colour";
  }
  return "?";
}
}  // namespace

void ScriptedDialogs::Answer(Kind kind, std::optional<QString> path) {
  answers_.push_back({kind, std::move(path), std::nullopt});
}

void ScriptedDialogs::AnswerColor(std::optional<QColor> color) {
  answers_.push_back({Kind::Color, std::nullopt, color});
}

std::optional<ScriptedDialogs::Scripted> ScriptedDialogs::Next(Kind kind,
                                                               const FileDialogRequest& request) {
  asked.push_back({kind, request});
  if (answers_.empty() || answers_.front().kind != kind) {
    ADD_FAILURE() << "unscripted " << KindName(kind) << " dialog \""
                  << request.caption.toStdString() << "\"";
    return std::nullopt;
  }
  Scripted answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<QString> ScriptedDialogs::OpenFile(QWidget*, const FileDialogRequest& request) {
  auto answer = Next(Kind::OpenFile, request);
  return answer ? answer->path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::SaveFile(QWidget*, const FileDialogRequest& request) {
  auto answer = Next(Kind::SaveFile, request);
  return answer ? answer->path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::OpenPicture(QWidget*, const FileDialogRequest& request) {
  auto answer = Next(Kind::Picture, request);
  return answer ? answer->path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::Folder(QWidget*, const QString& caption,
                                               const QString& start) {
  FileDialogRequest request;
  request.caption = caption;
  request.folder = start;
  auto answer = Next(Kind::Folder, request);
  return answer ? answer->path : std::nullopt;
}

std::optional<QColor> ScriptedDialogs::Color(QWidget*, const QColor&) {
  auto answer = Next(Kind::Color, {});
  return answer ? answer->color : std::nullopt;
}

}  // namespace bilvox::testing
