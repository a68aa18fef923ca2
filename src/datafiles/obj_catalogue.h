#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/binary_file.h"

struct TObjEntry {
  std::array<std::uint32_t, 8> words{};  // word 0 class, word 1 type, words 2..7 kept unused
};

inline constexpr int kObjCatalogueCapacity = 512;
inline constexpr int kObjNameSize = 30;

// The file operations of a Load, in their order: find objdat.dat (one stat
// when the exact name exists), open it, read its count, find objdat.nam and
// open it, then per entry its name slot and eight words, then two closes.
// Creating a missing names file takes the place of opening it:
// kNamesCreateOperations plus one write per slot.
inline constexpr int kCatalogueFindOperations = 1;
inline constexpr int kCatalogueOpenOperations = 1;
inline constexpr int kCatalogueCountReads = 1;
inline constexpr int kNamesFindOperations = 1;
inline constexpr int kNamesOpenOperations = 1;
inline constexpr int kEntryReads = 9;
inline constexpr int kCatalogueCloseOperations = 2;
// With objdat.nam missing: the listing that looks for it in any case, the
// temporary's creation, (the slots,) its flush, the rename and the folder sync.
inline constexpr int kNamesCreateOperations = 5;

// The object catalogue (objdat.dat) with its names file (objdat.nam).
class TObjCatalogue {
 public:
  std::array<TObjEntry, kObjCatalogueCapacity> ObjEntryTable{};
  std::array<std::array<std::uint8_t, kObjNameSize>, kObjCatalogueCapacity> ObjNameTable{};
  std::int16_t ObjLastIndex = 0;  // entry count - 1; -1 for a count of 0 or less
  // What the last load read, for the commands that write names: the two
  // files (empty when it stopped before opening objdat.nam), which file the
  // names path named then, and the entries whose name and words it read.
  std::filesystem::path CatalogueFile;
  std::filesystem::path NamesFile;
  BinaryFile::Identity NamesIdentity{};
  int EntriesRead = 0;

  // Called once before the first entry is read (clear the list), then once per
  // entry as it is read (add its row).
  struct RowSink {
    std::function<void()> clear;
    std::function<void(int index)> entry_loaded;
  };

  // How Load opens the files: the editor opens both for reading and writing
  // (and creates a missing objdat.nam); a read-only load (for tools) opens
  // them read-only and fails with "File not found" instead of creating.
  enum class Access { ReadWrite, ReadOnly };

  // Reads the catalogue in `folder` (creating objdat.nam with "No Name Entered"
  // slots when missing). Raises InOutError at the failing step, or AppError
  // "Invalid entry count %d: objdat.dat holds at most 512 entries".
  void Load(const std::string& folder, const RowSink& sink = {}, Access access = Access::ReadWrite);

  // Name of the first entry (in catalogue order) with this class and type.
  std::optional<std::string> FindName(std::uint8_t object_class, std::uint8_t object_type) const;
  // The text of name slot `index`, up to its first zero (at most 30 bytes).
  std::string NameText(int index) const;

  // The catalogue path formed from a folder setting (no lookup on disk).
  static std::filesystem::path CataloguePath(const std::string& folder);
};
