#include "datafiles/obj_catalogue.h"

#include <algorithm>
#include <cstring>

#include "datafiles/little_endian.h"
#include "errors/app_error.h"
#include "platform/binary_file.h"
#include "platform/file_lookup.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/temporary_file.h"

namespace {

constexpr std::uint64_t kEntryCountOffset = 20;
constexpr std::uint64_t kFirstEntryOffset = 100;
constexpr std::uint64_t kEntrySize = 100;
// Where words 0..7 sit in an entry; bytes 8..15 and 40..99 are not ours to read.
constexpr std::array<std::uint64_t, 8> kWordOffsets{0, 4, 16, 20, 24, 28, 32, 36};

constexpr char kUnnamedEntry[] = "No Name Entered";

// A short read still stores the bytes that arrived.
void ReadWord(BinaryFile& file, std::uint64_t offset, std::uint32_t& word) {
  auto bytes = little_endian::U32Bytes(word);
  try {
    file.ReadAt(offset, bytes.data(), bytes.size());
  } catch (...) {
    word = little_endian::LoadU32(bytes.data());
    throw;
  }
  word = little_endian::LoadU32(bytes.data());
}

// A new names file: one placeholder slot per entry, each written on its own.
// The slots go into a temporary that takes the name only when complete, so
// an interrupted creation never leaves a short names file that would fail
// every later load. `names` stays open on the new file.
void CreateNamesFile(BinaryFile& names, const std::filesystem::path& path, int count) {
  RemoveStaleTemporaries(path);
  BinaryFile created;
  const std::filesystem::path temp = CreateTemporaryBeside(path, created);
  try {
    std::array<std::uint8_t, kObjNameSize> slot{};
    std::memcpy(slot.data(), kUnnamedEntry, sizeof kUnnamedEntry);
    for (int i = 0; i < count; ++i) {
      created.WriteAt(static_cast<std::uint64_t>(kObjNameSize) * i, slot.data(), slot.size());
    }
    created.Flush();
    if (!RenameIfAbsent(temp, path)) {
      // Another program created it meanwhile: theirs counts, as an existing file does.
      DiscardTemporary(temp);
      names.OpenExisting(path);
      return;
    }
  } catch (...) {
    DiscardTemporary(temp);
    throw;
  }
  try {
    SyncFolder(path.parent_path());
  } catch (const InOutError&) {
    // The file is complete under its name; only its durability is in doubt.
  }
  names = std::move(created);
}

}  // namespace

std::filesystem::path TObjCatalogue::CataloguePath(const std::string& folder) {
  // A root keeps its separator, which doubles it before the file name ("//objdat.dat").
  return std::filesystem::path(FolderWithoutTrailingSeparator(folder) + PathSeparator() +
                               "objdat.dat");
}

void TObjCatalogue::Load(const std::string& folder, const RowSink& sink, Access access) {
  const bool read_only = access == Access::ReadOnly;
  CatalogueFile.clear();
  NamesFile.clear();
  EntriesRead = 0;
  // Both handles are local: whatever way Load ends, no descriptor stays open.
  BinaryFile catalogue;
  const std::filesystem::path exact_path = CataloguePath(folder);
  const std::filesystem::path catalogue_path = FindIgnoringCase(exact_path).value_or(exact_path);
  if (read_only) {
    catalogue.OpenReadOnly(catalogue_path);
  } else {
    catalogue.OpenExisting(catalogue_path);
  }

  std::uint8_t count_bytes[2];
  catalogue.ReadAt(kEntryCountOffset, count_bytes, sizeof count_bytes);
  const int count = static_cast<std::int16_t>(little_endian::LoadU16(count_bytes));
  if (count > kObjCatalogueCapacity) {
    catalogue.Close();
    throw AppError("Invalid entry count " + std::to_string(count) +
                   ": objdat.dat holds at most 512 entries");
  }

  BinaryFile names;
  std::filesystem::path names_path = catalogue_path;
  names_path.replace_extension(".nam");
  if (read_only) {
    names_path = FindIgnoringCase(names_path).value_or(names_path);
    names.OpenReadOnly(names_path);
  } else if (auto existing = FindIgnoringCase(names_path)) {
    names_path = *existing;
    names.OpenExisting(names_path);
  } else {
    CreateNamesFile(names, names_path, count);
  }
  CatalogueFile = catalogue_path;
  NamesFile = names_path;
  NamesIdentity = names.Id();

  // Any count of 0 or less means an empty catalogue (count - 1 would wrap at -32768).
  ObjLastIndex = static_cast<std::int16_t>(std::max(count, 0) - 1);
  if (sink.clear) sink.clear();
  for (int i = 0; i < count; ++i) {
    auto& slot = ObjNameTable[static_cast<std::size_t>(i)];
    names.ReadAt(static_cast<std::uint64_t>(kObjNameSize) * i, slot.data(), slot.size());
    auto& words = ObjEntryTable[static_cast<std::size_t>(i)].words;
    const std::uint64_t base = kFirstEntryOffset + kEntrySize * static_cast<std::uint64_t>(i);
    for (std::size_t w = 0; w < words.size(); ++w)
      ReadWord(catalogue, base + kWordOffsets[w], words[w]);
    EntriesRead = i + 1;
    if (sink.entry_loaded) sink.entry_loaded(i);
  }
  catalogue.Close();
  names.Close();
}

std::optional<std::string> TObjCatalogue::FindName(std::uint8_t object_class,
                                                   std::uint8_t object_type) const {
  const int last = std::min<int>(ObjLastIndex, kObjCatalogueCapacity - 1);
  for (int i = 0; i <= last; ++i) {
    const auto& words = ObjEntryTable[static_cast<std::size_t>(i)].words;
    if (words[0] == object_class && words[1] == object_type) return NameText(i);
  }
  return std::nullopt;
}

std::string TObjCatalogue::NameText(int index) const {
  const auto& slot = ObjNameTable.at(static_cast<std::size_t>(index));
  const auto end = std::find(slot.begin(), slot.end(), std::uint8_t{0});
  return std::string(slot.begin(), end);
}
