#include "editor/comparison_marks.h"

#include <algorithm>

#include "editor/comparison.h"

namespace {

using Kind = TComparisonMark::Kind;

TComparisonMark MarkAt(Kind kind, const TRecordBytes& bytes) {
  const TLoRecord record = UnpackRecord(bytes);
  return {kind, record.x, record.y};
}

bool Moves(const TLoDifference& difference) {
  return std::ranges::any_of(difference.fields,
                             [](TField field) { return field == TField::X || field == TField::Y; });
}

}  // namespace

std::vector<TComparisonMark> ComparisonMarks(const TComparison& comparison) {
  const TLoFileParts& other = comparison.OtherParts();
  const TLoFileParts& here = comparison.OpenParts();
  std::vector<TComparisonMark> marks;
  for (const TRecordBytes& record : other.records)
    marks.push_back(MarkAt(Kind::OtherRecord, record));
  for (const TLoDifference& difference : comparison.Differences()) {
    const auto a = static_cast<std::size_t>(difference.a);  // the other file's record
    const auto b = static_cast<std::size_t>(difference.b);  // the open file's record
    switch (difference.kind) {
      case TLoDifference::Kind::Removed:
        marks.push_back(MarkAt(Kind::OnlyThere, other.records[a]));
        break;
      case TLoDifference::Kind::Added:
        marks.push_back(MarkAt(Kind::OnlyHere, here.records[b]));
        break;
      case TLoDifference::Kind::Changed:
        if (Moves(difference)) {
          TComparisonMark mark = MarkAt(Kind::Moved, other.records[a]);
          const TComparisonMark from = MarkAt(Kind::Moved, here.records[b]);
          mark.from_x = from.x;
          mark.from_y = from.y;
          marks.push_back(mark);
        } else {
          marks.push_back(MarkAt(Kind::Changed, here.records[b]));
        }
        break;
      case TLoDifference::Kind::Header:
      case TLoDifference::Kind::Order:
        break;
    }
  }
  return marks;
}

std::string ComparisonMarksDescription(const TComparison& comparison) {
  const std::vector<TComparisonMark> marks = ComparisonMarks(comparison);
  const auto count = [&marks](Kind kind) {
    return static_cast<int>(std::ranges::count(marks, kind, &TComparisonMark::kind));
  };
  const std::string& there = comparison.OtherName();
  const int only_there = count(Kind::OnlyThere), only_here = count(Kind::OnlyHere);
  return "compared with " + there + ": " + std::to_string(only_there) + " only in " + there +
         (only_there == 1 ? " (take: add it here), " : " (take: add them here), ") +
         std::to_string(only_here) + " only here" +
         (only_here == 1 ? " (take: remove it), " : " (take: remove them), ") +
         std::to_string(count(Kind::Changed)) + " with other values in " + there + ", " +
         std::to_string(count(Kind::Moved)) + " placed elsewhere in " + there;
}
