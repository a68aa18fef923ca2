#include "editor/comparison.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(
      compare.Lines(),
      (std::vector<std::string>{
          "Name: \"Lake\\x00\\xA5\\xA6\\xA7\\xA8\\xA9\\xAA\\xAB\\xAC\\xAD\\xAE\\xAF\\xA0"
          "\\xA1\\xA2\\xA3\" -> \"Forest\\x00\\xA7\\xA8\\xA9\\xAA\\xAB\\xAC\\xAD\\xAE\\xAF\\xA0"
          "\\xA1\\xA2\\xA3\"",
          "Order: the records stand in another order", "~ 0->1 Pine: Y 12.5 -> -1",
          "- 3 Rock: Class=2 Type=2 X=40 Y=40 Z=0 R=0 Density=0 State=0",
          "+ 3 Requires Object Data File: Class=3 Type=0 X=3.25 Y=-3 Z=30 R=90 Density=3 "
          "State=1"}));
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
