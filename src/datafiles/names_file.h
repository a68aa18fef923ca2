#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "datafiles/lo_document.h"
#include "datafiles/names_text.h"
#include "datafiles/obj_catalogue.h"

// objdat.nam as the editor's commands write it: the file the catalogue's
// last load read, checked to still be that file before every access. Each
// write opens the file for reading and writing, tells the observer, writes
// and closes it again; the catalogue's name table takes what was written,
// so memory agrees with the file. Failures raise InOutError with the
// editor's messages (a read-only file is "File access denied").
class TNamesFile {
 public:
  explicit TNamesFile(TObjCatalogue& catalogue) : catalogue_(catalogue) {}
  TNamesFile(const TNamesFile&) = delete;
  TNamesFile& operator=(const TNamesFile&) = delete;

  const std::filesystem::path& Path() const { return catalogue_.NamesFile; }
  // Raises before any write when the path no longer names the file the
  // catalogue read: AppError "%s was replaced or deleted since it was read;
  // open the Lo file again"; 103 when no names file was read.
  void CheckStillAtPath() const;

  // Every write goes to `observer` first (null: none).
  void ObserveWrites(TWriteObserver* observer) { observer_ = observer; }
  std::uint64_t FileLength();
  // Up to `size` bytes; fewer where the file ends.
  std::size_t ReadBytes(std::uint64_t offset, std::uint8_t* buffer, std::size_t size);
  std::vector<std::uint8_t> ReadFileBytes();
  void WriteBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes);
  void ShortenTo(std::uint64_t length);
  // The whole file replaced in one step (a temporary beside it, flushed,
  // renamed over it); the observer hears it as writes from offset 0 and a
  // cut. The file the path names afterwards is the one later writes check.
  void ReplaceWhole(std::span<const std::uint8_t> bytes);
  // After a failure: the names of the entries read take what the file
  // holds (a slot the file lacks keeps its text). Never raises.
  void AgreeWithFile();

  // The classes and types of objdat.dat's entries, read again (read-only).
  std::vector<TObjKind> ReadKinds() const;

 private:
  BinaryFile OpenChecked(bool for_writing) const;
  void TakeFileBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes);
  void PutBack(BinaryFile& file, std::uint64_t offset, std::span<const std::uint8_t> before,
               std::span<const std::uint8_t> written, std::uint64_t length);
  bool OursAtPath(std::span<const std::uint8_t> bytes) const;
  void AdoptFileAtPath();

  TObjCatalogue& catalogue_;
  TWriteObserver* observer_ = nullptr;
};

// The classes and types of the catalogue at `path` (objdat.dat), opened
// read-only. Raises InOutError, or AppError for a count over 512.
std::vector<TObjKind> ReadCatalogueKinds(const std::filesystem::path& path);
