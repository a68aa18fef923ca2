// Reading a full Lo file, loading a full catalogue and naming every record.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"
#include "support/lo_files.h"

namespace {

// A scratch folder with a 256-record Lo file and a 512-entry catalogue,
// made once for the whole run.
struct BenchFiles {
  TempDir dir;
  std::filesystem::path lo = dir / "LoBENCH.dat";

  BenchFiles() {
    std::vector<TLoRecord> records;
    for (int i = 0; i < 256; ++i) {
      records.push_back({.object_class = static_cast<std::uint8_t>((i * 37) % 256),
                         .object_type = static_cast<std::uint8_t>(i % 3),
                         .x = i * 1.25f});
    }
    WriteBytes(lo, LoFileBytes("", "", records));

    // Entry i has class i % 256 and type i / 256: every pair once.
    std::vector<TestEntry> entries;
    for (std::uint32_t i = 0; i < 512; ++i) entries.push_back({i % 256, i / 256, ""});
    WriteCatalogue(dir.path(), entries);
    std::filesystem::remove(dir / "objdat.nam");  // the first Load makes placeholder names
  }
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

void BM_LoReadAll256Records(benchmark::State& state) {
  TLoDocument doc;
  doc.Open(Files().lo);
  for (auto _ : state) benchmark::DoNotOptimize(doc.ReadAll());
  doc.Close();
}
BENCHMARK(BM_LoReadAll256Records);

void BM_CatalogueLoad512Entries(benchmark::State& state) {
  TObjCatalogue catalogue;
  catalogue.Load(Files().dir.path().string());  // creates objdat.nam once
  int rows = 0;
  const TObjCatalogue::RowSink sink{[&] { rows = 0; }, [&](int) { ++rows; }};
  for (auto _ : state) {
    catalogue.Load(Files().dir.path().string(), sink);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_CatalogueLoad512Entries);

// Naming all 256 records: a third of them (type 2) match nothing and scan
// the whole table of 512 entries.
void BM_FindNameForFullTable(benchmark::State& state) {
  TObjCatalogue catalogue;
  catalogue.Load(Files().dir.path().string());
  TLoDocument doc;
  doc.Open(Files().lo);
  doc.ReadAll();
  for (auto _ : state) {
    for (int i = 0; i <= doc.LastIndex; ++i) {
      const TLoRecord& record = doc.LoRecordTable[static_cast<std::size_t>(i)];
      benchmark::DoNotOptimize(catalogue.FindName(record.object_class, record.object_type));
    }
  }
  doc.Close();
}
BENCHMARK(BM_FindNameForFullTable);

}  // namespace
