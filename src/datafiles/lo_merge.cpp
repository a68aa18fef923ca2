#include "datafiles/lo_merge.h"

#include <algorithm>

#include "datafiles/lo_compare_text.h"
#include "datafiles/lo_document.h"
#include "datafiles/lo_text_fields.h"

namespace {

bool Same(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  return std::ranges::equal(a, b);
}

std::string RecordKind(const TRecordBytes& record) {
  return "(Class=" + FieldValueText(record, TField::Class) +
         " Type=" + FieldValueText(record, TField::Type) + ")";
}

void MergeHeader(const TLoFileParts& base, const TLoFileParts& ours, const TLoFileParts& theirs,
                 TMergeResult& result) {
  for (THeaderPart part : kHeaderParts) {
    const auto b = HeaderPartBytes(base, part);
    const auto o = HeaderPartBytes(ours, part);
    const auto t = HeaderPartBytes(theirs, part);
    if (!Same(o, b) || Same(t, o)) {
      if (!Same(t, b) && !Same(t, o)) {
        result.conflicts.push_back(std::string(HeaderPartKey(part)) + ": base " +
                                   HeaderPartText(base, part) + ", ours " +
                                   HeaderPartText(ours, part) + ", theirs " +
                                   HeaderPartText(theirs, part) + "; ours kept");
      }
      continue;  // ours stays
    }
    switch (part) {
      case THeaderPart::Name:
        result.merged.name = theirs.name;
        break;
      case THeaderPart::Description:
        result.merged.description = theirs.description;
        break;
      case THeaderPart::Reserved:
        result.merged.reserved = theirs.reserved;
        break;
      case THeaderPart::After:
        result.merged.after = theirs.after;
        break;
    }
  }
}

// Ours with theirs' changes to the base record, field by field.
TRecordBytes MergeRecord(const TRecordBytes& base, const TRecordBytes& ours,
                         const TRecordBytes& theirs, std::size_t at, TMergeResult& result) {
  TRecordBytes merged = ours;
  for (TField field : kRecordFields) {
    const auto b = FieldBytes(base, field);
    const auto o = FieldBytes(ours, field);
    const auto t = FieldBytes(theirs, field);
    if (Same(o, b)) {
      std::ranges::copy(t, merged.begin() + static_cast<std::ptrdiff_t>(FieldInfo(field).offset));
    } else if (!Same(t, b) && !Same(t, o)) {
      const std::string key = FieldInfo(field).key;
      result.conflicts.push_back("record " + std::to_string(at) + " " + RecordKind(ours) + ": " +
                                 key + ": base " + key + "=" + FieldValueText(base, field) +
                                 ", ours " + key + "=" + FieldValueText(ours, field) + ", theirs " +
                                 key + "=" + FieldValueText(theirs, field) + "; ours kept");
    }
  }
  return merged;
}

}  // namespace

TMergeResult MergeLoFiles(const TLoFileParts& base, const TLoFileParts& ours,
                          const TLoFileParts& theirs) {
  TMergeResult result{ours, {}};
  MergeHeader(base, ours, theirs, result);

  const TRecordMatch to_ours = MatchRecords(base.records, ours.records);
  const TRecordMatch to_theirs = MatchRecords(base.records, theirs.records);
  std::vector<TRecordBytes>& records = result.merged.records;
  records.clear();
  for (std::size_t j = 0; j < ours.records.size(); ++j) {
    const TRecordBytes& mine = ours.records[j];
    const int i = to_ours.a_of_b[j];
    if (i < 0) {
      records.push_back(mine);  // added by ours
      continue;
    }
    const TRecordBytes& original = base.records[static_cast<std::size_t>(i)];
    const int k = to_theirs.b_of_a[static_cast<std::size_t>(i)];
    if (k >= 0) {
      records.push_back(MergeRecord(original, mine, theirs.records[static_cast<std::size_t>(k)],
                                    records.size(), result));
    } else if (mine != original) {
      result.conflicts.push_back("record " + std::to_string(records.size()) + " " +
                                 RecordKind(mine) +
                                 ": changed by ours, removed by theirs; ours kept: base " +
                                 lo_text::ExactRecordLine(original));
      records.push_back(mine);
    }
  }
  for (std::size_t i = 0; i < base.records.size(); ++i) {
    const int k = to_theirs.b_of_a[i];
    if (to_ours.b_of_a[i] >= 0 || k < 0) continue;
    const TRecordBytes& changed = theirs.records[static_cast<std::size_t>(k)];
    if (changed != base.records[i]) {
      result.conflicts.push_back("base record " + std::to_string(i) + " " +
                                 RecordKind(base.records[i]) +
                                 ": removed by ours, changed by theirs; removal kept: theirs " +
                                 lo_text::ExactRecordLine(changed));
    }
  }
  for (std::size_t k = 0; k < theirs.records.size(); ++k) {
    if (to_theirs.a_of_b[k] < 0) records.push_back(theirs.records[k]);
  }
  for (std::size_t at = kLoRecordCapacity; at < records.size(); ++at) {
    result.conflicts.push_back("record " + std::to_string(at) +
                               ": beyond the 256 records a Lo file holds; left out: " +
                               lo_text::ExactRecordLine(records[at]));
  }
  if (records.size() > static_cast<std::size_t>(kLoRecordCapacity)) {
    records.resize(kLoRecordCapacity);
  }
  return result;
}
