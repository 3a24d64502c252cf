// A running program for window tests: every window created as at start-up, on a settings
// store in memory, a private data folder, scripted dialogs and recorded message boxes.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <memory>
#include <optional>
#include <string>

#include "document/faktura.h"
#include "file_commands.h"
#include "info_window.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "support/gui_test.h"
#include "support/memory_store.h"
#include "support/recording_messages.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace bilvox::testing {

class AppTest : public ::testing::Test {
 protected:
  ~AppTest() override { Stop(); }

  // Creates the windows (as the program entry does) and shows the main window, which starts
  // the first document.
  void Start(std::optional<std::string> startPath = std::nullopt) {
    program = std::make_unique<TProgram>(store, dialogs, data.path() + "/", data.path() + "/",
                                         std::move(startPath));
    Main().show();
    QApplication::processEvents();
  }
  // Destroys the windows in the program's order (what the end of a run writes).
  void Stop() { program.reset(); }

  TfrmMain& Main() { return program->frmMain(); }
  TFaktura& Doc() { return Main().Document(); }
  template <class T = QWidget>
  T* Control(const char16_t* name) {
    return Find<T>(&Main(), QString::fromUtf16(name));
  }

  MemoryStore store;
  TempDir data;
  ScriptedDialogs dialogs;
  RecordingMessages messages;
  std::unique_ptr<TProgram> program;
};

}  // namespace bilvox::testing
