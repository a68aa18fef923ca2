// Reading a full Lo file, loading a full catalogue and naming every record.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void WriteFile(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// A scratch folder with a 256-record Lo file and a 512-entry catalogue,
// made once for the whole run.
struct BenchFiles {
  std::filesystem::path folder;
  std::filesystem::path lo;

  BenchFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    lo = folder / "LoBENCH.dat";

    Bytes lo_bytes(100 + 20 * 256, 0);
    lo_bytes[20] = 0x00;
    lo_bytes[21] = 0x01;  // 256
    for (int i = 0; i < 256; ++i) {
      const std::size_t at = 100 + 20 * static_cast<std::size_t>(i);
      lo_bytes[at] = static_cast<std::uint8_t>((i * 37) % 256);
      lo_bytes[at + 1] = static_cast<std::uint8_t>(i % 3);
      PutU32(lo_bytes, at + 3, std::bit_cast<std::uint32_t>(i * 1.25f));
    }
    WriteFile(lo, lo_bytes);

    // Entry i has class i % 256 and type i / 256: every pair once.
    Bytes catalogue(100 + 100 * 512, 0);
    catalogue[20] = 0x00;
    catalogue[21] = 0x02;  // 512
    for (int i = 0; i < 512; ++i) {
      PutU32(catalogue, 100 + 100 * static_cast<std::size_t>(i),
             static_cast<std::uint32_t>(i % 256));
      PutU32(catalogue, 104 + 100 * static_cast<std::size_t>(i),
             static_cast<std::uint32_t>(i / 256));
    }
    WriteFile(folder / "objdat.dat", catalogue);
  }
  ~BenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
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
  catalogue.Load(Files().folder.string());  // creates objdat.nam once
  int rows = 0;
  const TObjCatalogue::RowSink sink{[&] { rows = 0; }, [&](int) { ++rows; }};
  for (auto _ : state) {
    catalogue.Load(Files().folder.string(), sink);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_CatalogueLoad512Entries);

// Naming all 256 records: a third of them (type 2) match nothing and scan
// the whole table of 512 entries.
void BM_FindNameForFullTable(benchmark::State& state) {
  TObjCatalogue catalogue;
  catalogue.Load(Files().folder.string());
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
