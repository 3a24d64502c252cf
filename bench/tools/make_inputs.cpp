// Writes the files bench/cli.sh measures bilvox-cli on, into the folder given:
//   kontrahenci.db               100 000 contractors (16.6 MB)
//   invoices/FV_001.ftv ...      100 copies of the 20-line invoice, numbered
//   long.ftv                     a document of 200 000 lines, close to the largest document
//                                file the program reads
//   million.ftv                  a document of 1 000 000 lines (82 MB), five times larger
//                                than a document file may be
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/error.h"
#include "common/files.h"
#include "document/faktura.h"
#include "inputs.h"

using namespace bilvox;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: bilvox_bench_inputs DIR\n", stderr);
    return 2;
  }
  const std::string dir = argv[1];
  try {
    std::filesystem::create_directories(dir + "/invoices");
    ReplaceFile(dir + "/kontrahenci.db", bench::ContractorsFileBytes(100000));

    TFaktura invoice;
    bench::FillInvoice(invoice);
    for (int i = 1; i <= 100; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "FV_%03d", i);
      invoice.SetNumber(std::string(name));
      ReplaceFile(dir + "/invoices/" + name + ".ftv", invoice.FileContent());
    }

    TFaktura long_doc;
    bench::FillLongDocument(long_doc, 200000);
    const std::string bytes = long_doc.FileContent();
    if (bytes.size() > kMaxDocumentFileSize) {
      std::fputs("the long document is larger than a document file may be\n", stderr);
      return 1;
    }
    ReplaceFile(dir + "/long.ftv", bytes);

    TFaktura million;
    bench::FillLongDocument(million, 1000000);
    ReplaceFile(dir + "/million.ftv", million.FileContent());
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
