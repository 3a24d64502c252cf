// Loading a register of 100 000 contractors: reading, parsing and the one sort after reading.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/files.h"
#include "inputs.h"
#include "registers/contractors.h"

namespace {

using namespace bilvox;

constexpr int kContractors = 100000;

// A version 4 file of contractors with realistic texts, in no particular order.
const std::string& ContractorsFile() {
  static const std::string path = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "bilvox-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    std::string file = tmpl + "/kontrahenci.db";
    ReplaceFile(file, bench::ContractorsFileBytes(kContractors));
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
