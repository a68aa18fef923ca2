#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

// Builders for Lo files and object catalogues written byte by byte by tests.
struct TestRecord {
  std::uint8_t object_class = 0;
  std::uint8_t object_type = 0;
  std::uint8_t state = 0;
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float r = 0.0f;
  std::uint8_t density = 0;
};

// A Lo file of exactly 100 + 20 * count bytes. The bytes nobody may touch
// (22..25 and the description's tail) hold a pattern so stray writes show.
Bytes LoFileBytes(const std::string& name, const std::string& description,
                  const std::vector<TestRecord>& records);
Bytes RecordBytes(const TestRecord& record);
// `count` records with class i % 7, type i % 3, X = i + 0.25 ...
std::vector<TestRecord> NumberedRecords(int count);

struct TestEntry {
  std::uint32_t object_class = 0;
  std::uint32_t object_type = 0;
  std::string name;
};

// Writes objdat.dat and objdat.nam for these entries into `folder`.
void WriteCatalogue(const std::filesystem::path& folder, const std::vector<TestEntry>& entries);

// The bytes [from, to) of `bytes`.
Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to);
