// Comparing two Lo files of 256 records, fully shuffled and with 64 changes,
// against reading the two files: the comparison shown in the window is
// redone after every Save, so it must cost about what reading does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "datafiles/lo_compare.h"
#include "datafiles/lo_document.h"
#include "platform/whole_file.h"
#include "support/lo_files.h"

namespace {

// A: 256 records of 8 kinds spread over the map. B: A shuffled, with 32
// records moved, 16 removed and 16 added.
struct CompareFiles {
  TempDir dir;
  std::filesystem::path a = dir / "LoA.dat";
  std::filesystem::path b = dir / "LoB.dat";

  CompareFiles() {
    std::mt19937 random(33);
    std::uniform_real_distribution<float> place(0.0f, 1000.0f);
    std::vector<TLoRecord> records;
    for (int i = 0; i < 256; ++i) {
      records.push_back(
          {static_cast<std::uint8_t>(i % 8), 1, 0, place(random), place(random), 0.0f, 90.0f, 3});
    }
    WriteBytes(a, LoFileBytes("A", "", records));
    for (int i = 0; i < 32; ++i) records[static_cast<std::size_t>(i * 7)].x += 5.0f;
    records.resize(240);
    for (int i = 0; i < 16; ++i) {
      records.push_back(
          {static_cast<std::uint8_t>(i % 8), 1, 0, place(random), place(random), 0.0f, 0.0f, 1});
    }
    std::shuffle(records.begin(), records.end(), random);
    WriteBytes(b, LoFileBytes("B", "", records));
  }
};

CompareFiles& Files() {
  static CompareFiles files;
  return files;
}

TLoFileParts Read(const std::filesystem::path& path) {
  const std::string bytes = ReadWholeFile(path);
  return SplitLoFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// The reference: reading both files whole into their parts.
void BM_ReadTwoFiles256(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Read(Files().a));
    benchmark::DoNotOptimize(Read(Files().b));
  }
}
BENCHMARK(BM_ReadTwoFiles256);

// The editor's own read of both files, field by field.
void BM_EditorReadAllTwoFiles256(benchmark::State& state) {
  static TLoDocument document;
  for (auto _ : state) {
    for (const std::filesystem::path& path : {Files().a, Files().b}) {
      document.OpenReadOnly(path);
      benchmark::DoNotOptimize(document.ReadAll());
      document.Close();
    }
  }
}
BENCHMARK(BM_EditorReadAllTwoFiles256);

void BM_CompareShuffled256With64Changes(benchmark::State& state) {
  const TLoFileParts a = Read(Files().a);
  const TLoFileParts b = Read(Files().b);
  std::size_t differences = 0;
  for (auto _ : state) {
    differences = CompareLoFiles(a, b).size();
    benchmark::DoNotOptimize(differences);
  }
  state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_CompareShuffled256With64Changes);

}  // namespace
