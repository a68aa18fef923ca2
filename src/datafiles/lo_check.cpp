// The file check: what the game would trip over, read from the raw bytes so
// that a count out of range or a short file is a finding, not a failure.

#include "datafiles/lo_check.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "datafiles/little_endian.h"
#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"

namespace {

std::string Num(long long value) { return std::to_string(value); }

std::string RecordText(int index) { return "Record " + Num(index) + ": "; }

// A record as packed at `at`, little-endian, at the field table's offsets.
TLoRecord Unpack(std::span<const std::uint8_t> bytes, std::uint64_t at) {
  TLoRecord record;
  for (TField field : kRecordFields) {
    const TFieldInfo& info = FieldInfo(field);
    const std::uint8_t* p = bytes.data() + at + info.offset;
    if (info.number != nullptr) {
      record.*info.number = std::bit_cast<float>(little_endian::LoadU32(p));
    } else {
      record.*info.byte = *p;
    }
  }
  return record;
}

bool Finite(const TLoRecord& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.z) && std::isfinite(r.r);
}

bool Stacked(const TLoRecord& a, const TLoRecord& b) {
  if (a.object_class != b.object_class || a.object_type != b.object_type) return false;
  if (!Finite(a) || !Finite(b)) return false;
  const double dx = double{a.x} - b.x, dy = double{a.y} - b.y, dz = double{a.z} - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz) <= kStackedDistance;
}

void CheckRecord(std::vector<TLoFinding>& found, const std::vector<TLoRecord>& records, int index,
                 const TObjCatalogue* catalogue) {
  const TLoRecord& record = records[static_cast<std::size_t>(index)];
  const std::string at = RecordText(index);
  if (catalogue != nullptr && !catalogue->FindName(record.object_class, record.object_type)) {
    found.push_back({index, at + "class " + Num(record.object_class) + " type " +
                                Num(record.object_type) + " is not in the catalogue"});
  }
  for (TField field : kRecordFields) {
    const TFieldInfo& info = FieldInfo(field);
    if (info.number != nullptr && !std::isfinite(record.*info.number)) {
      found.push_back({index, at + info.key + " is not a finite number"});
    }
  }
  if (record.state > 1) {
    found.push_back({index, at + "state " + Num(record.state) + " is neither 0 nor 1"});
  }
  for (int earlier = 0; earlier < index; ++earlier) {
    if (Stacked(records[static_cast<std::size_t>(earlier)], record)) {
      found.push_back(
          {index, at + "stacked on record " + Num(earlier) + " (the same kind within 0.01 units)"});
      break;
    }
  }
}

}  // namespace

std::vector<TLoFinding> CheckLoFile(std::span<const std::uint8_t> bytes,
                                    const TObjCatalogue* catalogue) {
  std::vector<TLoFinding> found;
  if (bytes.size() < kFirstRecordOffset) {
    found.push_back({-1, "The file has " + Num(static_cast<long long>(bytes.size())) +
                             " bytes, fewer than its 100-byte header"});
    return found;
  }
  const int count = static_cast<std::int16_t>(little_endian::LoadU16(bytes.data() + kCountOffset));
  const std::uint64_t needed = RecordOffset(std::max(count, 0));
  if (count < 0 || count > kLoRecordCapacity) {
    found.push_back({-1, "Record count " + Num(count) + ": a Lo file holds 0 to 256 records"});
  } else if (bytes.size() != needed) {
    found.push_back({-1, "Record count " + Num(count) + " needs " +
                             Num(static_cast<long long>(needed)) + " bytes; the file has " +
                             Num(static_cast<long long>(bytes.size()))});
  }
  // The records the file holds of those it counts.
  const int held = static_cast<int>(std::min<std::uint64_t>(
      std::clamp(count, 0, kLoRecordCapacity), (bytes.size() - kFirstRecordOffset) / kRecordSize));
  std::vector<TLoRecord> records;
  for (int i = 0; i < held; ++i) records.push_back(Unpack(bytes, RecordOffset(i)));
  for (int i = 0; i < held; ++i) CheckRecord(found, records, i, catalogue);
  const std::uint64_t tail = RecordOffset(held);
  const auto first = std::find_if(bytes.begin() + static_cast<std::ptrdiff_t>(tail), bytes.end(),
                                  [](std::uint8_t b) { return b != 0; });
  if (count >= 0 && count <= kLoRecordCapacity && first != bytes.end()) {
    const long long offset = first - bytes.begin();
    found.push_back(
        {held - 1, (held > 0 ? "After record " + Num(held - 1) : std::string("After the header")) +
                       ", the last counted, bytes are not zero (from offset " + Num(offset) + ")"});
  }
  return found;
}
