// Objects copied, pasted, deleted and cut, down to the file's bytes, each
// undone and redone byte for byte.

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/editing_session.h"
#include "support/editor_world.h"

namespace {

// Chooses `rows` as the objects: one row is the shown record, more a map group.
void Choose(EditorWorld& w, const std::vector<int>& rows) {
  w.session.Placing().ChooseRecord(rows.front());
  for (std::size_t i = 1; i < rows.size(); ++i) w.session.Placing().ToggleInMapGroup(rows[i]);
}

std::vector<TRecordBytes> Packed(const std::vector<TLoRecord>& records) {
  std::vector<TRecordBytes> packed;
  for (const TLoRecord& record : records) packed.push_back(PackRecord(record));
  return packed;
}

int CountOf(const Bytes& file) { return static_cast<std::int16_t>(file[20] | file[21] << 8); }

struct DeleteCase {
  const char* name;
  std::vector<int> rows;
  int shown_after;
};

class DeleteObjectsTest : public ::testing::TestWithParam<DeleteCase> {};

// The records after each deleted one move up in order, the count drops, the
// file keeps its length; undo and redo give back each file byte for byte.
TEST_P(DeleteObjectsTest, MovesTheLaterRecordsUpAndUndoesByteForByte) {
  const DeleteCase& c = GetParam();
  EditorWorld w(10);
  const Bytes before = w.File();
  std::vector<TLoRecord> kept;
  for (int i = 0; i < 10; ++i) {
    if (std::find(c.rows.begin(), c.rows.end(), i) == c.rows.end()) {
      kept.push_back(NumberedRecords(10)[static_cast<std::size_t>(i)]);
    }
  }
  Bytes expected = before;
  const Bytes moved = LoFileBytes("Forest", "North woods", kept);
  std::copy(moved.begin() + 100, moved.end(), expected.begin() + 100);
  expected[20] = moved[20];
  expected[21] = moved[21];

  Choose(w, c.rows);
  w.session.Objects().DeleteObjects();
  EXPECT_EQ(w.File(), expected);
  EXPECT_EQ(w.view.ContentsRows().size(), kept.size());
  EXPECT_EQ(w.view.SelectedRow(), c.shown_after);
  EXPECT_TRUE(w.view.MapGroup().empty());
  EXPECT_EQ(w.undo.UndoCaption(), "Delete of " + RecordsCaption(c.rows.size()));

  w.Undo();
  EXPECT_EQ(w.File(), before);
  EXPECT_EQ(w.view.ContentsRows().size(), 10u);
  w.Redo();
  EXPECT_EQ(w.File(), expected);
  EXPECT_EQ(w.view.SelectedRow(), c.shown_after);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteObjectsTest,
                         ::testing::Values(DeleteCase{"First", {0}, 0},
                                           DeleteCase{"Middle", {4}, 4}, DeleteCase{"Last", {9}, 8},
                                           DeleteCase{"Group", {7, 2, 3}, 2},
                                           DeleteCase{"BothEnds", {0, 9}, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(ObjectTransfer, CopyThenPasteIntoAnotherFileAppendsTheSameBytesAsOneStep) {
  EditorWorld w(6);
  Choose(w, {4, 1});
  const std::vector<TRecordBytes> copied = w.session.Objects().CopyObjects();
  ASSERT_EQ(copied, Packed({NumberedRecords(6)[1], NumberedRecords(6)[4]}));

  const std::filesystem::path other = w.dir / "LoOther.dat";
  WriteBytes(other, LoFileBytes("Lake", "Shore", NumberedRecords(3)));
  w.OpenPath(other);
  const Bytes before = ReadBytes(other);
  w.session.Objects().PasteObjects(copied);
  const Bytes after = ReadBytes(other);
  ASSERT_EQ(after.size(), before.size() + 40);
  EXPECT_EQ(CountOf(after), 5);
  EXPECT_EQ(Slice(after, 160, 20), Slice(RecordBytes(NumberedRecords(6)[1]), 0, 20));
  EXPECT_EQ(Slice(after, 180, 20), Slice(RecordBytes(NumberedRecords(6)[4]), 0, 20));
  EXPECT_EQ(w.view.MapGroup(), (std::vector<int>{3, 4}));
  EXPECT_EQ(w.view.SelectedRow(), 4);
  EXPECT_EQ(w.undo.UndoCaption(), "Paste of 2 records");
  w.Undo();
  EXPECT_EQ(ReadBytes(other), before);
  w.Redo();
  EXPECT_EQ(ReadBytes(other), after);
  // A plain click on a row chooses that record alone: the pasted group ends.
  w.Click(1);
  EXPECT_EQ(w.session.Objects().ChosenObjects(), std::vector<int>{1});
}

TEST(ObjectTransfer, PastesExactAndPlainTextLines) {
  TLoRecord odd = NumberedRecords(3)[2];
  odd.z = -0.0f;
  odd.r = 1e-45f;
  const std::vector<TRecordBytes> records = Packed({NumberedRecords(3)[1], odd});
  EXPECT_EQ(ObjectsFromText(ExactRecordLines(records)), records);

  const std::string plain =
      "0;12;3;Pine\tClass=12\tType=3\tX=1.50\tY=-2.25\tZ=0.13\tR=90.00\tDensity=4\tState=0\n";
  TLoRecord pine;
  pine.object_class = 12;
  pine.object_type = 3;
  pine.x = 1.5f;
  pine.y = -2.25f;
  pine.z = 0.13f;
  pine.r = 90.0f;
  pine.density = 4;
  EditorWorld w(2);
  w.session.Objects().PasteObjects(ObjectsFromText(plain));
  EXPECT_EQ(Slice(w.File(), 140, 20), RecordBytes(pine));
  EXPECT_EQ(w.view.Text(TField::Z), "0.13");
}

TEST(ObjectTransfer, RefusesWhatIsNotObjectsOrDoesNotFitWritingNothing) {
  const std::string two = ExactRecordLines(Packed(NumberedRecords(2)));
  for (const auto& [text, line] :
       std::vector<std::pair<std::string, int>>{{two + "# a note\nthree crates\n", 4},
                                                {two + "Record: Class=x\n", 3},
                                                {"\n# nothing but a note\n", 1}}) {
    try {
      ObjectsFromText(text);
      ADD_FAILURE() << "taken: " << text;
    } catch (const LoTextError& error) {
      EXPECT_EQ(error.line(), line) << error.what();
      EXPECT_EQ(std::string(error.what()).rfind("line " + std::to_string(line) + ": ", 0), 0u);
    }
  }

  EditorWorld w(250);
  const Bytes before = w.File();
  const std::vector<TRecordBytes> seven = Packed(NumberedRecords(7));
  EXPECT_EQ(MessageOf([&] { w.session.Objects().PasteObjects(seven); }),
            "Only 6 more records fit in this file (a Lo file holds 256 records); nothing was "
            "pasted");
  EXPECT_EQ(w.File(), before);
  EXPECT_FALSE(w.undo.CanUndo());
  w.session.Objects().PasteObjects(std::span(seven).first(6));
  EXPECT_EQ(MessageOf([&] { w.session.Objects().PasteObjects(std::span(seven).first(1)); }),
            "No more records fit in this file (a Lo file holds 256 records); nothing was pasted");
  // Nothing chosen: nothing to copy, delete or cut.
  w.session.Placing().ClearMapGroup();
  w.Click(-1);
  EXPECT_EQ(MessageOf([&] { w.session.Objects().DeleteObjects(); }), kNoItemSelected);
  EXPECT_EQ(MessageOf([&] { w.session.Objects().CutObjects(); }), kNoItemSelected);
}

TEST(ObjectTransfer, PasteHereMovesTheCentreOfTheBoundingBoxToThePoint) {
  std::vector<TLoRecord> records(3);
  records[0].x = 0.0f;
  records[0].y = 0.0f;
  records[1].x = 10.0f;
  records[1].y = 4.0f;
  records[2].x = 1.0f / 3.0f;  // inside the box: does not move its centre
  records[2].y = 1.0f;
  EditorWorld w(1);
  const TPastePoint at{100.004, -50.0};
  w.session.Objects().PasteObjects(Packed(records), &at);
  const Bytes file = w.File();
  const auto xy = [&](int index) {
    const TLoRecord r = UnpackRecord([&] {
      TRecordBytes b{};
      std::copy_n(file.begin() + 100 + 20 * index, 20, b.begin());
      return b;
    }());
    return std::pair{r.x, r.y};
  };
  EXPECT_EQ(xy(1), std::pair(95.0f, -52.0f));
  EXPECT_EQ(xy(2), std::pair(105.0f, -48.0f));
  EXPECT_EQ(xy(3), std::pair(95.34f, -51.0f));
  EXPECT_EQ(w.view.Text(TField::X), "95.34");

  // On a grid the first record lands on it, the others keep their places to it.
  w.view.SetGridStep(5.0);
  w.session.Objects().PasteObjects(Packed(records), &at);
  const Bytes snapped = w.File();
  const auto snapped_xy = [&](int index) {
    TRecordBytes b{};
    std::copy_n(snapped.begin() + 100 + 20 * index, 20, b.begin());
    const TLoRecord r = UnpackRecord(b);
    return std::pair{r.x, r.y};
  };
  EXPECT_EQ(snapped_xy(4), std::pair(95.0f, -50.0f));
  EXPECT_EQ(snapped_xy(5), std::pair(105.0f, -46.0f));
  EXPECT_EQ(snapped_xy(6), std::pair(95.33f, -49.0f));
  // Records off the grid: the first still lands on it.
  for (TLoRecord& record : records) {
    record.x += 1.5f;
    record.y += 2.5f;
  }
  w.session.Objects().PasteObjects(Packed(records), &at);
  const TLoRecord& first = w.session.Document().LoRecordTable[7];
  EXPECT_EQ(std::pair(first.x, first.y), std::pair(95.0f, -50.0f));
}

TEST(ObjectTransfer, CutIsOneStepAndUnsavedEditsStayInTheHistory) {
  EditorWorld w(5);
  const Bytes before = w.File();
  w.Click(1);
  w.Type(TField::X, "7.5");
  const std::vector<TRecordBytes> cut = w.session.Objects().CutObjects();
  EXPECT_EQ(cut, Packed({NumberedRecords(5)[1]}));
  EXPECT_EQ(w.undo.UndoCaption(), "Cut of 1 record");
  EXPECT_EQ(w.view.Text(TField::X), "2.25") << "record 2 moved up to row 1";
  w.Undo();
  EXPECT_EQ(w.File(), before);
  w.Undo();
  EXPECT_EQ(w.view.Text(TField::X), "7.5") << "the edits left behind come back";
  EXPECT_TRUE(w.view.SaveEnabled());
}

}  // namespace
