#include "datafiles/lo_document.h"

#include <algorithm>
#include <cstring>

#include "datafiles/little_endian.h"
#include "errors/app_error.h"
#include "platform/file_system.h"

namespace {

// File layout: header fields (offsets in the field table), then packed
// records from offset 100.
constexpr std::uint64_t kCountOffset = 20;
constexpr std::uint64_t kFirstRecordOffset = 100;
constexpr const TFieldInfo& kName = FieldInfo(TField::Name);
constexpr const TFieldInfo& kDescription = FieldInfo(TField::Description);
static_assert(kName.width == sizeof(TLoHeader::name));
static_assert(kDescription.width + 2 == sizeof(TLoHeader::description));

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

// One seek and one read per field, in file order: the file packs what memory aligns.
void ReadRecord(BinaryFile& file, std::uint64_t base, TLoRecord& record) {
  for (TField field : kRecordFieldsInFileOrder) {
    const TFieldInfo& info = FieldInfo(field);
    if (info.number != nullptr) {
      ReadFloat(file, base + info.offset, record.*info.number);
    } else {
      file.ReadAt(base + info.offset, &(record.*info.byte), 1);
    }
  }
}

void WriteField(BinaryFile& file, std::uint64_t base, const TLoRecord& record, TField field) {
  const TFieldInfo& info = FieldInfo(field);
  if (info.number != nullptr) {
    WriteFloat(file, base + info.offset, record.*info.number);
  } else {
    file.WriteAt(base + info.offset, &(record.*info.byte), 1);
  }
}

void WriteRecordFields(BinaryFile& file, std::uint64_t base, const TLoRecord& record) {
  for (TField field : kRecordFieldsInFileOrder) WriteField(file, base, record, field);
}

void CheckRecordIndex(int index) {
  // The table ends at 255; an index past it has no record to write.
  if (index < 0 || index >= kLoRecordCapacity) {
    throw AppError("Invalid record index " + std::to_string(index) +
                   ": a Lo file holds records 0 to 255");
  }
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
  file_.ReadAt(kName.offset, header.name.data(), kName.width);
  file_.ReadAt(kDescription.offset, header.description.data(), kDescription.width);
  LastIndex = static_cast<std::int16_t>(count - 1);
  count_in_file_ = count;
  for (int i = 0; i < count; ++i) {
    ReadRecord(file_, RecordOffset(i), LoRecordTable[static_cast<std::size_t>(i)]);
  }
  return count;
}

void TLoDocument::WriteRecord(int index) {
  CheckRecordIndex(index);
  WriteRecordFields(file_, RecordOffset(index), LoRecordTable[static_cast<std::size_t>(index)]);
}

void TLoDocument::WriteRecordField(int index, TField field) {
  CheckRecordIndex(index);
  if (!FieldInfo(field).InRecord()) throw AppError("Not a record field");
  WriteField(file_, RecordOffset(index), LoRecordTable[static_cast<std::size_t>(index)], field);
}

void TLoDocument::WriteHeaderTexts() {
  file_.WriteAt(kName.offset, header.name.data(), kName.width);
  file_.WriteAt(kDescription.offset, header.description.data(), kDescription.width);
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
  CopyTextWithZero(text, kName.max_length, header.name.data());
}

void TLoDocument::SetDescriptionText(const std::string& text) {
  CopyTextWithZero(text, kDescription.max_length, header.description.data());
}

std::string TLoDocument::HeaderText(TField field) const {
  return field == TField::Name ? NameText() : DescriptionText();
}

void TLoDocument::SetHeaderText(TField field, const std::string& text) {
  if (field == TField::Name) {
    SetNameText(text);
  } else {
    SetDescriptionText(text);
  }
}
