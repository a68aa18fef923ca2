#include "datafiles/lo_document.h"

#include <algorithm>
#include <cstring>

#include "datafiles/little_endian.h"
#include "datafiles/lo_file_bytes.h"
#include "errors/app_error.h"
#include "platform/file_system.h"

AppError InvalidRecordCount(int count) {
  return AppError("Invalid record count " + std::to_string(count) +
                  ": a Lo file holds 0 to 256 records");
}

namespace {

constexpr const TFieldInfo& kName = FieldInfo(TField::Name);
constexpr const TFieldInfo& kDescription = FieldInfo(TField::Description);
static_assert(kName.width == sizeof(TLoHeader::name));
static_assert(kDescription.width + 2 == sizeof(TLoHeader::description));

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
    throw InvalidRecordCount(count);
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
  // The table ends at 255; an index past it has no record to write.
  if (index < 0 || index >= kLoRecordCapacity) {
    throw AppError("Invalid record index " + std::to_string(index) +
                   ": a Lo file holds records 0 to 255");
  }
  PutRecord(index);
}

void TLoDocument::PutRecord(int index) {
  const std::uint64_t base = RecordOffset(index);
  const TLoRecord& record = LoRecordTable[static_cast<std::size_t>(index)];
  for (TField field : kRecordFieldsInFileOrder) {
    const TFieldInfo& info = FieldInfo(field);
    if (info.number != nullptr) {
      const auto bytes = little_endian::FloatBytes(record.*info.number);
      Put(base + info.offset, bytes.data(), bytes.size());
    } else {
      Put(base + info.offset, &(record.*info.byte), 1);
    }
  }
}

void TLoDocument::WriteRecordField(int index, TField field) {
  const TFieldInfo& info = FieldInfo(field);
  if (index < 0 || index >= kLoRecordCapacity || !info.InRecord()) {
    throw AppError("Invalid record index " + std::to_string(index) +
                   ": a Lo file holds records 0 to 255");
  }
  const std::uint64_t at = RecordOffset(index) + info.offset;
  const TLoRecord& record = LoRecordTable[static_cast<std::size_t>(index)];
  if (info.number != nullptr) {
    const auto bytes = little_endian::FloatBytes(record.*info.number);
    Put(at, bytes.data(), bytes.size());
  } else {
    Put(at, &(record.*info.byte), 1);
  }
}

void TLoDocument::WriteRecordFields(int index, const TLoRecord& values,
                                    std::span<const TField> fields) {
  for (TField field : fields) {
    const TFieldInfo& info = FieldInfo(field);
    if (index >= 0 && index < kLoRecordCapacity && info.InRecord()) {
      TLoRecord& record = LoRecordTable[static_cast<std::size_t>(index)];
      if (info.number != nullptr) {
        record.*info.number = values.*info.number;
      } else {
        record.*info.byte = values.*info.byte;
      }
    }
    WriteRecordField(index, field);
  }
}

void TLoDocument::Put(std::uint64_t offset, const void* data, std::size_t size) {
  if (observer_ != nullptr) {
    std::vector<std::uint8_t> before(size, 0);
    file_.ReadUpTo(offset, before.data(), size);
    observer_->BeforeWrite(offset, before, {static_cast<const std::uint8_t*>(data), size});
  }
  file_.WriteAt(offset, data, size);
}

void TLoDocument::WriteBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  Put(offset, bytes.data(), bytes.size());
  TakeFileBytes(offset, bytes);
}

std::size_t TLoDocument::ReadBytes(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) {
  return file_.ReadUpTo(offset, buffer, size);
}

std::vector<std::uint8_t> TLoDocument::ReadFileBytes() {
  std::vector<std::uint8_t> bytes(file_.Size());
  bytes.resize(file_.ReadUpTo(0, bytes.data(), bytes.size()));
  return bytes;
}

std::uint64_t TLoDocument::FileLength() { return file_.Size(); }

