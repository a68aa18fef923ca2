// The file check: what the game would trip over, read from the raw bytes so
// that a count out of range or a short file is a finding, not a failure.

#include "datafiles/lo_check.h"

#include <cmath>

#include "datafiles/lo_file_bytes.h"
#include "datafiles/obj_catalogue.h"

namespace {

std::string Num(long long value) { return std::to_string(value); }

std::string RecordText(int index) { return "Record " + Num(index) + ": "; }

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
  const TCountInFile counted = CountInFile(bytes);
  const long long size = static_cast<long long>(bytes.size());
  if (counted.fit == TCountFit::OutOfRange) {
    found.push_back(
        {-1, "Record count " + Num(counted.count) + ": a Lo file holds 0 to 256 records"});
  } else if (counted.fit == TCountFit::Short) {
    found.push_back({-1, "Record count " + Num(counted.count) + " needs " +
                             Num(static_cast<long long>(LengthForCount(counted.count))) +
                             " bytes; the file has " + Num(size)});
  }
  std::vector<TLoRecord> records;
  for (int i = 0; i < counted.held; ++i) records.push_back(UnpackRecord(RecordBytesAt(bytes, i)));
  for (int i = 0; i < counted.held; ++i) CheckRecord(found, records, i, catalogue);
  // Whole records after the count are what Remove Object and Delete leave
  // there on purpose; the game reads only the counted ones. A part of a
  // record is not left by any edit.
  const long long partial =
      (size - static_cast<long long>(kFirstRecordOffset)) % static_cast<long long>(kRecordSize);
  if (counted.fit == TCountFit::Holds && partial != 0) {
    found.push_back({-1, "The file ends in " + Num(partial) +
                             " bytes that are not a whole record (from offset " +
                             Num(size - partial) + ")"});
  }
  return found;
}
