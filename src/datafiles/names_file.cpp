#include "datafiles/names_file.h"

#include <algorithm>

#include "datafiles/little_endian.h"
#include "errors/app_error.h"
#include "platform/file_system.h"
#include "platform/whole_file.h"

namespace {

// The observer hears a whole replacement in writes no wider than a step's write holds.
constexpr std::size_t kReplaceChunk = 32768;

}  // namespace

void TNamesFile::CheckStillAtPath() const {
  if (Path().empty()) throw InOutError(103);
  const std::optional<BinaryFile::Identity> now = IdentityAt(Path());
  if (!now || *now != catalogue_.NamesIdentity) {
    throw AppError(Path().string() +
                   " was replaced or deleted since it was read; open the Lo file again");
  }
}

// For a write opened for reading and writing, as the load opens it, so a
// read-only file is refused here, before anything is written.
BinaryFile TNamesFile::OpenChecked(bool for_writing) const {
  CheckStillAtPath();
  BinaryFile file;
  if (for_writing) {
    file.OpenExisting(Path());
  } else {
    file.OpenReadOnly(Path());
  }
  if (file.Id() != catalogue_.NamesIdentity) {
    throw AppError(Path().string() +
                   " was replaced or deleted since it was read; open the Lo file again");
  }
  return file;
}

std::uint64_t TNamesFile::FileLength() {
  BinaryFile file = OpenChecked(false);
  const std::uint64_t length = file.Size();
  file.Close();
  return length;
}

std::size_t TNamesFile::ReadBytes(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) {
  BinaryFile file = OpenChecked(false);
  const std::size_t got = file.ReadUpTo(offset, buffer, size);
  file.Close();
  return got;
}

std::vector<std::uint8_t> TNamesFile::ReadFileBytes() {
  BinaryFile file = OpenChecked(false);
  std::vector<std::uint8_t> bytes(file.Size());
  bytes.resize(file.ReadUpTo(0, bytes.data(), bytes.size()));
  file.Close();
  return bytes;
}

void TNamesFile::WriteBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  BinaryFile file = OpenChecked(true);
  const std::uint64_t length = file.Size();
  std::vector<std::uint8_t> before(bytes.size());  // zeros where the file ends
  file.ReadUpTo(offset, before.data(), before.size());
  if (observer_ != nullptr) observer_->BeforeWrite(offset, before, bytes);
  try {
    file.WriteAt(offset, bytes.data(), bytes.size());
  } catch (const InOutError&) {
    PutBack(file, offset, before, bytes, length);
    throw;
  }
  file.Close();
  TakeFileBytes(offset, bytes);
}

// A write that stopped part way leaves no half-written name: the old bytes
// go back (old bytes over old bytes need no room), recorded as a write of
// the same step so that the step, taken back, agrees with the file.
void TNamesFile::PutBack(BinaryFile& file, std::uint64_t offset,
                         std::span<const std::uint8_t> before,
                         std::span<const std::uint8_t> written, std::uint64_t length) {
  try {
    if (observer_ != nullptr) observer_->BeforeWrite(offset, written, before);
    if (offset < length) {
      file.WriteAt(offset, before.data(), std::min<std::uint64_t>(before.size(), length - offset));
    }
    if (file.Size() > length) {
      if (observer_ != nullptr) observer_->BeforeShortening(length);
      file.Truncate(length);
    }
  } catch (const InOutError&) {
  }  // the first failure is the one to report
}

void TNamesFile::ShortenTo(std::uint64_t length) {
  BinaryFile file = OpenChecked(true);
  if (observer_ != nullptr) observer_->BeforeShortening(length);
  file.Truncate(length);
  file.Close();
}

void TNamesFile::ReplaceWhole(std::span<const std::uint8_t> bytes) {
  BinaryFile writable = OpenChecked(true);  // a read-only file is refused before anything
  writable.Close();
  const std::vector<std::uint8_t> old = ReadFileBytes();
  if (observer_ != nullptr) {
    const std::size_t span = std::max(old.size(), bytes.size());
    std::vector<std::uint8_t> before, after;
    for (std::size_t at = 0; at < span; at += kReplaceChunk) {
      const std::size_t width = std::min(kReplaceChunk, span - at);
      before.assign(width, 0);
      after.assign(width, 0);
      if (at < old.size()) std::copy_n(old.begin() + at, std::min(width, old.size() - at), before.begin());
      if (at < bytes.size()) std::copy_n(bytes.begin() + at, std::min(width, bytes.size() - at), after.begin());
      observer_->BeforeWrite(at, before, after);
    }
    if (bytes.size() < old.size()) observer_->BeforeShortening(bytes.size());
  }
  try {
    ReplaceWholeFile(Path(), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const AppError&) {
    // A failure after the rename: the file at the path is ours, new bytes
    // and all, and the recovery that follows must read it as such.
    if (OursAtPath(bytes)) AdoptFileAtPath();
    throw;
  }
  TakeFileBytes(0, bytes);
  AdoptFileAtPath();
}

bool TNamesFile::OursAtPath(std::span<const std::uint8_t> bytes) const {
  try {
    const std::string now = ReadWholeFile(Path());
    return std::equal(now.begin(), now.end(), bytes.begin(), bytes.end(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
  } catch (const AppError&) {
    return false;
  }
}

// The replace is done whatever this finds: a file it cannot look at stays
// unknown, and the next write refuses it as replaced.
void TNamesFile::AdoptFileAtPath() {
  try {
    if (const std::optional<BinaryFile::Identity> now = IdentityAt(Path())) {
      catalogue_.NamesIdentity = *now;
    }
  } catch (const AppError&) {
  }
}

void TNamesFile::AgreeWithFile() {
  try {
    const std::vector<std::uint8_t> bytes = ReadFileBytes();
    const std::size_t whole = std::min(bytes.size(), kObjNameSize * static_cast<std::size_t>(catalogue_.EntriesRead));
    TakeFileBytes(0, std::span(bytes).first(whole - whole % kObjNameSize));
  } catch (const AppError&) {
  }
}

// Only the slots of the entries read are kept in memory.
void TNamesFile::TakeFileBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint64_t at = offset + i;
    const std::uint64_t slot = at / kObjNameSize;
    if (slot >= static_cast<std::uint64_t>(catalogue_.EntriesRead)) continue;
    catalogue_.ObjNameTable[static_cast<std::size_t>(slot)][at % kObjNameSize] = bytes[i];
  }
}

std::vector<TObjKind> TNamesFile::ReadKinds() const {
  if (catalogue_.CatalogueFile.empty()) throw InOutError(103);
  return ReadCatalogueKinds(catalogue_.CatalogueFile);
}

std::vector<TObjKind> ReadCatalogueKinds(const std::filesystem::path& path) {
  BinaryFile file;
  file.OpenReadOnly(path);
  std::uint8_t count_bytes[2];
  file.ReadAt(20, count_bytes, sizeof count_bytes);
  const int count = std::max<int>(static_cast<std::int16_t>(little_endian::LoadU16(count_bytes)), 0);
  if (count > kObjCatalogueCapacity) {
    throw AppError("Invalid entry count " + std::to_string(count) +
                   ": objdat.dat holds at most 512 entries");
  }
  std::vector<std::uint8_t> entries(100 * static_cast<std::size_t>(count));
  if (!entries.empty()) file.ReadAt(100, entries.data(), entries.size());
  file.Close();
  std::vector<TObjKind> kinds(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    kinds[i] = {little_endian::LoadU32(&entries[100 * i]), little_endian::LoadU32(&entries[100 * i + 4])};
  }
  return kinds;
}
