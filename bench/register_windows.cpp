// The register windows with 100 000 records each: preparing a list once, opening it, one
// keystroke of the filter and a change of the sort order (each with the repaint that follows).
// Runs offscreen; built with -DBILVOX_BENCHMARKS=ON.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "common/binio.h"
#include "common/files.h"
#include "common/messages.h"
#include "contractors_window.h"
#include "dialogs.h"
#include "goods_window.h"
#include "main_window.h"
#include "program.h"
#include "register_models.h"
#include "settings/file_store.h"

namespace {

using namespace bilvox;

constexpr int kRecords = 100000;

class NoDialogs : public FileDialogs {
 public:
  std::optional<QString> OpenFile(QWidget*, const FileDialogRequest&) override { return {}; }
  std::optional<QString> SaveFile(QWidget*, const FileDialogRequest&) override { return {}; }
  std::optional<QString> OpenPicture(QWidget*, const FileDialogRequest&) override { return {}; }
  std::optional<QString> Folder(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QColor> Color(QWidget*, const QColor&) override { return {}; }
};

std::string Word(std::mt19937& rng) {
  static const char* const kParts[] = {"Kowal", "Nowak", "Łęck", "Wiśni", "Zając", "Mazur",
                                       "Handel", "Usług", "Śruby", "Drewn", "Transport", "Biur"};
  return std::string(kParts[rng() % 12]) + std::to_string(rng() % 1000);
}

// A data folder with both registers full, in no particular order.
std::string DataFolder() {
  std::string folder = (std::filesystem::temp_directory_path() / "bilvox-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) std::abort();
  std::mt19937 rng(7);
  ByteWriter c;
  c.U16(4);
  c.I32(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    const std::string n = std::to_string(rng() % 1000000);
    c.String(Word(rng) + " " + Word(rng) + " Sp. z o.o.");
    c.String("ul. " + Word(rng) + " " + std::to_string(i % 200) + "\r\n00-950 Warszawa");
    c.String("");
    c.String("526-" + n.substr(0, 3) + "-02-74");
    c.String("+48 22 555 01 " + std::to_string(i % 100));
    c.String("biuro" + n + "@example.pl");
    c.String("");
    c.String(i % 10 ? "" : "płaci w terminie");
    c.I64((i % 20) * 10000);
    c.String(i % 4 ? "" : "Jan Kowalski");
  }
  ReplaceFile(folder + "/kontrahenci.db", c.Data());
  ByteWriter g;
  g.U16(3);
  g.I32(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    g.String(Word(rng) + " " + Word(rng));
    g.String(i % 3 ? "" : "25.94.11");
    g.String(i % 2 ? "szt" : "kg");
    for (int t = 0; t < 4; ++t) g.String(i % 5 ? "" : Word(rng));
    g.I64(static_cast<int64_t>(rng() % 10000000));
    g.U8(i % 2);
    g.I64(static_cast<int64_t>(rng() % 1000000));
    g.U8(0);
    g.I64(i % 7 ? 2300 : -10000);
  }
  ReplaceFile(folder + "/towary.db", g.Data());
  return folder + "/";
}

struct Fixture {
  Fixture()
      : folder(DataFolder()),
        store(folder + "registry.reg"),
        program(store, dialogs, folder, folder, std::nullopt) {}
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string folder;
  FileSettingsStore store;
  NoDialogs dialogs;
  TProgram program;
};

std::unique_ptr<Fixture> fixture;  // made by the first benchmark, gone before the application

Fixture& Program() {
  if (!fixture) fixture = std::make_unique<Fixture>();
  return *fixture;
}

// Lets the window lay itself out and paint what changed.
void Settle() { QApplication::processEvents(); }

template <class Window>
void Open(benchmark::State& state, Window& window) {
  for (auto _ : state) {
    window.ShowNonModal();
    Settle();
    state.PauseTiming();
    window.hide();
    Settle();
    state.ResumeTiming();
  }
}

// One keystroke each: the filter grows letter by letter, then shrinks again.
template <class Window>
void Filter(benchmark::State& state, Window& window, const QString& word) {
  window.ShowNonModal();
  Settle();
  int step = 0;
  for (auto _ : state) {
    const int n = static_cast<int>(step % (2 * word.size()));
    const QString text = word.left(n <= word.size() ? n : 2 * word.size() - n);
    window.edtFilter->setText(text);
    emit window.edtFilter->textEdited(text);
    Settle();
    ++step;
  }
  window.edtFilter->setText({});
  emit window.edtFilter->textEdited({});
  window.hide();
}

template <class Window>
void Sort(benchmark::State& state, Window& window) {
  window.ShowNonModal();
  Settle();
  int mode = 0;
  for (auto _ : state) {
    mode = 1 - mode;
    window.cbxSort->setCurrentIndex(mode);
    Settle();
  }
  window.cbxSort->setCurrentIndex(0);
  window.hide();
}

void BM_PrepareContractorsList(benchmark::State& state) {
  TKontrahenci& reg = Program().program.Services().contractors;
  for (auto _ : state) {
    ContractorsModel model(reg, nullptr);
    model.Sync();
    benchmark::DoNotOptimize(model.rowCount());
  }
}
BENCHMARK(BM_PrepareContractorsList)->Unit(benchmark::kMillisecond);

void BM_OpenContractorsList(benchmark::State& state) {
  Open(state, Program().program.frmKontrahenci());
}
BENCHMARK(BM_OpenContractorsList)->Unit(benchmark::kMillisecond);

void BM_FilterContractorsKeystroke(benchmark::State& state) {
  Filter(state, Program().program.frmKontrahenci(), QStringLiteral("kowal"));
}
BENCHMARK(BM_FilterContractorsKeystroke)->Unit(benchmark::kMillisecond);

void BM_SortContractorsChange(benchmark::State& state) {
  Sort(state, Program().program.frmKontrahenci());
}
BENCHMARK(BM_SortContractorsChange)->Unit(benchmark::kMillisecond);

void BM_PrepareGoodsList(benchmark::State& state) {
  TTowary& reg = Program().program.Services().goods;
  for (auto _ : state) {
    GoodsModel model(reg, nullptr);
    model.Sync();
    benchmark::DoNotOptimize(model.rowCount());
  }
}
BENCHMARK(BM_PrepareGoodsList)->Unit(benchmark::kMillisecond);

void BM_OpenGoodsList(benchmark::State& state) { Open(state, Program().program.frmTowary()); }
BENCHMARK(BM_OpenGoodsList)->Unit(benchmark::kMillisecond);

void BM_FilterGoodsKeystroke(benchmark::State& state) {
  Filter(state, Program().program.frmTowary(), QStringLiteral("śruby"));
}
BENCHMARK(BM_FilterGoodsKeystroke)->Unit(benchmark::kMillisecond);

void BM_SortGoodsChange(benchmark::State& state) { Sort(state, Program().program.frmTowary()); }
BENCHMARK(BM_SortGoodsChange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  bilvox::StderrReporter reporter;
  bilvox::SetMessages(&reporter);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fixture.reset();
  bilvox::SetMessages(nullptr);
  return 0;
}
