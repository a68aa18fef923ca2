#include "support/lo_files.h"

#include <bit>

#include "errors/app_error.h"

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AppError& error) {
    return error.what();
  }
  return "no error";
}

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t size) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
               bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
}

Bytes FloatBytes(float value) {
  Bytes bytes(4);
  PutF32(bytes, 0, value);
  return bytes;
}

Bytes RecordBytes(const TLoRecord& record) {
  Bytes bytes(20);
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
                  const std::vector<TLoRecord>& records) {
  Bytes bytes(100 + 20 * records.size());
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

std::vector<TLoRecord> NumberedRecords(int count) {
  std::vector<TLoRecord> records;
  for (int i = 0; i < count; ++i) {
    const float f = static_cast<float>(i);
    const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
    records.push_back({byte(i % 7), byte(i % 3), byte(i % 2), f + 0.25f, -f, f * 10, 90, byte(i)});
  }
  return records;
}

std::vector<std::uint32_t> OddFloatBits() {
  return {0x7FC00001, 0xFFC00000, 0x7F800001, 0xFFBFFFFF, 0x80000000, 0x00000001,
          0x807FFFFF, 0x7F800000, 0xFF800000, 0x7F7FFFFF, 0x3DCCCCCD, 0x00000000};
}

Bytes OddLoFile(std::size_t after) {
  std::vector<TLoRecord> records;
  const std::vector<std::uint32_t> bits = OddFloatBits();
  for (std::size_t i = 0; i < bits.size(); ++i) {
    const auto f = [&](std::size_t k) { return std::bit_cast<float>(bits[(i + k) % bits.size()]); };
    const std::uint8_t byte = i % 3 == 0 ? 0 : i % 3 == 1 ? 255 : 2;
    records.push_back({byte, static_cast<std::uint8_t>(255 - byte), byte, f(0), f(1), f(2), f(3),
                       static_cast<std::uint8_t>(i)});
  }
  // LoFileBytes leaves 8-bit bytes after each text's zero.
  Bytes bytes = LoFileBytes("Q\"\\\t\x7F\xE9", std::string("Desc\0\x01 x", 8), records);
  for (std::size_t i = 0; i < after; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 37));
  return bytes;
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
