#pragma once

#include <cstdint>
#include <span>

#include "datafiles/record_fields.h"

// A whole Lo file read into memory (the tools, the file check, the
// comparison, backups): what its header's count says of its length, and its
// records' bytes. The one place that reads a count from a file's bytes.

// The length a file needs for its header and `count` records.
constexpr std::uint64_t LengthForCount(int count) { return RecordOffset(count); }

// How a file's length agrees with the count its header declares.
enum class TCountFit {
  NoCount,     // the file ends before its count
  OutOfRange,  // a count below 0 or above 256
  Short,       // the file ends before the end of its last counted record
  Holds,       // every counted record is whole in the file; bytes may follow
};

struct TCountInFile {
  int count = 0;  // as declared, signed 16-bit (0 without a count)
  TCountFit fit = TCountFit::NoCount;
  int held = 0;  // the counted records (at most 256) the file holds whole
};

TCountInFile CountInFile(std::span<const std::uint8_t> file);

// The count of a file the editor opens; for one it refuses, raises what the
// editor's reading raises first: InOutError 100 for a file that ends before
// its count or its last record, InvalidRecordCount for a count out of range.
int ReadableCount(std::span<const std::uint8_t> file);

// Record `index` of a file that holds it.
TRecordBytes RecordBytesAt(std::span<const std::uint8_t> file, int index);
