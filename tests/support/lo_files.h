#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "datafiles/lo_document.h"
#include "support/temp_dir.h"

// Builders for Lo files and object catalogues written byte by byte by tests.

// The message of the AppError `action` raises, or "no error".
std::string MessageOf(const std::function<void()>& action);

// `size` bytes of `bytes` from `at`.
Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t size);
Bytes FloatBytes(float value);
// The record as the file packs it into 20 bytes.
Bytes RecordBytes(const TLoRecord& record);

// A Lo file of exactly 100 + 20 * count bytes. The header bytes nobody may
// touch (22..25 and after each text's zero) hold a pattern so stray writes show.
Bytes LoFileBytes(const std::string& name, const std::string& description,
                  const std::vector<TLoRecord>& records);
// `count` records: class i % 7, type i % 3, state i % 2, X = i + 0.25, Y = -i,
// Z = 10 i, R = 90, density i.
std::vector<TLoRecord> NumberedRecords(int count);

// Float bits no two-decimal text carries: NaNs with payloads (signalling and
// negative ones too), -0, subnormals, infinities, the largest float, 0.1.
std::vector<std::uint32_t> OddFloatBits();
// A Lo file with every kind of odd value: OddFloatBits in its records' floats,
// 0, 2 and 255 in their bytes; header texts with a quote, a backslash, control
// and 8-bit bytes and non-zero bytes after their zero; then `after` more bytes.
Bytes OddLoFile(std::size_t after);

struct TestEntry {
  std::uint32_t object_class = 0;
  std::uint32_t object_type = 0;
  std::string name;
};
// Writes objdat.dat and objdat.nam for these entries into `folder`.
void WriteCatalogue(const std::filesystem::path& folder, const std::vector<TestEntry>& entries);
