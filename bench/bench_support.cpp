#include "bench_support.h"

#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

void Put(std::vector<char>& bytes, std::size_t offset, const void* data, std::size_t size) {
  std::memcpy(bytes.data() + offset, data, size);
}

void Save(const fs::path& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void WriteBenchLoFile(const fs::path& path, int count) {
  if (count < 0 || count > 256) throw std::invalid_argument("a Lo file holds 0 to 256 records");
  std::vector<char> bytes(100 + 20 * static_cast<std::size_t>(count), 0);
  const auto stored_count = static_cast<std::int16_t>(count);
  Put(bytes, 20, &stored_count, 2);
  std::memcpy(bytes.data(), "Bench", 6);
  std::memcpy(bytes.data() + 26, "Full table", 11);
  for (int i = 0; i < count; ++i) {
    char* record = bytes.data() + 100 + 20 * i;
    record[0] = static_cast<char>(i % 2 == 0 ? 200 + i % 50 : 255);
    record[1] = static_cast<char>(i % 2 == 0 ? 1 : 255);
    const float values[4] = {i * 1.25f, -i * 0.5f, 100.0f + i, 45.0f};
    std::memcpy(record + 3, values, sizeof values);
    record[19] = static_cast<char>(i);
  }
  Save(path, bytes);
}

void WriteBenchCatalogue(const fs::path& folder) {
  std::vector<char> catalogue(100 + 100 * 512, 0);
  std::vector<char> names(30 * 512, 0);
  const std::int16_t count = 512;
  Put(catalogue, 20, &count, 2);
  for (std::uint32_t i = 0; i < 512; ++i) {
    const std::uint32_t object_class = i % 256;
    const std::uint32_t type = i / 256;
    Put(catalogue, 100 + 100 * i, &object_class, 4);
    Put(catalogue, 104 + 100 * i, &type, 4);
    const std::string name = "Object " + std::to_string(i);
    Put(names, 30 * i, name.data(), name.size());
  }
  Save(folder / "objdat.dat", catalogue);
  Save(folder / "objdat.nam", names);
}

BenchWorkspace::BenchWorkspace() {
  std::string pattern = (fs::temp_directory_path() / "lo-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  folder = pattern;
  WriteBenchLoFile(LoFile());
  WriteBenchCatalogue(folder);
}

BenchWorkspace::~BenchWorkspace() {
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}
