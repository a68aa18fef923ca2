#pragma once

#include <string>
#include <vector>

class TComparison;

// What the map shows of a comparison, from the open file's side as the
// differences list words it: a mark where Take would act.
struct TComparisonMark {
  enum class Kind {
    OtherRecord,  // a record of the other file, where it stands there
    OnlyThere,    // only the other file has it, where it stands there: Take adds it here
    OnlyHere,     // only the open file has it, where it stands here: Take removes it
    Changed,      // other values there, where it stands here
    Moved,        // placed elsewhere there: from where it stands here to there
  };
  Kind kind = Kind::OtherRecord;
  double x = 0.0, y = 0.0;            // where the mark stands
  double from_x = 0.0, from_y = 0.0;  // Moved: where the record stands here

  bool operator==(const TComparisonMark&) const = default;
};

// The other file's records first, then one mark per record difference in
// the order of the differences.
std::vector<TComparisonMark> ComparisonMarks(const TComparison& comparison);

// The marks told to a screen reader: "compared with LoB.dat: 2 only in
// LoB.dat (take: add them here), 1 only here (take: remove it), 1 with other
// values in LoB.dat, 0 placed elsewhere in LoB.dat".
std::string ComparisonMarksDescription(const TComparison& comparison);
