#include "editor/comparison.h"

#include <gtest/gtest.h>

#include "editor/comparison_marks.h"
#include "support/editor_world.h"

namespace {

// The open file compared with a changed copy: the differences, each take
// one step that Undo takes back byte for byte.
TEST(Comparison, TakesOneDifferenceOrAllAsOneStepEach) {
  EditorWorld world;
  std::vector<TLoRecord> records = NumberedRecords(4);
  world.Open(records, "Forest", "North woods");
  const Bytes opened = world.File();
  records[1].y = 12.5f;
  records.push_back({2, 2, 0, 40, 40, 0, 0, 0});
  const Bytes copy =
      LoFileBytes("Lake", "North woods", {records[1], records[0], records[2], records[4]});
  WriteBytes(world.dir / "LoCopy.dat", copy);

  TComparison& compare = world.session.Compare();
  compare.Start(world.dir / "LoCopy.dat");
  ASSERT_TRUE(compare.Active());
  // Worded from the open file's side, as Take brings the copy's part here.
  EXPECT_EQ(compare.Lines(),
            (std::vector<std::string>{
                "Name: here \"Forest\\x00\\xA7\\xA8\\xA9\\xAA\\xAB\\xAC\\xAD\\xAE\\xAF\\xA0"
                "\\xA1\\xA2\\xA3\", in LoCopy.dat \"Lake\\x00\\xA5\\xA6\\xA7\\xA8\\xA9\\xAA\\xAB"
                "\\xAC\\xAD\\xAE\\xAF\\xA0\\xA1\\xA2\\xA3\"",
                "Order: the records stand in another order in LoCopy.dat (take: all of "
                "LoCopy.dat)",
                "Pine: Y here -1, in LoCopy.dat 12.5",
                "only in LoCopy.dat: Rock at 40, 40 (take: add it here)",
                "only here: Requires Object Data File (take: remove it)"}));
  // The map marks where Take acts: the copy's records, then what it adds,
  // moves and removes here.
  using K = TComparisonMark::Kind;
  EXPECT_EQ(ComparisonMarks(compare),
            (std::vector<TComparisonMark>{{K::OtherRecord, 1.25, 12.5},
                                          {K::OtherRecord, 0.25, 0.0},
                                          {K::OtherRecord, 2.25, -2.0},
                                          {K::OtherRecord, 40.0, 40.0},
                                          {K::Moved, 1.25, 12.5, 1.25, -1.0},
                                          {K::OnlyThere, 40.0, 40.0},
                                          {K::OnlyHere, 3.25, -3.0}}));
  EXPECT_EQ(ComparisonMarksDescription(compare),
            "compared with LoCopy.dat: 1 only in LoCopy.dat (take: add it here), 1 only here "
            "(take: remove it), 0 with other values in LoCopy.dat, 1 placed elsewhere in "
            "LoCopy.dat");
  EXPECT_EQ(compare.RecordOf(2), 1);
  EXPECT_EQ(compare.RecordOf(3), -1);
  EXPECT_EQ(compare.RecordOf(4), 3);

  compare.Take(2);  // record 1's Y
  EXPECT_EQ(world.view.SelectedRow(), 1);
  EXPECT_EQ(compare.Differences().size(), 4u);
  EXPECT_NE(world.File(), opened);
  compare.TakeAll();
  EXPECT_EQ(world.File(), copy);
  EXPECT_TRUE(compare.Differences().empty());
  EXPECT_EQ(world.undo.UndoCaption(), "Take of All Differences");

  world.Undo();
  world.Undo();
  EXPECT_EQ(world.File(), opened);
  compare.Refresh();
  EXPECT_EQ(compare.Differences().size(), 5u);

  // Another file opened ends the comparison.
  WriteBytes(world.dir / "LoOther.dat", copy);
  world.OpenPath(world.dir / "LoOther.dat");
  compare.Refresh();
  EXPECT_FALSE(compare.Active());
}

TEST(Comparison, RefusesToAddARecordToAFullFileAndWritesNothing) {
  EditorWorld world;
  std::vector<TLoRecord> records = NumberedRecords(kLoRecordCapacity);
  world.Open(records);
  const Bytes opened = world.File();
  records.back() = {2, 2, 0, 40, 40, 0, 0, 0};  // of another kind: one only there, one only here
  WriteBytes(world.dir / "LoCopy.dat", LoFileBytes("Forest", "North woods", records));
  TComparison& compare = world.session.Compare();
  compare.Start(world.dir / "LoCopy.dat");
  ASSERT_EQ(compare.Lines().size(), 2u);
  EXPECT_EQ(compare.Lines()[0], "only in LoCopy.dat: Rock at 40, 40 (take: add it here)");
  EXPECT_EQ(MessageOf([&] { compare.Take(0); }),
            "No more records fit in this file (a Lo file holds 256 records); nothing was taken");
  EXPECT_EQ(world.File(), opened);
  EXPECT_FALSE(world.undo.CanUndo());
}

TEST(Comparison, RefusesAFileThatDoesNotReadAndStaysAsItWas) {
  EditorWorld world;
  world.Open(NumberedRecords(2));
  WriteBytes(world.dir / "LoShort.dat", Bytes(30, 0));
  EXPECT_EQ(MessageOf([&] { world.session.Compare().Start(world.dir / "LoShort.dat"); }),
            "Read beyond end of file");
  EXPECT_EQ(MessageOf([&] { world.session.Compare().Start(world.dir / "LoNone.dat"); }),
            "File not found");
  EXPECT_FALSE(world.session.Compare().Active());
}

}  // namespace