void TLoDocument::ShortenTo(std::uint64_t length) {
  if (observer_ != nullptr) observer_->BeforeShortening(length);
  file_.Truncate(length);
}

void TLoDocument::TakeFileBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) TakeFileByte(offset + i, bytes[i]);
  LastIndex = static_cast<std::int16_t>(count_in_file_ - 1);
}

void TLoDocument::TakeFileByte(std::uint64_t offset, std::uint8_t byte) {
  if (offset < kName.width) {
    header.name[offset] = byte;
  } else if (offset == kCountOffset || offset == kCountOffset + 1) {
    const int shift = offset == kCountOffset ? 0 : 8;
    auto count = static_cast<std::uint16_t>(count_in_file_);
    count = static_cast<std::uint16_t>((count & ~(0xFF << shift)) | (byte << shift));
    count_in_file_ = static_cast<std::int16_t>(count);
  } else if (offset >= kDescription.offset && offset < kDescription.offset + kDescription.width) {
    header.description[offset - kDescription.offset] = byte;
  } else if (offset >= kFirstRecordOffset) {
    const std::uint64_t index = (offset - kFirstRecordOffset) / kRecordSize;
    const std::uint64_t within = (offset - kFirstRecordOffset) % kRecordSize;
    if (index >= kLoRecordCapacity) return;
    TLoRecord& record = LoRecordTable[index];
    for (TField field : kRecordFields) {
      const TFieldInfo& info = FieldInfo(field);
      if (within < info.offset || within >= info.offset + info.width) continue;
      if (info.number == nullptr) {
        record.*info.byte = byte;
      } else {
        auto float_bytes = little_endian::FloatBytes(record.*info.number);
        float_bytes[within - info.offset] = byte;
        record.*info.number = little_endian::FloatFromBytes(float_bytes);
      }
    }
  }
}

void TLoDocument::WriteHeaderTexts() {
  Put(kName.offset, header.name.data(), kName.width);
  Put(kDescription.offset, header.description.data(), kDescription.width);
}

void TLoDocument::WriteCount(std::int16_t count) {
  std::uint8_t now[2], next[2];
  little_endian::StoreU16(now, static_cast<std::uint16_t>(count_in_file_));
  little_endian::StoreU16(next, static_cast<std::uint16_t>(count));
  if (now[1] == next[1]) {
    // The usual case: a one-byte write is done whole or not at all.
    Put(kCountOffset, next, 1);
  } else {
    // 255 <-> 256: first the byte that makes the count 0 (a count that names
    // no record at all), then the other.
    const bool low_first = next[0] == 0 && now[1] == 0;
    const int first = low_first ? 0 : 1;
    Put(kCountOffset + first, &next[first], 1);
    Put(kCountOffset + 1 - first, &next[1 - first], 1);
  }
  count_in_file_ = count;
  LastIndex = static_cast<std::int16_t>(count - 1);
}

void TLoDocument::AppendRecords(std::span<const TLoRecord> records) {
  const int count = count_in_file_;
  const int count_after = count + static_cast<int>(records.size());
  if (count_after > kLoRecordCapacity) throw InvalidRecordCount(count_after);
  for (std::size_t i = 0; i < records.size(); ++i) {
    // Whole, in one positioned write: nothing counts it yet.
    const int index = count + static_cast<int>(i);
    LoRecordTable[static_cast<std::size_t>(index)] = records[i];
    const TRecordBytes bytes = PackRecord(records[i]);
    Put(RecordOffset(index), bytes.data(), bytes.size());
  }
  WriteCount(static_cast<std::int16_t>(count_after));
}

void TLoDocument::AgreeWithFile() {
  if (!file_.IsOpen()) return;
  try {
    const std::vector<std::uint8_t> bytes = ReadFileBytes();
    // A count memory cannot hold gives the file up.
    const TCountFit fit = CountInFile(bytes).fit;
    if (fit == TCountFit::NoCount || fit == TCountFit::OutOfRange) throw InOutError(100);
    TakeFileBytes(0, bytes);
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
