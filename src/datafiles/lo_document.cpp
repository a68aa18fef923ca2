#include "datafiles/lo_document.h"

#include <algorithm>
#include <cstring>

#include "datafiles/little_endian.h"
#include "errors/app_error.h"
#include "platform/file_system.h"

namespace {

// File layout: header fields, then packed 20-byte records from offset 100.
constexpr std::uint64_t kNameOffset = 0;
constexpr std::uint64_t kCountOffset = 20;
constexpr std::uint64_t kDescriptionOffset = 26;
constexpr std::size_t kDescriptionFileSize = 74;
constexpr std::uint64_t kFirstRecordOffset = 100;
constexpr std::uint64_t kRecordSize = 20;

// Field offsets inside one packed record.
constexpr std::uint64_t kClassAt = 0, kTypeAt = 1, kStateAt = 2, kXAt = 3, kYAt = 7, kZAt = 11,
                        kRAt = 15, kDensityAt = 19;

// The name field holds 19 characters plus the zero, the description 73 plus the zero.
constexpr std::size_t kNameTextMax = 19;
constexpr std::size_t kDescriptionTextMax = 73;

std::uint64_t RecordOffset(int index) {
  return kFirstRecordOffset + kRecordSize * static_cast<std::uint64_t>(index);
}

// A short read still stores the bytes that arrived, so the field is updated
// from the buffer on failure as well.
void ReadFloat(BinaryFile& file, std::uint64_t offset, float& field) {
  auto bytes = little_endian::FloatBytes(field);
  try {
    file.ReadAt(offset, bytes.data(), bytes.size());
  } catch (...) {
    field = little_endian::FloatFromBytes(bytes);
    throw;
  }
  field = little_endian::FloatFromBytes(bytes);
}

void WriteFloat(BinaryFile& file, std::uint64_t offset, float value) {
  const auto bytes = little_endian::FloatBytes(value);
  file.WriteAt(offset, bytes.data(), bytes.size());
}

std::string TextUpToZero(const std::uint8_t* buffer, std::size_t max_length) {
  std::size_t length = 0;
  while (length < max_length && buffer[length] != 0) ++length;
  return std::string(reinterpret_cast<const char*>(buffer), length);
}

// Text plus one zero from the first byte; the bytes after the zero keep their contents.
void CopyTextWithZero(const std::string& text, std::size_t max_length, std::uint8_t* buffer) {
  const std::size_t length = std::min(text.size(), max_length);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = 0;
}

}  // namespace

void TLoDocument::Open(const std::filesystem::path& path) {
  path_ = path;
  open_elsewhere_ = false;
  file_.OpenExisting(path);
  open_elsewhere_ = file_.ShareNoticingOthers();
}

void TLoDocument::OpenReadOnly(const std::filesystem::path& path) {
  path_ = path;
  open_elsewhere_ = false;
  file_.OpenReadOnly(path);
}

int TLoDocument::ReadAll() {
  try {
    return ReadEverything();
  } catch (...) {
    Abandon();
    throw;
  }
}

int TLoDocument::ReadEverything() {
  std::uint8_t count_bytes[2];
  file_.ReadAt(kCountOffset, count_bytes, sizeof count_bytes);
  const auto count = static_cast<std::int16_t>(little_endian::LoadU16(count_bytes));
  if (count < 0 || count > kLoRecordCapacity) {
    // Refused before anything in memory changes.
    throw AppError("Invalid record count " + std::to_string(count) +
                   ": a Lo file holds 0 to 256 records");
  }
  file_.ReadAt(kNameOffset, header.name.data(), header.name.size());
  file_.ReadAt(kDescriptionOffset, header.description.data(), kDescriptionFileSize);
  LastIndex = static_cast<std::int16_t>(count - 1);
  count_in_file_ = count;
  for (int i = 0; i < count; ++i) {
    const std::uint64_t base = RecordOffset(i);
    TLoRecord& record = LoRecordTable[static_cast<std::size_t>(i)];
    file_.ReadAt(base + kClassAt, &record.object_class, 1);
    file_.ReadAt(base + kTypeAt, &record.object_type, 1);
    file_.ReadAt(base + kStateAt, &record.state, 1);
    ReadFloat(file_, base + kXAt, record.x);
    ReadFloat(file_, base + kYAt, record.y);
    ReadFloat(file_, base + kZAt, record.z);
    ReadFloat(file_, base + kRAt, record.r);
    file_.ReadAt(base + kDensityAt, &record.density, 1);
  }
  return count;
}

