// Many objects at once, down to the file's bytes: selecting by kind, fields
// set for the group, rows of copies, align and spread, and the file check.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "datafiles/lo_check.h"
#include "editor/editing_session.h"
#include "support/editor_world.h"

namespace {

class GroupEditsTest : public ::testing::Test, protected EditorWorld {
 protected:
  TGroupEdits& group = session.Group();
  // Groups rows `rows`, the first shown.
  void GroupOf(const std::vector<int>& rows) {
    session.Placing().ChooseRecord(rows.front());
    for (std::size_t i = 1; i < rows.size(); ++i) session.Placing().ToggleInMapGroup(rows[i]);
  }
  TLoRecord Stored(int row) const {
    return session.Document().LoRecordTable[static_cast<std::size_t>(row)];
  }
};

// The file of `records` with `change` applied to rows `rows`.
Bytes Changed(std::vector<TLoRecord> records, const std::vector<int>& rows,
              const std::function<void(TLoRecord&)>& change) {
  for (int row : rows) change(records[static_cast<std::size_t>(row)]);
  return LoFileBytes("Forest", "North woods", records);
}

TEST_F(GroupEditsTest, SelectAllAndSameKindMakeTheMapGroup) {
  std::vector<TLoRecord> records = NumberedRecords(8);  // kinds repeat every 21 records
  records[5].object_class = records[1].object_class;
  records[5].object_type = records[1].object_type;
  records[6].object_class = records[1].object_class;  // same class, other type
  records[6].object_type = static_cast<std::uint8_t>(records[1].object_type + 1);
  Open(records);
  group.SelectAll();
  EXPECT_EQ(view.MapGroup(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(view.SelectedRow(), 0);

  Click(5);
  group.SelectSameKind();
  EXPECT_EQ(view.MapGroup(), (std::vector<int>{1, 5}));
  EXPECT_EQ(File(), LoFileBytes("Forest", "North woods", records));
}

TEST_F(GroupEditsTest, SetForGroupWritesOnlyTheCheckedFieldsOfTheGroupAsOneStep) {
  const std::vector<TLoRecord> records = NumberedRecords(6);
  Open(records);
  const Bytes original = File();
  GroupOf({4, 1, 3});
  const std::size_t steps = history.Done();

  group.SetForGroup({{TField::Density, "7"}, {TField::R, "45.5"}, {TField::State, "1"}});
  EXPECT_EQ(File(), Changed(records, {1, 3, 4}, [](TLoRecord& r) {
              r.density = 7;
              r.r = 45.5f;
              r.state = 1;
            }));
  EXPECT_EQ(history.Done(), steps + 1);
  EXPECT_EQ(undo.UndoCaption(), "Set for Group");
  EXPECT_EQ(view.Text(TField::Density), "7");  // the shown record as stored
  EXPECT_EQ(view.MapGroup(), (std::vector<int>{1, 3, 4}));

  Undo();
  EXPECT_EQ(File(), original);
  // A text Save would refuse is refused before anything is written.
  EXPECT_EQ(MessageOf([&] {
              group.SetForGroup({{TField::Z, "1"}, {TField::Class, "1.5"}});
            }),
            "'1.5' is not a valid integer value");
  EXPECT_EQ(File(), original);
}

TEST_F(GroupEditsTest, ArrayCopiesAreTheOriginalPlusKTimesTheOffsetRoundedOnce) {
  TLoRecord post{6, 1, 0, 0.1f, 3.3f, 1.0f, 10.0f, 2};
  Open({post});
  Click(0);
  group.Array({12, 0.1, -0.7, 7.5});
  ASSERT_EQ(session.Document().LastIndex, 12);
  std::vector<TLoRecord> expected{post};
  for (int k = 1; k <= 12; ++k) {
    TLoRecord copy = post;
    copy.x = static_cast<float>(double{post.x} + k * 0.1);
    copy.y = static_cast<float>(double{post.y} + k * -0.7);
    copy.r = static_cast<float>(double{post.r} + k * 7.5);
    expected.push_back(copy);
  }
  EXPECT_EQ(File(), LoFileBytes("Forest", "North woods", expected));
  EXPECT_EQ(undo.UndoCaption(), "Array of 12");
  EXPECT_EQ(view.MapGroup().size(), 13u);  // the row and its copies, for the next command
  Undo();
  EXPECT_EQ(File(), LoFileBytes("Forest", "North woods", {post}));
}

TEST_F(GroupEditsTest, ArraySnapsToTheGridSpreadsToAPointAndRefusesWhatDoesNotFit) {
  Open(NumberedRecords(250));
  GroupOf({2, 3});
  const Bytes original = File();
  group.Array({4, 1.0, 0.0, 0.0});
  ASSERT_EQ(host.information.size(), 1u);
  EXPECT_EQ(host.information[0],
            "A Lo file holds at most 256 records: there is room for 6 more, so at most 3 copies "
            "fit, not 4");
  EXPECT_EQ(File(), original);

  view.SetGridStep(5.0);
  const std::vector<TLoRecord> snapped = group.ArrayCopies({1, 1.0, 1.0, 0.0});
  ASSERT_EQ(snapped.size(), 2u);
  EXPECT_EQ(snapped[0].x, 5.0f);  // 2.25 + 1 lands on 5
  EXPECT_EQ(snapped[1].y, -0.0f);
  view.SetGridStep(0.0);

  // Three copies from the middle of the group (2.75, -2.5) to (14.75, 9.5).
  const TArrayPlan towards = group.ArrayTowards(3, 14.75, 9.5);
  EXPECT_EQ(towards.dx, 4.0);
  EXPECT_EQ(towards.dy, 4.0);
  group.Array(towards);
  EXPECT_EQ(session.Document().LastIndex, 255);
  EXPECT_EQ(Stored(254).x, 2.25f + 12.0f);  // the last copy of record 2
  EXPECT_EQ(Stored(255).y, -3.0f + 12.0f);
}

TEST_F(GroupEditsTest, AlignAndSpreadGiveExactValues) {
  std::vector<TLoRecord> records = NumberedRecords(5);
  const float xs[] = {0.3f, 10.0f, -2.5f, 7.1f, 4.0f};
  for (int i = 0; i < 5; ++i) records[static_cast<std::size_t>(i)].x = xs[i];
  struct Case {
    std::function<void(TGroupEdits&)> run;
    std::vector<float> x;  // rows 0..3 afterwards (the group); row 4 stays 4.0
  };
  const Case cases[] = {
      {[](TGroupEdits& g) { g.Align(TAxis::X, TAlignTo::Least); }, {-2.5f, -2.5f, -2.5f, -2.5f}},
      {[](TGroupEdits& g) { g.Align(TAxis::X, TAlignTo::Middle); }, {3.75f, 3.75f, 3.75f, 3.75f}},
      {[](TGroupEdits& g) { g.Align(TAxis::X, TAlignTo::Greatest); }, {10.0f, 10.0f, 10.0f, 10.0f}},
      // By X: 2, 0, 3, 1 spread from -2.5 to 10 in steps of 12.5 / 3.
      {[](TGroupEdits& g) { g.Spread(TAxis::X); },
       {static_cast<float>(-2.5 + 12.5 / 3.0), 10.0f, -2.5f,
        static_cast<float>(-2.5 + 12.5 * (2.0 / 3.0))}},
  };
  for (const Case& c : cases) {
    Open(records);
    GroupOf({0, 1, 2, 3});
    c.run(group);
    std::vector<TLoRecord> expected = records;
    for (int i = 0; i < 4; ++i)
      expected[static_cast<std::size_t>(i)].x = c.x[static_cast<std::size_t>(i)];
    EXPECT_EQ(File(), LoFileBytes("Forest", "North woods", expected));
    Undo();
    EXPECT_EQ(File(), LoFileBytes("Forest", "North woods", records));
  }
}

TEST_F(GroupEditsTest, TheCheckFindsEveryKindOfTroubleAndNothingOnACleanFile) {
  std::vector<TLoRecord> records = {{1, 1, 0, 5.0f, 5.0f, 0.0f, 0.0f, 1},
                                    {2, 2, 0, 9.0f, 9.0f, 0.0f, 0.0f, 1},
                                    {1, 1, 0, 5.005f, 5.0f, 0.0f, 0.0f, 1},
                                    {7, 4, 3, 0.0f, std::numeric_limits<float>::infinity(), 0.0f,
                                     std::numeric_limits<float>::quiet_NaN(), 1}};
  Open({records[0], records[1]});
  EXPECT_TRUE(session.CheckFile().empty());

  Bytes file = LoFileBytes("Forest", "North woods", records);
  file.insert(file.end(), {0, 0, 9});  // left by an earlier tool
  WriteBytes(lo, file);
  Reopen();
  EXPECT_EQ(session.CheckFile(),
            (std::vector<TLoFinding>{
                {2, "Record 2: stacked on record 0 (the same kind within 0.01 units)"},
                {3, "Record 3: class 7 type 4 is not in the catalogue"},
                {3, "Record 3: Y is not a finite number"},
                {3, "Record 3: R is not a finite number"},
                {3, "Record 3: state 3 is neither 0 nor 1"},
                {-1, "The file ends in 3 bytes that are not a whole record (from offset 180)"}}));
  // A count beyond the file's records, and one beyond any file.
  PutU16(file, 20, 9);
  EXPECT_EQ(CheckLoFile(file, nullptr).front().text,
            "Record count 9 needs 280 bytes; the file has 183");
  PutU16(file, 20, 300);
  EXPECT_EQ(CheckLoFile(file, nullptr).front().text,
            "Record count 300: a Lo file holds 0 to 256 records");
}

}  // namespace
