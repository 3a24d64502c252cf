// The preview of the real main window: the program's windows as at start-up (a private
// settings file and data folder), the example invoice examples/faktura-pln.ftv opened, the
// window shown at its design size with the page fitted to its width. One redraw is what the
// redraw timer does after an edit: the page drawn into the off-screen picture and the picture
// copied onto the paint box.
//
// Runs on the platform Qt is given (QT_QPA_PLATFORM, DISPLAY); without either, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "application.h"
#include "dialogs.h"
#include "document/faktura.h"
#include "main_window.h"
#include "preview.h"
#include "program.h"
#include "settings/file_store.h"

#ifndef BILVOX_SOURCE_DIR
#error "BILVOX_SOURCE_DIR names the source tree (for the example invoice)"
#endif

namespace {

using namespace bilvox;

TApplication& App() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "bilvox_bench_preview";
  static char* argv[] = {name, nullptr};
  static TApplication app(argc, argv);
  return app;
}

struct RunningProgram {
  RunningProgram()
      : store(folder.filePath(QStringLiteral("registry.reg")).toStdString()),
        program(store, dialogs, folder.path().toStdString() + "/",
                folder.path().toStdString() + "/",
                std::string(BILVOX_SOURCE_DIR) + "/examples/faktura-pln.ftv") {
    program.frmMain().show();
    // The first showing opens the document and draws the page.
    while (program.frmMain().Preview().DrawCount() == 0) QApplication::processEvents();
  }
  QTemporaryDir folder;
  FileSettingsStore store;
  QtFileDialogs dialogs;
  TProgram program;
};

void BM_PreviewRedrawFitWidth(benchmark::State& state) {
  App();
  RunningProgram run;
  TfrmMain& window = run.program.frmMain();
  TPreviewArea& preview = window.Preview();
  for (auto _ : state) {
    window.Document().MarkChanged();
    if (!preview.RefreshNow()) state.SkipWithError("the preview did not redraw");
    preview.PaintBox()->repaint();
  }
  state.SetLabel(std::to_string(preview.Scale().Dpi()) + " dpi, window " +
                 std::to_string(window.width()) + "x" + std::to_string(window.height()));
}
BENCHMARK(BM_PreviewRedrawFitWidth)->Unit(benchmark::kMillisecond);

}  // namespace