void TLoDocument::WriteRecord(int index) {
  // The table ends at 255; an index past it has no record to write.
  if (index < 0 || index >= kLoRecordCapacity) {
    throw AppError("Invalid record index " + std::to_string(index) +
                   ": a Lo file holds records 0 to 255");
  }
  const std::uint64_t base = RecordOffset(index);
  const TLoRecord& record = LoRecordTable[static_cast<std::size_t>(index)];
  file_.WriteAt(base + kClassAt, &record.object_class, 1);
  file_.WriteAt(base + kTypeAt, &record.object_type, 1);
  file_.WriteAt(base + kStateAt, &record.state, 1);
  WriteFloat(file_, base + kXAt, record.x);
  WriteFloat(file_, base + kYAt, record.y);
  WriteFloat(file_, base + kZAt, record.z);
  WriteFloat(file_, base + kRAt, record.r);
  file_.WriteAt(base + kDensityAt, &record.density, 1);
}

void TLoDocument::WriteHeaderTexts() {
  file_.WriteAt(kNameOffset, header.name.data(), header.name.size());
  file_.WriteAt(kDescriptionOffset, header.description.data(), kDescriptionFileSize);
}

void TLoDocument::WriteCount(std::int16_t count) {
  std::uint8_t now[2], next[2];
  little_endian::StoreU16(now, static_cast<std::uint16_t>(count_in_file_));
  little_endian::StoreU16(next, static_cast<std::uint16_t>(count));
  if (now[1] == next[1]) {
    // The usual case: a one-byte write is done whole or not at all.
    file_.WriteAt(kCountOffset, next, 1);
  } else {
    // 255 <-> 256: first the byte that makes the count 0 (a count that names
    // no record at all), then the other.
    const bool low_first = next[0] == 0 && now[1] == 0;
    const int first = low_first ? 0 : 1;
    file_.WriteAt(kCountOffset + first, &next[first], 1);
    file_.WriteAt(kCountOffset + 1 - first, &next[1 - first], 1);
  }
  count_in_file_ = count;
  LastIndex = static_cast<std::int16_t>(count - 1);
}

void TLoDocument::AgreeWithFileCount() {
  if (!file_.IsOpen()) return;
  try {
    std::uint8_t bytes[2];
    file_.ReadAt(kCountOffset, bytes, sizeof bytes);
    const auto count = static_cast<std::int16_t>(little_endian::LoadU16(bytes));
    if (count < 0 || count > kLoRecordCapacity) throw InOutError(100);
    count_in_file_ = count;
    LastIndex = static_cast<std::int16_t>(count - 1);
  } catch (const AppError&) {
    Abandon();
  }
}

void TLoDocument::CheckStillAtPath() const {
  if (!file_.IsOpen()) throw InOutError(103);
  const std::optional<BinaryFile::Identity> now = IdentityAt(path_);
  if (!now || *now != file_.Id()) {
    throw AppError(path_.string() + " was replaced or deleted since it was opened; open it again");
  }
}

void TLoDocument::Close() { file_.Close(); }

void TLoDocument::Abandon() { file_ = BinaryFile(); }

std::string TLoDocument::NameText() const {
  return TextUpToZero(header.name.data(), header.name.size());
}

std::string TLoDocument::DescriptionText() const {
  return TextUpToZero(header.description.data(), header.description.size() - 1);
}

void TLoDocument::SetNameText(const std::string& text) {
  CopyTextWithZero(text, kNameTextMax, header.name.data());
}

void TLoDocument::SetDescriptionText(const std::string& text) {
  CopyTextWithZero(text, kDescriptionTextMax, header.description.data());
}
