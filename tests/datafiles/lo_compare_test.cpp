#include "datafiles/lo_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafiles/lo_compare_text.h"
#include "datafiles/lo_merge.h"
#include "support/lo_files.h"

namespace {

// The file as the tests write it and read it back.
TLoFileParts Written(const TempDir& dir, const std::string& name, const Bytes& bytes) {
  WriteBytes(dir / name, bytes);
  const Bytes read = ReadBytes(dir / name);
  return SplitLoFile(read);
}

std::string Kind(const TRecordBytes& record) {
  return std::to_string(record[0]) + ";" + std::to_string(record[1]);
}

std::vector<std::string> DiffLines(const TLoFileParts& a, const TLoFileParts& b) {
  std::vector<std::string> lines;
  for (const TLoDifference& difference : CompareLoFiles(a, b)) {
    lines.push_back(DifferenceLine(difference, a, b, Kind));
  }
  return lines;
}

// A file whose header texts end in zeros.
Bytes Plain(const std::string& name, const std::string& description,
            const std::vector<TLoRecord>& records) {
  Bytes bytes = LoFileBytes(name, description, records);
  std::fill(bytes.begin(), bytes.begin() + 20, 0);
  std::fill(bytes.begin() + 26, bytes.begin() + 100, 0);
  PutText(bytes, 0, name);
  PutText(bytes, 26, description);
  return bytes;
}

TLoRecord Tree(float x, float y) { return {5, 1, 0, x, y, 0.0f, 0.0f, 3}; }

TEST(LoCompare, ReadsEditsAsAPersonWould) {
  TempDir dir;
  const std::vector<TLoRecord> base = NumberedRecords(6);
  const Bytes a_bytes = Plain("Forest", "North", base);
  const TLoFileParts a = Written(dir, "LoA.dat", a_bytes);

  std::vector<TLoRecord> reordered = {base[3], base[0], base[1], base[2], base[5], base[4]};
  std::vector<TLoRecord> deleted = {base[0], base[1], base[3], base[4], base[5]};
  std::vector<TLoRecord> pasted = base;
  pasted.push_back({9, 2, 1, 140.5f, 60.75f, 0.0f, 45.0f, 7});
  std::vector<TLoRecord> duplicated = base;
  duplicated.push_back(base[1]);
  std::vector<TLoRecord> moved = base;
  moved[4].x = 99.5f;
  moved[4].y = -3.0f;
  moved[4].density = 200;
  Bytes after = a_bytes;
  after.push_back(0xAB);

  const struct {
    const char* edit;
    Bytes b;
    std::vector<std::string> lines;
  } cases[] = {
      {"same", a_bytes, {}},
      {"reorder",
       Plain("Forest", "North", reordered),
       {"Order: the records stand in another order"}},
      {"delete in the middle",
       Plain("Forest", "North", deleted),
       {"- 2 2;2: Class=2 Type=2 X=2.25 Y=-2 Z=20 R=90 Density=2 State=0"}},
      {"paste",
       Plain("Forest", "North", pasted),
       {"+ 6 9;2: Class=9 Type=2 X=140.5 Y=60.75 Z=0 R=45 Density=7 State=1"}},
      {"duplicate",
       Plain("Forest", "North", duplicated),
       {"+ 6 1;1: Class=1 Type=1 X=1.25 Y=-1 Z=10 R=90 Density=1 State=1"}},
      {"move and a field change",
       Plain("Forest", "North", moved),
       {"~ 4 4;1: X 4.25 -> 99.5, Y -4 -> -3, Density 4 -> 200"}},
      {"header texts",
       Plain("Forest 2", "South", base),
       {"Name: \"Forest\" -> \"Forest 2\"", "Description: \"North\" -> \"South\""}},
      {"bytes after the records", after, {"After: none -> AB"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DiffLines(a, Written(dir, "LoB.dat", c.b)), c.lines) << c.edit;
  }
}

TEST(LoCompare, PairsAMovedObjectWithItselfNotAFartherOneOfItsKind) {
  TempDir dir;
  const TLoFileParts a =
      Written(dir, "LoA.dat", LoFileBytes("F", "", {Tree(0, 0), Tree(100, 100), Tree(50, 0)}));
  // The last tree moved a little, and the records were shuffled.
  const TLoFileParts b =
      Written(dir, "LoB.dat", LoFileBytes("F", "", {Tree(52, 1), Tree(100, 100), Tree(0, 0)}));
  const TRecordMatch match = MatchRecords(a.records, b.records);
  EXPECT_EQ(match.b_of_a, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(DiffLines(a, b), (std::vector<std::string>{"Order: the records stand in another order",
                                                       "~ 2->0 5;1: X 50 -> 52, Y 0 -> 1"}));
}

TEST(LoMerge, TakesEachSidesChangesFieldByFieldAndListsConflicts) {
  const std::vector<TLoRecord> base = {Tree(0, 0), Tree(10, 10), Tree(20, 20), Tree(30, 30)};
  // Ours moves record 1, removes record 3 (untouched by theirs) and adds one.
  std::vector<TLoRecord> ours = {base[0], base[1], base[2], {7, 7, 0, 1, 1, 0, 0, 0}};
  ours[1].x = 11.5f;
  std::vector<TLoRecord> theirs = base;
  theirs[1].density = 9;                       // the same record's density
  theirs[2].r = 45.0f;                         // another record
  theirs.push_back({8, 8, 0, 2, 2, 0, 0, 0});  // added by theirs
  const TLoFileParts b = SplitLoFile(LoFileBytes("Base", "", base));
  TMergeResult result = MergeLoFiles(b, SplitLoFile(LoFileBytes("Base", "", ours)),
                                     SplitLoFile(LoFileBytes("Theirs", "", theirs)));
  EXPECT_EQ(result.conflicts, std::vector<std::string>{});
  std::vector<TLoRecord> expected = {base[0], base[1], base[2], ours[3], theirs[4]};
  expected[1].x = 11.5f;
  expected[1].density = 9;
  expected[2].r = 45.0f;
  EXPECT_EQ(JoinLoFile(result.merged), LoFileBytes("Theirs", "", expected));

  // Both change one field differently; one removes what the other changed.
  ours = {base[0], base[1], base[3]};
  theirs = base;
  ours[1].x = 12.0f;
  theirs[1].x = 13.0f;
  theirs[2].y = 0.5f;
  result = MergeLoFiles(b, SplitLoFile(LoFileBytes("Base", "", ours)),
                        SplitLoFile(LoFileBytes("Base", "", theirs)));
  EXPECT_EQ(
      result.conflicts,
      (std::vector<std::string>{
          "record 1 (Class=5 Type=1): X: base X=10, ours X=12, theirs X=13; ours kept",
          "base record 2 (Class=5 Type=1): removed by ours, changed by theirs; removal "
          "kept: theirs Record:\tClass=5\tType=1\tX=20\tY=0.5\tZ=0\tR=0\tDensity=3\tState=0"}));
  EXPECT_EQ(JoinLoFile(result.merged), LoFileBytes("Base", "", ours));
}

TEST(LoMerge, LeavesOutRecordsBeyondTheCapacityAsConflicts) {
  const TLoFileParts base = SplitLoFile(LoFileBytes("B", "", NumberedRecords(200)));
  std::vector<TLoRecord> ours = NumberedRecords(200);
  std::vector<TLoRecord> theirs = ours;
  for (int i = 0; i < 30; ++i) ours.push_back(Tree(1000.0f + static_cast<float>(i), 0));
  for (int i = 0; i < 30; ++i) theirs.push_back(Tree(-1000.0f - static_cast<float>(i), 0));
  const TMergeResult result = MergeLoFiles(base, SplitLoFile(LoFileBytes("B", "", ours)),
                                           SplitLoFile(LoFileBytes("B", "", theirs)));
  ASSERT_EQ(result.merged.records.size(), 256u);
  ASSERT_EQ(result.conflicts.size(), 4u);
  EXPECT_EQ(result.conflicts[0],
            "record 256: beyond the 256 records a Lo file holds; left out: Record:\tClass=5\t"
            "Type=1\tX=-1026\tY=0\tZ=0\tR=0\tDensity=3\tState=0");
}

}  // namespace
