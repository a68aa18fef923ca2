#include "datafiles/lo_file_bytes.h"

#include <algorithm>

#include "datafiles/little_endian.h"
#include "datafiles/lo_document.h"
#include "errors/app_error.h"

TCountInFile CountInFile(std::span<const std::uint8_t> file) {
  if (file.size() < kCountOffset + kCountWidth) return {};
  TCountInFile found;
  found.count = static_cast<std::int16_t>(little_endian::LoadU16(file.data() + kCountOffset));
  const std::uint64_t whole =
      file.size() < kFirstRecordOffset ? 0 : (file.size() - kFirstRecordOffset) / kRecordSize;
  found.held = static_cast<int>(
      std::min<std::uint64_t>(std::clamp(found.count, 0, kLoRecordCapacity), whole));
  if (found.count < 0 || found.count > kLoRecordCapacity) {
    found.fit = TCountFit::OutOfRange;
  } else if (file.size() < LengthForCount(found.count)) {
    found.fit = TCountFit::Short;
  } else {
    found.fit = TCountFit::Holds;
  }
  return found;
}

int ReadableCount(std::span<const std::uint8_t> file) {
  const TCountInFile found = CountInFile(file);
  switch (found.fit) {
    case TCountFit::OutOfRange:
      throw InvalidRecordCount(found.count);
    case TCountFit::NoCount:
    case TCountFit::Short:
      throw InOutError(100);
    case TCountFit::Holds:
      break;
  }
  return found.count;
}

TRecordBytes RecordBytesAt(std::span<const std::uint8_t> file, int index) {
  TRecordBytes record{};
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(RecordOffset(index)), kRecordSize,
              record.begin());
  return record;
}
