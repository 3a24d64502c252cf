// The preview of the real main window: the program's windows as at start-up (a private
// settings file and data folder), the example invoice examples/faktura-pln.ftv opened, the
// window shown at its first-run size (and at a large one) with the page fitted to its width. One redraw is what the
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
  RunningProgram run;
  TfrmMain& window = run.program.frmMain();
  TPreviewArea& preview = window.Preview();
  if (state.range(0) != window.width()) {
    window.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
  }
  for (auto _ : state) {
    window.Document().MarkChanged();
    if (!preview.RefreshNow()) state.SkipWithError("the preview did not redraw");
    preview.PaintBox()->repaint();
  }
  state.SetLabel(std::to_string(preview.Scale().Dpi()) + " dpi, window " +
                 std::to_string(window.width()) + "x" + std::to_string(window.height()));
}
// The window at its first-run size, and a large one.
BENCHMARK(BM_PreviewRedrawFitWidth)->Args({632, 450})->Args({1400, 1000})->Unit(benchmark::kMillisecond);

}  // namespace

// The application object has to outlive the windows and go before the process's own
// clean-up, so this program has a main of its own.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  bilvox::TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
