#include "bench_support.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/lo_files.h"

namespace fs = std::filesystem;

void WriteBenchLoFile(const fs::path& path, int count) {
  if (count < 0 || count > 256) throw std::invalid_argument("a Lo file holds 0 to 256 records");
  std::vector<TLoRecord> records;
  for (int i = 0; i < count; ++i) {
    const bool named = i % 2 == 0;
    records.push_back({.object_class = static_cast<std::uint8_t>(named ? 200 + i % 50 : 255),
                       .object_type = static_cast<std::uint8_t>(named ? 1 : 255),
                       .x = i * 1.25f,
                       .y = -i * 0.5f,
                       .z = 100.0f + i,
                       .r = 45.0f,
                       .density = static_cast<std::uint8_t>(i)});
  }
  WriteBytes(path, LoFileBytes("Bench", "Full table", records));
}

void WriteBenchCatalogue(const fs::path& folder) {
  std::vector<TestEntry> entries;
  for (std::uint32_t i = 0; i < 512; ++i)
    entries.push_back({i % 256, i / 256, "Object " + std::to_string(i)});
  WriteCatalogue(folder, entries);
}

BenchWorkspace::BenchWorkspace() {
  WriteBenchLoFile(LoFile());
  WriteBenchCatalogue(folder);
}

BenchEditor::BenchEditor() {
  WriteBenchLoFile(lo);
  WriteBenchCatalogue(objdat);
  StoreFolders();
  Reopen();
}

void BenchEditor::SaveChanged(int row, int value) {
  Click(row);
  Type(TField::X, std::to_string(value % 1000) + ".5");
  Type(TField::Name, "Step " + std::to_string(value));
  Save();
}
