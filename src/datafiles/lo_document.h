#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "datafiles/record_fields.h"
#include "errors/app_error.h"
#include "platform/binary_file.h"

struct TLoHeader {
  std::array<std::uint8_t, 20> name{};         // as in the file, ended by the first zero
  std::array<std::uint8_t, 76> description{};  // 74 from the file, the last two stay zero
};

inline constexpr int kLoRecordCapacity = 256;

// The refusal of a count outside 0..256: "Invalid record count %d: a Lo file
// holds 0 to 256 records".
AppError InvalidRecordCount(int count);

// Told of each change of the document's file just before it is made.
class TWriteObserver {
 public:
  virtual ~TWriteObserver() = default;
  // The bytes a write replaces (read from the file first; zeros where the
  // file ends before them) and the bytes it writes. Raising stops the write.
  virtual void BeforeWrite(std::uint64_t offset, std::span<const std::uint8_t> before,
                           std::span<const std::uint8_t> after) = 0;
  // The file is about to be cut to `length` bytes.
  virtual void BeforeShortening(std::uint64_t length) = 0;
};

// The open Lo file and its in-memory form. One per process; every field is
// read and written at its own offset, nothing is cached between calls.
// Every write keeps memory equal to the bytes it put in the file: the
// record and header writes send memory's values, a raw write is taken into
// memory once it is done. Every failure raises InOutError (or AppError for
// a refused count) and leaves what was done before it done.
class TLoDocument {
 public:
  TLoHeader header;
  std::array<TLoRecord, kLoRecordCapacity> LoRecordTable{};
  std::int16_t LastIndex = 0;  // record count - 1; -1 for an empty file

  // Binds to `path` and opens the existing file for reading and writing.
  // Any file open before is given up first, even when this open fails.
  // Takes a shared advisory lock that tells other editors the file is open.
  void Open(const std::filesystem::path& path);
  // As Open, but read-only (for lodump); writes then fail.
  void OpenReadOnly(const std::filesystem::path& path);
  // Reads count, name, description and every record; returns the count.
  // A count below 0 or above 256 raises AppError
  // "Invalid record count %d: a Lo file holds 0 to 256 records". Any failure
  // closes the file: nothing may later be written into a file that was
  // not read whole.
  int ReadAll();
  // Writes record `index` field by field. An index outside 0..255 raises
  // AppError "Invalid record index %d: a Lo file holds records 0 to 255"
  // before any access.
  void WriteRecord(int index);
  // Writes one field of record `index` (a record field of the table), with
  // the same index check as WriteRecord.
  void WriteRecordField(int index, TField field);
  // Record `index` takes `fields` from `values`, each written as it is taken.
  void WriteRecordFields(int index, const TLoRecord& values, std::span<const TField> fields);
  void WriteHeaderTexts();
  // Writes the count and sets LastIndex to count - 1. Only the bytes that
  // change are written, one at a time, so an interrupted write leaves the
  // old count, the new one or 0, never a count of records the file lacks.
  void WriteCount(std::int16_t count);
  // Records appended whole (Paste, Duplicate, a drop, Array): each is
  // written after the last counted record in one positioned write of its 20
  // bytes, and the count last, so the count never names a record the file
  // lacks. More records
  // than the file has room for raise InvalidRecordCount before any write.
  void AppendRecords(std::span<const TLoRecord> records);
  // After a failed write: memory takes what the file holds now (header
  // texts, count and records). When the file cannot be read or its count is
  // out of range, the file is given up (closed). Never raises.
  void AgreeWithFile();
  // Raises before any write when the path no longer names the file that was
  // opened (replaced or deleted since): AppError "%s was replaced or deleted
  // since it was opened; open it again"; 103 when no file is open.
  void CheckStillAtPath() const;
  // True when another editor held the file open when it was opened.
  bool OpenInAnotherEditor() const { return open_elsewhere_; }
  void Close();
  // Closes the file without reporting anything (after a failure).
  void Abandon();
  bool IsOpen() const { return file_.IsOpen(); }
  const std::filesystem::path& Path() const { return path_; }

  // Every write of the document goes to `observer` first (null: none).
  void ObserveWrites(TWriteObserver* observer) { observer_ = observer; }
  // Raw access at a byte offset, for writing recorded bytes back. Writes
  // pass the observer; once written, memory takes the bytes (TakeFileBytes).
  void WriteBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes);
  // Up to `size` bytes; fewer where the file ends.
  std::size_t ReadBytes(std::uint64_t offset, std::uint8_t* buffer, std::size_t size);
  // The whole file as it is now.
  std::vector<std::uint8_t> ReadFileBytes();
  std::uint64_t FileLength();
  // Cuts the file to `length` bytes, told to the observer first.
  void ShortenTo(std::uint64_t length);
  // Memory takes `bytes`, now in the file at `offset`: header texts, count
  // (and LastIndex) and record fields; other bytes are not kept in memory.
  void TakeFileBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes);

  // Text exchange with the header buffers (8-bit bytes in a std::string).
  std::string NameText() const;         // up to the first zero, at most 20
  std::string DescriptionText() const;  // up to the first zero, at most 75
  // Copies the text and one zero byte from the buffer's start; later bytes keep
  // their contents. Texts longer than the field allows are cut (19 / 73).
  void SetNameText(const std::string& text);
  void SetDescriptionText(const std::string& text);
  // The same for a HeaderText field of the table (Name or Description).
  std::string HeaderText(TField field) const;
  void SetHeaderText(TField field, const std::string& text);

 private:
  int ReadEverything();
  void Put(std::uint64_t offset, const void* data, std::size_t size);
  void PutRecord(int index);
  void TakeFileByte(std::uint64_t offset, std::uint8_t byte);
  BinaryFile file_;
  std::filesystem::path path_;
  int count_in_file_ = 0;  // as last read or written
  bool open_elsewhere_ = false;
  TWriteObserver* observer_ = nullptr;
};
