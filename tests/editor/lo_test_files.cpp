#include "editor/lo_test_files.h"

Bytes RecordBytes(const TestRecord& record) {
  Bytes bytes(20, 0);
  bytes[0] = record.object_class;
  bytes[1] = record.object_type;
  bytes[2] = record.state;
  PutF32(bytes, 3, record.x);
  PutF32(bytes, 7, record.y);
  PutF32(bytes, 11, record.z);
  PutF32(bytes, 15, record.r);
  bytes[19] = record.density;
  return bytes;
}

Bytes LoFileBytes(const std::string& name, const std::string& description,
                  const std::vector<TestRecord>& records) {
  Bytes bytes(100 + 20 * records.size(), 0);
  for (std::size_t i = 0; i < 100; ++i) bytes[i] = static_cast<std::uint8_t>(0xA0 + i % 16);
  PutText(bytes, 0, name);
  if (name.size() < 20) bytes[name.size()] = 0;
  PutU16(bytes, 20, static_cast<std::uint16_t>(records.size()));
  PutText(bytes, 26, description);
  if (description.size() < 74) bytes[26 + description.size()] = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Bytes record = RecordBytes(records[i]);
    std::copy(record.begin(), record.end(), bytes.begin() + 100 + 20 * i);
  }
  return bytes;
}

std::vector<TestRecord> NumberedRecords(int count) {
  std::vector<TestRecord> records;
  for (int i = 0; i < count; ++i) {
    const float f = static_cast<float>(i);
    records.push_back({static_cast<std::uint8_t>(i % 7), static_cast<std::uint8_t>(i % 3),
                       static_cast<std::uint8_t>(i % 2), f + 0.25f, -f, f * 10.0f, 90.0f,
                       static_cast<std::uint8_t>(i)});
  }
  return records;
}

void WriteCatalogue(const std::filesystem::path& folder, const std::vector<TestEntry>& entries) {
  std::filesystem::create_directories(folder);
  Bytes catalogue(100 + 100 * entries.size(), 0x5A);
  Bytes names(30 * entries.size(), 0);
  PutU16(catalogue, 20, static_cast<std::uint16_t>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    PutU32(catalogue, 100 + 100 * i, entries[i].object_class);
    PutU32(catalogue, 104 + 100 * i, entries[i].object_type);
    PutText(names, 30 * i, entries[i].name.substr(0, 30));
  }
  WriteBytes(folder / "objdat.dat", catalogue);
  WriteBytes(folder / "objdat.nam", names);
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
}
