// Placing objects by name, down to the file's bytes: picking class and type
// from the catalogue, appending records with values, duplicating, and the
// map's group selection and group move.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <tuple>

#include "editor/editing_session.h"
#include "editor/write_step.h"
#include "platform/file_faults.h"
#include "support/editor_world.h"

namespace {

// Entry 3's class does not fit a record's byte: 300 stores 44.
class PlacingTest : public ::testing::Test, protected EditorWorld {
 protected:
  PlacingTest()
      : EditorWorld({{0, 0, "Marker"}, {3, 1, "Fuel Drum"}, {1, 1, "Pine"}, {300, 2, "Tower"}}) {}
  void TearDown() override { file_faults::Reset(); }

  bool Marked(TField field) const { return view.Highlight(field) == THighlight::Modified; }
  // How many positioned writes `action` makes, and that the file was checked first.
  int WritesOf(const std::function<void()>& action) {
    file_faults::Reset();
    action();
    const std::vector<FileOperation> operations = file_faults::Operations();
    EXPECT_EQ(operations.empty() ? FileOperation::Open : operations.front(), FileOperation::Stat);
    return static_cast<int>(std::count(operations.begin(), operations.end(), FileOperation::Write));
  }
};

// The file with `record` appended and the count raised to match.
Bytes Appended(Bytes file, const TLoRecord& record) {
  const Bytes added = RecordBytes(record);
  file.insert(file.end(), added.begin(), added.end());
  PutU16(file, 20, static_cast<std::uint16_t>((file.size() - 100) / 20));
  return file;
}

TLoRecord Placed(std::uint8_t object_class, std::uint8_t object_type, float x, float y) {
  TLoRecord record;
  record.object_class = object_class;
  record.object_type = object_type;
  record.x = x;
  record.y = y;
  return record;
}

TEST_F(PlacingTest, AppendWritesTheRecordAndTheCountOnlyAndShowsTheNewRow) {
  Open(NumberedRecords(5));
  const Bytes original = File();
  Click(2);
  Type(TField::Name, "Unsaved");  // not this command's to write

  EXPECT_EQ(WritesOf([&] { session.Placing().DropCatalogueEntry(1, 12.345, -7.006); }),
            1 + 1);  // the record whole, then the count
  EXPECT_EQ(File(), Appended(original, Placed(3, 1, 12.35f, -7.01f)));
  EXPECT_EQ(view.ContentsRows().size(), 6u);
  EXPECT_EQ(view.ContentsRows()[5], "5;3;1;Fuel Drum");
  EXPECT_EQ(view.SelectedRow(), 5);
  EXPECT_EQ(view.Text(TField::RecordNo), "5");
  EXPECT_EQ(view.Text(TField::X), "12.35");
  EXPECT_EQ(view.Text(TField::Name), "Forest") << "the new record is shown as a click shows it";
  EXPECT_EQ(view.RecordCountText(), "6");
  EXPECT_FALSE(view.SaveEnabled());

  // A catalogue row dropped: its class and type, in the record's byte.
  session.View().SetDecimalSeparator(',');
  session.Placing().DropCatalogueEntry(3, 0.004, 1e6);
  EXPECT_EQ(Slice(File(), 220, 20), RecordBytes(Placed(44, 2, 0.0f, 1e6f)));
  EXPECT_EQ(view.Text(TField::Y), "1000000,00");
  // Rows that do not exist and places the fields cannot show write nothing.
  const Bytes before = File();
  session.Placing().DropCatalogueEntry(4, 1, 1);
  session.Placing().DropCatalogueEntry(-1, 1, 1);
  session.Placing().DropCatalogueEntry(2, std::numeric_limits<double>::infinity(), 0);
  session.Placing().DropCatalogueEntry(2, -123456789.5, 0);
  EXPECT_EQ(File(), before);
  EXPECT_EQ(view.ContentsRows().size(), 7u);
}

TEST_F(PlacingTest, DuplicateCopiesTheStoredBytesNotTheFieldsTexts) {
  std::vector<TLoRecord> records = NumberedRecords(3);
  records[1].x = 1.005f;  // shown as 1.00
  records[1].state = 2;   // shown as "State 1"
  Open(records);
  const Bytes original = File();

  session.Placing().DuplicateRecord();
  EXPECT_EQ(host.information, std::vector<std::string>{kNoItemSelected});
  EXPECT_EQ(File(), original);

  Click(1);
  Type(TField::Class, "9");
  EXPECT_EQ(WritesOf([&] { session.Placing().DuplicateRecord(); }), 1 + 1);
  EXPECT_EQ(File(), Appended(original, records[1]));
  EXPECT_EQ(view.SelectedRow(), 3);
  EXPECT_EQ(view.Text(TField::Class), "1");
  EXPECT_FALSE(Marked(TField::Class));
}

TEST_F(PlacingTest, AFullFileRefusesEveryAppendAsAddObjectDoes) {
  Open(NumberedRecords(256));
  Click(4);
  const Bytes original = File();
  const std::function<void()> appends[] = {
      [&] { session.Records().AddObject(); },
      [&] { session.Placing().DropCatalogueEntry(2, 5, 5); },
      [&] { session.Placing().DropCatalogueEntry(1, 5, 5); },
      [&] { session.Placing().DuplicateRecord(); },
  };
  for (const auto& append : appends) {
    host.information.clear();
    append();
    EXPECT_EQ(host.information, std::vector<std::string>{kRecordTableFull});
    EXPECT_EQ(File(), original);
    EXPECT_EQ(view.ContentsRows().size(), 256u);
    EXPECT_EQ(view.SelectedRow(), 4);
  }
}

TEST_F(PlacingTest, PickingACatalogueRowTypesClassAndTypeWithoutWriting) {
  Open(NumberedRecords(3));
  const Bytes original = File();
  session.Placing().PickCatalogueEntry(1);  // no record shown
  EXPECT_EQ(view.Text(TField::Class), "0");
  EXPECT_FALSE(view.SaveEnabled());

  Click(2);
  session.Placing().PickCatalogueEntry(3);
  EXPECT_EQ(view.Text(TField::Class), "44");
  EXPECT_EQ(view.Text(TField::Type), "2");
  EXPECT_TRUE(Marked(TField::Class) && Marked(TField::Type));
  EXPECT_FALSE(Marked(TField::X));
  EXPECT_TRUE(view.SaveEnabled());
  session.Placing().PickCatalogueEntry(4);  // no such row
  EXPECT_EQ(view.Text(TField::Class), "44");
  EXPECT_EQ(File(), original);

  Save();
  EXPECT_EQ(File()[140], 44);
  EXPECT_EQ(File()[141], 2);
}

// NumberedRecords: record i at X = i + 0.25, Y = -i.
TEST_F(PlacingTest, GroupGrowsByShiftClickAndRectangleAndEndsByEscOrAPlainClick) {
  std::vector<TLoRecord> records = NumberedRecords(6);
  records[2].y = std::numeric_limits<float>::infinity();  // not on the map
  Open(records);
  session.Placing().ToggleInMapGroup(1);
  EXPECT_EQ(view.MapGroup(), std::vector<int>{1}) << "nothing shown yet: the group starts empty";
  EXPECT_EQ(view.SelectedRow(), 1);
  session.Placing().ToggleInMapGroup(4);
  EXPECT_EQ(view.MapGroup(), (std::vector<int>{1, 4}));
  EXPECT_EQ(view.SelectedRow(), 4) << "the last one chosen is shown";
  session.Placing().ToggleInMapGroup(1);
  EXPECT_EQ(view.MapGroup(), std::vector<int>{4});
  EXPECT_EQ(view.SelectedRow(), 4);

  session.Placing().ClearMapGroup();
  session.Placing().ChooseRecord(5);
  session.Placing().AddAreaToMapGroup({3.5, -3.5, 0.0, 0.5});  // corners in any order
  EXPECT_EQ(view.MapGroup(), (std::vector<int>{0, 1, 3, 5})) << "2 is not drawn; 5 was shown";
  EXPECT_EQ(view.SelectedRow(), 5);

  Click(4);  // a plain click on a row chooses it alone
  EXPECT_TRUE(view.MapGroup().empty());
  session.Placing().ToggleInMapGroup(3);
  session.Placing().ToggleInMapGroup(5);
  session.Placing().ToggleInMapGroup(5);  // the shown record out again
  EXPECT_EQ(view.MapGroup(), (std::vector<int>{3, 4}));
  EXPECT_EQ(view.SelectedRow(), 4) << "what is shown is always one of the group";
  EXPECT_EQ(session.Objects().ChosenObjects(), (std::vector<int>{3, 4}));
  session.Placing().AddAreaToMapGroup({0.0, 0.5, 1.5, -1.5});
  EXPECT_EQ(view.MapGroup(), (std::vector<int>{0, 1, 3, 4}));
  EXPECT_EQ(view.SelectedRow(), 4) << "the shown record is inside the group already";
  session.Placing().AddAreaToMapGroup({100.0, 100.0, 200.0, 200.0});
  EXPECT_EQ(view.MapGroup().size(), 4u) << "an empty rectangle changes nothing";

  session.Placing().ChooseRecord(3);
  EXPECT_TRUE(view.MapGroup().empty());
  session.Placing().ToggleInMapGroup(5);
  session.Records().RemoveLastObject();
  EXPECT_EQ(view.MapGroup(), std::vector<int>{3}) << "the removed record leaves the group";

  Reopen();
  session.Placing().AddAreaToMapGroup({0.0, 0.5, 1.5, -1.5});
  EXPECT_EQ(view.SelectedRow(), 0) << "nothing was shown: the first record inside is";
}

TEST_F(PlacingTest, GroupMoveWritesOnlyEachRecordsXAndY) {
  Open(NumberedRecords(6));
  Bytes expected = File();
  session.Placing().ChooseRecord(1);
  session.Placing().ToggleInMapGroup(3);
  session.Placing().ToggleInMapGroup(4);
  Type(TField::X, "50");  // record 4 is drawn where its field says
  Type(TField::Density, "7");

  EXPECT_EQ(WritesOf([&] { session.Placing().MoveMapGroup(10.004, -0.5); }), 3 * 2);
  for (const auto& [index, x, y] :
       {std::tuple{1, 11.25f, -1.5f}, {3, 13.25f, -3.5f}, {4, 60.0f, -4.5f}}) {
    const Bytes x_bytes = FloatBytes(x), y_bytes = FloatBytes(y);
    std::copy(x_bytes.begin(), x_bytes.end(), expected.begin() + 100 + 20 * index + 3);
    std::copy(y_bytes.begin(), y_bytes.end(), expected.begin() + 100 + 20 * index + 7);
  }
  EXPECT_EQ(File(), expected);
  EXPECT_EQ(view.Text(TField::X), "60.00");
  EXPECT_EQ(view.Text(TField::Y), "-4.50");
  EXPECT_FALSE(Marked(TField::X) || Marked(TField::Y));
  EXPECT_TRUE(Marked(TField::Density) && view.SaveEnabled()) << "other edits stay";

  // Saving afterwards writes the moved X and Y back as they are.
  Save();
  expected[100 + 20 * 4 + 19] = 7;
  EXPECT_EQ(File(), expected);

  // One record that would land where its field cannot show it: nothing moves.
  session.Placing().MoveMapGroup(-123456789.0, 0.0);
  EXPECT_EQ(File(), expected);
  EXPECT_EQ(view.Text(TField::X), "60.00");
  // Only one member out of reach: the others stay too.
  session.Placing().MoveMapGroup(
      0.0, -9999996.0);  // Y -9999997.50 and -9999999.50 fit, -10000000.50 not
  EXPECT_EQ(File(), expected);
}

// Every command that writes the Lo file, the ones that move objects about too.
TEST_F(PlacingTest, AReplacedFileIsNotWrittenByAnyPlacing) {
  Open(NumberedRecords(4));
  Click(1);
  session.Placing().ToggleInMapGroup(2);
  const Bytes original = File();
  const std::filesystem::path moved = dir / "moved.dat";
  std::filesystem::rename(lo, moved);
  WriteBytes(lo, original);
  const std::function<void()> writes[] = {
      [&] { session.Placing().DropCatalogueEntry(2, 0, 0); },
      [&] { session.Placing().DuplicateRecord(); },
      [&] { session.Placing().MoveMapGroup(1, 1); },
      [&] { session.Placing().TurnMapGroup(90); },
      [&] { session.Objects().PasteObjects(std::vector<TRecordBytes>{PackRecord(TLoRecord{})}); },
      [&] { session.Objects().DeleteObjects(); },
      [&] { session.Objects().CutObjects(); },
  };
  for (const auto& write : writes) {
    EXPECT_NE(MessageOf(write).find("was replaced or deleted"), std::string::npos);
    EXPECT_EQ(File(), original);
    EXPECT_EQ(ReadBytes(moved), original);
    EXPECT_EQ(view.ContentsRows().size(), 4u);
  }
}

TEST_F(PlacingTest, EveryPlacingWriteIsOneStepThatUndoTakesBack) {
  Open(NumberedRecords(4));
  const Bytes original = File();
  session.Placing().DropCatalogueEntry(1, 5.5, 6.5);
  Click(1);
  session.Placing().DuplicateRecord();
  session.Placing().ChooseRecord(0);
  session.Placing().ToggleInMapGroup(2);
  session.Placing().MoveMapGroup(1.0, 1.0);
  std::vector<std::string> descriptions;
  for (const TWriteStep& step : history.Steps()) descriptions.push_back(step.description);
  EXPECT_EQ(descriptions,
            (std::vector<std::string>{"Add Object", "Duplicate Object", "Move of 2 records"}));
  while (undo.CanUndo()) undo.Undo();
  EXPECT_EQ(File(), original);
  EXPECT_EQ(view.ContentsRows().size(), 4u);
}

// The file with float `value` at field offset `at` of record `index`.
void PutFloat(Bytes& file, int index, int at, float value) {
  const Bytes bytes = FloatBytes(value);
  std::copy(bytes.begin(), bytes.end(), file.begin() + 100 + 20 * index + at);
}

TEST_F(PlacingTest, AGroupTurnWritesOnlyXYAndRAsOneStepThatUndoTakesBack) {
  Open(NumberedRecords(5));
  const Bytes original = File();
  Click(1);
  session.Placing().ToggleInMapGroup(2);
  session.Placing().ToggleInMapGroup(3);  // shows record 3
  Type(TField::X, "0.25");                // record 3 is drawn where its field says
  const std::size_t steps = history.Steps().size();

  // About the middle of (0.25 ... 2.25, -3 ... -1): (1.25, -2).
  EXPECT_EQ(WritesOf([&] { session.Placing().TurnMapGroup(90.0); }), 3 * 3);
  Bytes expected = original;
  for (const auto& [index, x, y] :
       {std::tuple{1, 0.25f, -2.0f}, {2, 1.25f, -1.0f}, {3, 2.25f, -3.0f}}) {
    PutFloat(expected, index, 3, x);
    PutFloat(expected, index, 7, y);
    PutFloat(expected, index, 15, 180.0f);
  }
  EXPECT_EQ(File(), expected);
  ASSERT_EQ(history.Steps().size(), steps + 1);
  EXPECT_EQ(history.Steps().back().description, "Turn of 3 records");
  EXPECT_EQ(view.Text(TField::X), "2.25");
  EXPECT_EQ(view.Text(TField::R), "180.00");
  EXPECT_FALSE(Marked(TField::X) || Marked(TField::R));
  EXPECT_FALSE(view.SaveEnabled());

  Undo();
  EXPECT_EQ(File(), original);
}

TEST_F(PlacingTest, AGroupTurnWithAMemberItsFieldsCannotShowTurnsNothing) {
  std::vector<TLoRecord> records = NumberedRecords(4);
  records[2].x = std::numeric_limits<float>::quiet_NaN();
  // Turned by 45 degrees, (-9999999, -9999999) lands at Y -14142134, too long for Y.
  records[3].x = records[3].y = 9999999.0f;
  records[0].x = records[0].y = -9999999.0f;
  Open(records);
  const Bytes original = File();
  for (int other : {2, 3}) {
    session.Placing().ChooseRecord(0);
    session.Placing().ToggleInMapGroup(other);
    const std::size_t steps = history.Steps().size();
    session.Placing().TurnMapGroup(45.0);
    EXPECT_EQ(File(), original) << other;
    EXPECT_EQ(history.Steps().size(), steps) << other;
  }
}

TEST_F(PlacingTest, TheHandleTypesROrPutsItBackAndADropLandsOnTheGrid) {
  Open(NumberedRecords(4));
  const Bytes original = File();
  Click(2);
  Type(TField::Density, "7");
  session.Placing().TurnShownRecord(33.333);
  EXPECT_EQ(view.Text(TField::R), "33.33");
  session.Placing().TurnShownRecord(45.0);
  EXPECT_TRUE(Marked(TField::R));
  session.Placing().CancelTurn();
  EXPECT_EQ(view.Text(TField::R), "90.00");
  EXPECT_FALSE(Marked(TField::R));
  EXPECT_TRUE(Marked(TField::Density) && view.SaveEnabled()) << "the typed edit stays";

  Click(1);  // drops the typed edit
  session.View().SetDecimalSeparator(',');
  session.Placing().TurnShownRecord(120.0);
  session.Placing().CancelTurn();
  EXPECT_FALSE(view.SaveEnabled());
  session.Placing().TurnShownRecord(120.0);
  session.Placing().FinishTurn();
  EXPECT_EQ(view.Text(TField::R), "120,00");
  session.Placing().CancelTurn();  // the turn is over: nothing to put back
  EXPECT_EQ(view.Text(TField::R), "120,00");
  EXPECT_EQ(File(), original) << "turning writes nothing";
  Save();
  Bytes expected = original;
  PutFloat(expected, 1, 15, 120.0f);
  EXPECT_EQ(File(), expected);

  view.SetGridStep(5.0);
  session.Placing().DropCatalogueEntry(2, 12.4, -7.6);
  EXPECT_EQ(Slice(File(), 100 + 20 * 4, 20), RecordBytes(Placed(1, 1, 10.0f, -10.0f)));
}

}  // namespace
