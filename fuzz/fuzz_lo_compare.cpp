// Record matching, differences and the merge over two damaged files. The
// input is cut in two (its first two bytes say where); a half that reads as
// a Lo file is taken as one, any other as raw records of 20 bytes. The match
// must pair each record at most once, identical records or ones of one kind;
// a file compared with itself has no differences; merging a file's changes
// into the unchanged file gives the changed file's records and header,
// without conflicts.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "datafiles/lo_compare.h"
#include "datafiles/lo_compare_text.h"
#include "datafiles/lo_document.h"
#include "datafiles/lo_merge.h"

namespace {

TLoFileParts Parts(std::span<const std::uint8_t> bytes) {
  try {
    return SplitLoFile(bytes);
  } catch (const AppError&) {
  }
  TLoFileParts parts;
  for (std::size_t at = 0; at + kRecordSize <= bytes.size() &&
                           parts.records.size() < static_cast<std::size_t>(kLoRecordCapacity);
       at += kRecordSize) {
    TRecordBytes record{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kRecordSize, record.begin());
    parts.records.push_back(record);
  }
  return parts;
}

void CheckMatch(const TLoFileParts& a, const TLoFileParts& b) {
  const TRecordMatch match = MatchRecords(a.records, b.records);
  for (std::size_t i = 0; i < a.records.size(); ++i) {
    const int j = match.b_of_a[i];
    if (j < 0) continue;
    const TRecordBytes& other = b.records.at(static_cast<std::size_t>(j));
    if (match.a_of_b.at(static_cast<std::size_t>(j)) != static_cast<int>(i)) std::abort();
    if (a.records[i][0] != other[0] || a.records[i][1] != other[1]) std::abort();
  }
  for (const TLoDifference& difference : CompareLoFiles(a, b)) {
    if (difference.kind == TLoDifference::Kind::Changed && difference.fields.empty()) std::abort();
    (void)DifferenceLine(difference, a, b, [](const TRecordBytes&) { return std::string("x"); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::span<const std::uint8_t> input(data + 2, size - 2);
  const std::size_t cut = (static_cast<std::size_t>(data[0]) | (data[1] << 8)) % (input.size() + 1);
  const TLoFileParts a = Parts(input.first(cut));
  const TLoFileParts b = Parts(input.subspan(cut));

  CheckMatch(a, b);
  CheckMatch(b, a);
  if (!CompareLoFiles(a, a).empty()) std::abort();

  TMergeResult merge = MergeLoFiles(a, a, b);
  if (!merge.conflicts.empty()) std::abort();
  std::vector<TRecordBytes> merged = merge.merged.records;
  std::vector<TRecordBytes> expected = b.records;
  std::sort(merged.begin(), merged.end());
  std::sort(expected.begin(), expected.end());
  if (merged != expected) std::abort();
  merge.merged.records = b.records;
  if (JoinLoFile(merge.merged) != JoinLoFile(b)) std::abort();
  return 0;
}
