// The JSON of `show` for a document of 1 000 000 lines, written as it is produced into
// /dev/null. The document is built in memory first; the counter "peak_growth_MB" is how much
// the process's peak memory grew while its JSON was written (the text is never held whole),
// "doc_peak_MB" the peak before, with the document built.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "common/json.h"
#include "document/document_json.h"
#include "document/faktura.h"
#include "inputs.h"

namespace {

using namespace bilvox;

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_ShowMillionLines(benchmark::State& state) {
  TFaktura doc;
  bench::FillLongDocument(doc, 1000000);
  std::FILE* null = std::fopen("/dev/null", "w");
  const long before = PeakKb();
  for (auto _ : state) {
    JsonWriter out(null, 2);
    WriteDocumentJson(out, doc, 8);
    out.Finish();
  }
  state.counters["peak_growth_MB"] = static_cast<double>(PeakKb() - before) / 1024;
  state.counters["doc_peak_MB"] = static_cast<double>(before) / 1024;
  std::fclose(null);
}
BENCHMARK(BM_ShowMillionLines)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
