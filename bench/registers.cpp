// Loading a register of 100 000 contractors: reading, parsing and the one sort after reading.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "common/binio.h"
#include "common/files.h"
#include "registers/contractors.h"

namespace {

using namespace bilvox;

constexpr int kContractors = 100000;

// A version 4 file of contractors with realistic texts, in no particular order.
const std::string& ContractorsFile() {
  static const std::string path = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "bilvox-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    std::mt19937 rng(42);
    ByteWriter w;
    w.U16(4);
    w.I32(kContractors);
    for (int i = 0; i < kContractors; ++i) {
      std::string n = std::to_string(rng() % 1000000);
      w.String((i % 3 ? "Firma Handlowa " : "przedsiębiorstwo usługowe ") + n + " Sp. z o.o.");
      w.String("ul. Długa " + std::to_string(i % 200) + "\r\n00-950 Warszawa");
      w.String("");
      w.String("526-" + n.substr(0, 3) + "-02-74");
      w.String("+48 22 555 01 " + std::to_string(i % 100));
      w.String("biuro" + n + "@example.pl");
      w.String("");
      w.String(i % 10 ? "" : "płaci w terminie");
      w.I64((i % 20) * 10000);
      w.String(i % 4 ? "" : "Jan Kowalski");
    }
    std::string file = tmpl + "/kontrahenci.db";
    ReplaceFile(file, w.Data());
    static const std::string folder = tmpl;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(folder, ec);
    });
    return file;
  }();
  return path;
}

// What the program does at start-up: open, lock, read, sort.
void BM_OpenContractors(benchmark::State& state) {
  const std::string& path = ContractorsFile();
  for (auto _ : state) {
    TKontrahenci reg;
    reg.Open(path);
    benchmark::DoNotOptimize(reg.Count());
    state.PauseTiming();
    if (reg.Count() != kContractors) state.SkipWithError("not every record was read");
    reg.Close();  // the save at closing is not part of the load
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenContractors)->Unit(benchmark::kMillisecond);

// The read-only load of the show command.
void BM_LoadCopyContractors(benchmark::State& state) {
  const std::string& path = ContractorsFile();
  for (auto _ : state) {
    TKontrahenci reg;
    reg.LoadCopy(path);
    benchmark::DoNotOptimize(reg.Count());
  }
}
BENCHMARK(BM_LoadCopyContractors)->Unit(benchmark::kMillisecond);

}  // namespace
