#include "editor/editing_session.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <map>

#include "errors/app_error.h"
#include "platform/binary_file.h"
#include "support/editor_world.h"

namespace {

class EditingSessionTest : public ::testing::Test, protected EditorWorld {
 protected:
  EditingSessionTest() : EditorWorld({{0, 0, "Marker"}, {1, 1, "Pine"}, {2, 2, "Rock"}}) {}
  void TearDown() override { file_faults::Reset(); }

  // The texts of RecordNo, Class, Type, X, Y, Z, R and Density, joined by blanks.
  std::string Shown() const {
    std::string shown = view.Text(TField::RecordNo);
    for (TField field : {TField::Class, TField::Type, TField::X, TField::Y, TField::Z, TField::R,
                         TField::Density}) {
      shown += " " + view.Text(field);
    }
    return shown;
  }
};

TEST_F(EditingSessionTest, OpenShowsHeaderAndListsButZerosUntilARowIsChosen) {
  auto records = NumberedRecords(4);
  records[0].object_class = 7;
  Open(records);

  EXPECT_EQ(host.startup_hides, 1);
  const TOpenDialogRequest& request = host.open_requests.at(0);
  EXPECT_EQ(request.title + "|" + request.filter + "|" + request.default_extension,
            "Choose a Lo File to Edit|Lo Files|Lo*.dat|Dat Files|*.dat|dat");
  EXPECT_EQ(request.initial_folder, dir.path().string());  // prompted for and stored
  EXPECT_EQ(view.Text(TField::Name), "Forest");
  EXPECT_EQ(view.Text(TField::Description), "North woods");
  EXPECT_EQ(view.RecordCountText(), "4");
  EXPECT_EQ(view.WindowCaption(), "Editing " + lo.string());
  EXPECT_TRUE(view.AddRemoveEnabled());
  EXPECT_EQ(Shown(), "0 0 0 0.0 0.0 0.0 0.0 0");
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(view.ContentsRows(),
            (std::vector<std::string>{"0;7;0;Requires Object Data File", "1;1;1;Pine", "2;2;2;Rock",
                                      "3;3;0;Requires Object Data File"}));
  EXPECT_EQ(view.CatalogueRows(),
            (std::vector<std::string>{"0;0;0;Marker", "1;1;1;Pine", "2;2;2;Rock"}));

  Click(0);
  EXPECT_EQ(Shown(), "0 7 0 0.25 0.00 0.00 90.00 0");
  Click(1);
  EXPECT_EQ(Shown(), "1 1 1 1.25 -1.00 10.00 90.00 1");
  EXPECT_EQ(view.StateIndex(), 1);
}

TEST_F(EditingSessionTest, EmptyFileGivesAnEmptyContentsList) {
  Open({});
  EXPECT_TRUE(view.ContentsRows().empty());
  EXPECT_EQ(view.RecordCountText(), "0");
  session.Records().RemoveLastObject();
  EXPECT_EQ(host.information, std::vector<std::string>{"No Item Selected"});
}

TEST_F(EditingSessionTest, RemoveNeedsTheLastRowAndKeepsTheRecordBytes) {
  auto records = NumberedRecords(10);
  records[8].y = -5.125f;  // shows -5.13
  records[8].state = 2;    // shows "State 1"
  Open(records);
  const Bytes original = File();
  Click(3);
  session.Records().RemoveLastObject();
  EXPECT_EQ(host.information, std::vector<std::string>{"No Item Selected"});
  EXPECT_EQ(File(), original);

  Click(9);
  session.Records().RemoveLastObject();
  Bytes expected = original;
  PutU16(expected, 20, 9);  // only the count changes; record 9 stays behind it
  EXPECT_EQ(File(), expected);
  EXPECT_EQ(view.ContentsRows().size(), 9u);
  EXPECT_EQ(view.SelectedRow(), 8);
  EXPECT_EQ(view.RecordCountText(), "9");
  EXPECT_EQ(Shown(), "8 1 2 8.25 -5.13 80.00 90.00 8");
  EXPECT_EQ(host.information.size(), 1u);
}

TEST_F(EditingSessionTest, AddAppendsAZeroedRecordWritingTheCountLast) {
  Open(NumberedRecords(5));
  const Bytes original = File();
  file_faults::FailOperation(4, 101);  // two stats, then the class read and written first
  EXPECT_EQ(MessageOf([&] { session.Records().AddObject(); }), "Disk full");
  EXPECT_EQ(File(), original);
  EXPECT_EQ(session.Document().LastIndex, 4);
  file_faults::FailOperation(24, 101);  // ... 7 more fields, the name, the description, the count
  EXPECT_EQ(MessageOf([&] { session.Records().AddObject(); }), "Disk full");
  EXPECT_EQ(File().size(), 220u) << "the record stands, not counted";
  EXPECT_EQ(Slice(File(), 20, 2), Slice(original, 20, 2));
  EXPECT_EQ(session.Document().LastIndex, 4);

  Type(TField::Name, "Lake");
  session.Records().AddObject();
  Bytes expected = original;
  expected.resize(220, 0);
  PutU16(expected, 20, 6);
  PutText(expected, 0, std::string("Lake") + '\0');
  EXPECT_EQ(File(), expected);
  EXPECT_EQ(view.ContentsRows().back(), "5;0;0;Marker");
  EXPECT_EQ(view.SelectedRow(), 5);
  EXPECT_EQ(view.Text(TField::RecordNo) + " " + view.RecordCountText(), "5 6");
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::Name), THighlight::Normal);
}

// The offset and width of each write of the newest step, in the order made.
std::vector<std::pair<int, int>> NewestWrites(const EditorWorld& world) {
  std::vector<std::pair<int, int>> writes;
  for (const TStepWrite& write : world.history.Steps().back().writes) {
    writes.emplace_back(static_cast<int>(write.offset), static_cast<int>(write.width));
  }
  return writes;
}

// Add Object writes the new record field by field at its offsets, then the
// name and the description, and the count last; Remove Object the count
// first, then the new last record and the texts.
TEST_F(EditingSessionTest, AddAndRemoveWriteFieldByFieldInTheirOrder) {
  Open(NumberedRecords(5));
  session.Records().AddObject();
  EXPECT_EQ(NewestWrites(*this), (std::vector<std::pair<int, int>>{{200, 1},
                                                                   {201, 1},
                                                                   {202, 1},
                                                                   {203, 4},
                                                                   {207, 4},
                                                                   {211, 4},
                                                                   {215, 4},
                                                                   {219, 1},
                                                                   {0, 20},
                                                                   {26, 74},
                                                                   {20, 1}}));
  session.Records().RemoveLastObject();
  EXPECT_EQ(NewestWrites(*this), (std::vector<std::pair<int, int>>{{20, 1},
                                                                   {180, 1},
                                                                   {181, 1},
                                                                   {182, 1},
                                                                   {183, 4},
                                                                   {187, 4},
                                                                   {191, 4},
                                                                   {195, 4},
                                                                   {199, 1},
                                                                   {0, 20},
                                                                   {26, 74}}));
}

// Removing the only record: the count, then the typed texts are written; no
// record remains to take the record fields' edits, which stay as typed.
TEST_F(EditingSessionTest, RemovingTheOnlyRecordWritesTheTypedTextsAndKeepsTheRecordEdits) {
  Open(NumberedRecords(1));
  const Bytes original = File();
  Click(0);
  Type(TField::Name, "Lake");
  Type(TField::R, "45");
  session.Records().RemoveLastObject();
  Bytes expected = original;
  PutU16(expected, 20, 0);
  PutText(expected, 0, std::string("Lake") + '\0');
  EXPECT_EQ(File(), expected);
  EXPECT_EQ(host.information, std::vector<std::string>{"No Item Selected"});
  EXPECT_EQ(view.Text(TField::Name) + " " + view.Text(TField::R), "Lake 45");
  EXPECT_EQ(view.Highlight(TField::Name), THighlight::Normal);
  EXPECT_EQ(view.Highlight(TField::R), THighlight::Modified);
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_TRUE(view.ContentsRows().empty());
}

TEST_F(EditingSessionTest, AddRefusesAFullTable) {
  Open(NumberedRecords(256));
  const Bytes original = File();
  Click(255);
  session.Records().AddObject();
  EXPECT_EQ(host.information, std::vector<std::string>{"A Lo file holds at most 256 records"});
  EXPECT_EQ(File(), original);
  EXPECT_EQ(view.ContentsRows().size(), 256u);
  EXPECT_EQ(view.SelectedRow(), 255);
}

TEST_F(EditingSessionTest, CommitStoresLowBytesAndTheChosenState) {
  auto records = NumberedRecords(3);
  records[1].state = 2;
  records[1].x = 1.005f;   // the nearest single lies below 1.005: shows 1.00
  records[1].y = -5.125f;  // shows -5.13
  Open(records);
  const Bytes original = File();
  Click(1);
  EXPECT_EQ(view.StateIndex(), 1);
  Type(TField::Class, "300");
  Type(TField::Type, "-1");
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::Class), THighlight::Modified);
  Save();
  // Untouched fields keep their stored bytes: the state stays 2, X ... R as read.
  EXPECT_EQ(Slice(File(), 120, 3), (Bytes{44, 255, 2}));
  EXPECT_EQ(Slice(File(), 123, 17), Slice(original, 123, 17));
  EXPECT_EQ(view.ContentsRows()[1], "1;44;255;Requires Object Data File");
  EXPECT_EQ(view.SelectedRow(), 1);
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::Class), THighlight::Normal);

  session.ChooseState(0);
  EXPECT_EQ(view.StateHighlight(), THighlight::Modified);
  EXPECT_TRUE(view.SaveEnabled());
  Save();
  EXPECT_EQ(File()[122], 0);
  EXPECT_EQ(view.StateHighlight(), THighlight::Normal);
  session.Files().CloseLoFile();
  EXPECT_FALSE(session.Document().IsOpen());
  EXPECT_EQ(host.end_requests, 1);
}

TEST_F(EditingSessionTest, BadNumberStopsTheCommitAtThatFieldAndWritesNothing) {
  Open(NumberedRecords(3));
  const Bytes original = File();
  Click(1);
  Type(TField::Name, "Renamed");
  Type(TField::X, "7.5");
  Type(TField::Density, "");
  EXPECT_EQ(MessageOf([&] { Save(); }), "'' is not a valid integer value");
  EXPECT_EQ(File(), original);
  EXPECT_EQ(session.Document().NameText(), "Renamed");  // converted before the failure
  EXPECT_EQ(session.Document().LoRecordTable[1].x, 7.5f);
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Normal);
  EXPECT_EQ(view.Highlight(TField::Density), THighlight::Modified);

  Type(TField::Density, "2.5");
  EXPECT_EQ(MessageOf([&] { Save(); }), "'2.5' is not a valid integer value");
  EXPECT_EQ(File(), original);
}

TEST_F(EditingSessionTest, StoredInfinityAndSignallingNaN) {
  auto records = NumberedRecords(2);
  records[0].x = std::numeric_limits<float>::infinity();
  records[1].y = std::bit_cast<float>(0x7F800001u);
  Open(records);
  const Bytes original = File();
  Click(0);
  EXPECT_EQ(view.Text(TField::X), "INF");
  Save();  // an untouched infinity goes back as it is
  EXPECT_EQ(File(), original);
  Type(TField::Y, "INF");  // typed, it is no number
  EXPECT_EQ(MessageOf([&] { Save(); }), "'INF' is not a valid floating point value");
  EXPECT_EQ(File(), original);
  Type(TField::Y, "0.00");

  // Showing stops at Y with the fields before it already shown.
  EXPECT_EQ(MessageOf([&] { Click(1); }), "Invalid floating point operation");
  EXPECT_EQ(Shown(), "1 1 1 1.25 0.00 0.00 90.00 0");  // from Y on still record 0's
}

TEST_F(EditingSessionTest, UntouchedFloatsKeepTheirBytesAndTypedOnesAreConverted) {
  auto records = NumberedRecords(1);
  records[0].x = -123456789.0f;  // its text is cut by the field
  records[0].y = 1.2345679e10f;
  records[0].z = 123456789.0f;  // "1.2345679E8" fits, but rounds
  records[0].r = 1.005f;        // the nearest single lies below 1.005
  Open(records);
  const Bytes original = File();
  Click(0);
  EXPECT_EQ(Shown(), "0 0 0 -1.2345679E 1.2345679E1 1.2345679E8 1.00 0");
  Save();
  EXPECT_EQ(File(), original);

  Type(TField::X, "5");
  Type(TField::X, "-1.2345679E");  // typed back to what was shown: still the stored value
  Type(TField::R, "2");
  Type(TField::R, "1.00");
  Type(TField::Y, "12");
  Type(TField::Z, "123456789");  // another text for the same number: converted
  Save();
  EXPECT_EQ(Slice(File(), 103, 4), Slice(original, 103, 4));
  EXPECT_EQ(Slice(File(), 107, 4), FloatBytes(12.0f));
  EXPECT_EQ(Slice(File(), 111, 4), FloatBytes(123456790.0f));
  EXPECT_EQ(Slice(File(), 115, 4), Slice(original, 115, 4));

  // Once converted, the typed value is what a later commit keeps.
  Type(TField::Y, "1.2345679E1");
  Save();
  EXPECT_EQ(Slice(File(), 107, 4), FloatBytes(12.345679f));
}

TEST_F(EditingSessionTest, CommitWithoutASelectedRowWritesOnlyTheHeaderTextsAndKeepsRecordEdits) {
  Open(NumberedRecords(3));
  const Bytes original = File();
  const auto table_before = session.Document().LoRecordTable;
  ASSERT_EQ(view.SelectedRow(), -1);
  Type(TField::Description, "Dusk");
  Save();
  Bytes expected = original;
  PutText(expected, 26, std::string("Dusk") + '\0');
  EXPECT_EQ(File(), expected);
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_TRUE(host.information.empty());

  // A record field typed before choosing a row has no record to go to: it is
  // neither lost silently nor shown as saved.
  Type(TField::X, "7.5");
  Type(TField::Name, "Glade");
  Save();
  PutText(expected, 0, std::string("Glade") + '\0');
  EXPECT_EQ(File(), expected);
  EXPECT_EQ(host.information, std::vector<std::string>{"No Item Selected"});
  EXPECT_EQ(view.Text(TField::X), "7.5");
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Modified);
  EXPECT_EQ(view.Highlight(TField::Name), THighlight::Normal);
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(RecordBytes(session.Document().LoRecordTable[0]), RecordBytes(table_before[0]));
  EXPECT_EQ(RecordBytes(session.Document().LoRecordTable[255]), RecordBytes(table_before[255]));
}

TEST_F(EditingSessionTest, CancelRunsTheRemainingStepsAndAsksToEnd) {
  Open(NumberedRecords(3));
  settings.DeleteSetting("settings", "objdir");
  Click(2);
  Type(TField::Name, "Unsaved");
  host.open_answers.push_back(std::nullopt);
  session.Files().OpenLoFile();

  EXPECT_EQ(host.end_requests, 1);
  EXPECT_EQ(host.lo_prompt.runs(), 1u);
  EXPECT_EQ(host.objdat_prompt.runs(), 2u);  // the empty objdir setting still prompts
  EXPECT_EQ(host.open_requests.back().file_name, lo);
  EXPECT_EQ(view.Text(TField::Name), "Forest");
  EXPECT_EQ(Shown(), "0 0 0 0.0 0.0 0.0 0.0 0");
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(view.ContentsRows().size(), 3u);
  EXPECT_TRUE(session.Document().IsOpen());
}

TEST_F(EditingSessionTest, WithoutAFileCommandsFailWith103BeforeAnythingChanges) {
  Click(0);
  EXPECT_EQ(view.Text(TField::X), "0.00");
  Type(TField::X, "2.5");
  Type(TField::Name, "Kept");
  EXPECT_EQ(MessageOf([&] { Save(); }), "I/O error 103");
  EXPECT_EQ(MessageOf([&] { session.Records().AddObject(); }), "I/O error 103");
  EXPECT_EQ(session.Document().LoRecordTable[0].x, 0.0f);
  EXPECT_EQ(session.Document().NameText(), "");
  EXPECT_EQ(session.Document().LastIndex, 0);
  EXPECT_EQ(view.Text(TField::X), "2.5");
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Modified);
  EXPECT_EQ(view.Highlight(TField::Name), THighlight::Modified);
  EXPECT_TRUE(view.SaveEnabled());

  // A cancel before any file shows the zeroed table with the catalogue's names.
  session.Files().OpenLoFile();
  EXPECT_EQ(host.end_requests, 1);
  EXPECT_EQ(view.WindowCaption(), "Editing ");
  EXPECT_EQ(view.ContentsRows(), std::vector<std::string>{"0;0;0;Marker"});
  EXPECT_EQ(view.RecordCountText(), "#");
}

TEST_F(EditingSessionTest, FailedOpenShowsNoFileAndNeverWritesTheOldDataIntoTheNewFile) {
  // A missing file, one too short for its count (the records it holds are
  // read) and one with a count no Lo file has.
  const std::filesystem::path short_file = dir / "LoShort.dat";
  Bytes short_bytes = LoFileBytes("Short", "", NumberedRecords(2));
  PutU16(short_bytes, 20, 3);
  WriteBytes(short_file, short_bytes);
  const std::filesystem::path bad_count = dir / "LoBadCount.dat";
  Bytes bad_count_bytes = LoFileBytes("Bad", "Count", NumberedRecords(2));
  PutU16(bad_count_bytes, 20, 300);
  WriteBytes(bad_count, bad_count_bytes);
  for (const auto& [path, message] :
       {std::pair{dir / "LoMissing.dat", "File not found"},
        std::pair{short_file, "Read beyond end of file"},
        std::pair{bad_count, "Invalid record count 300: a Lo file holds 0 to 256 records"}}) {
    SCOPED_TRACE(path.string());
    Open(NumberedRecords(3));
    const Bytes original = File();
    Click(1);
    Type(TField::X, "5");
    session.ChooseState(0);
    host.open_answers.push_back(path);
    EXPECT_EQ(MessageOf([&] { session.Files().OpenLoFile(); }), message);
    EXPECT_FALSE(session.Document().IsOpen());
    // The window as at start: the one empty row, zeroed fields, nothing marked.
    EXPECT_EQ(view.ContentsRows(), std::vector<std::string>{""});
    EXPECT_EQ(view.WindowCaption(), "Orvo Lo File Data Editor");
    EXPECT_EQ(view.RecordCountText(), "#");
    EXPECT_FALSE(view.AddRemoveEnabled());
    EXPECT_FALSE(view.SaveEnabled());
    EXPECT_EQ(Shown(), "0 0 0 0.0 0.0 0.0 0.0 0");
    EXPECT_EQ(view.Text(TField::Name) + view.Text(TField::Description), "");
    EXPECT_EQ(view.StateIndex(), 0);
    EXPECT_EQ(view.StateHighlight(), THighlight::Normal);
    for (const TFieldInfo& info : kFieldTable) {
      EXPECT_EQ(view.Highlight(info.field), THighlight::Normal) << info.label;
    }
    Click(0);  // the empty row: a record of zeros, nothing of the old file
    EXPECT_EQ(Shown(), "0 0 0 0.00 0.00 0.00 0.00 0");
    EXPECT_EQ(view.Text(TField::Name), "");
    EXPECT_EQ(MessageOf([&] { Save(); }), "I/O error 103");
    EXPECT_EQ(MessageOf([&] { session.Records().AddObject(); }), "I/O error 103");
    EXPECT_EQ(File(), original);
    EXPECT_EQ(ReadBytes(short_file), short_bytes);
  }
}

TEST_F(EditingSessionTest, EachListIsUpdatedOncePerFillEvenWhenTheCatalogueFailsMidway) {
  std::vector<TestEntry> entries;
  for (std::uint32_t i = 0; i < 512; ++i) entries.push_back({i % 256, i / 256, "Object"});
  WriteCatalogue(dir / "objdat", entries);
  std::map<TAspect, int> updates;
  view.SetListener([&](TViewMember member) { ++updates[member.aspect]; });
  Open(NumberedRecords(256));
  EXPECT_EQ(view.CatalogueRows().size(), 512u);
  EXPECT_EQ(view.CatalogueRows()[300], "300;44;1;Object");
  EXPECT_EQ(updates[TAspect::CatalogueRows], 1);
  // Placeholder names first, then the catalogue's.
  EXPECT_EQ(updates[TAspect::ContentsRows], 2);

  // A names file cut after 100 names: the rows read before the failure show.
  std::filesystem::resize_file(dir / "objdat" / "objdat.nam", 30 * 100);
  updates.clear();
  host.open_answers.push_back(lo);
  EXPECT_EQ(MessageOf([&] { session.Files().OpenLoFile(); }), "Read beyond end of file");
  EXPECT_EQ(view.CatalogueRows().size(), 100u);
  EXPECT_EQ(updates[TAspect::CatalogueRows], 1);

  // A catalogue that cannot be opened leaves the list as it was.
  std::filesystem::remove(dir / "objdat" / "objdat.dat");
  updates.clear();
  host.open_answers.push_back(lo);
  EXPECT_EQ(MessageOf([&] { session.Files().OpenLoFile(); }), "File not found");
  EXPECT_EQ(view.CatalogueRows().size(), 100u);
  EXPECT_EQ(updates[TAspect::CatalogueRows], 0);
}

TEST_F(EditingSessionTest, NamedFileOpensWithoutLoFolderOrDialogButWithTheObjdatFolder) {
  WriteBytes(lo, LoFileBytes("Forest", "North woods", NumberedRecords(3)));
  session.Files().OpenLoFileNamed(lo);

  EXPECT_EQ(host.lo_prompt.runs(), 0u);
  EXPECT_TRUE(host.open_requests.empty());
  EXPECT_EQ(host.objdat_prompt.runs(), 1u);  // none stored yet: asked as usual
  EXPECT_EQ(settings.ReadSetting("settings", "startdir", "none"), "none");
  EXPECT_EQ(view.WindowCaption(), "Editing " + lo.string());
  EXPECT_EQ(view.RecordCountText(), "3");
  EXPECT_EQ(view.Text(TField::Name), "Forest");
  EXPECT_EQ(view.ContentsRows(),
            (std::vector<std::string>{"0;0;0;Marker", "1;1;1;Pine", "2;2;2;Rock"}));
  EXPECT_EQ(host.end_requests, 0);
}

TEST_F(EditingSessionTest, NamedFileThatCannotBeOpenedLeavesNoFileAndTheMenuWorksAfter) {
  const std::filesystem::path missing = dir / "LoMissing.dat";
  EXPECT_EQ(MessageOf([&] { session.Files().OpenLoFileNamed(missing); }), "File not found");
  EXPECT_FALSE(session.Document().IsOpen());
  EXPECT_EQ(view.ContentsRows(), std::vector<std::string>{""});  // as at start
  EXPECT_FALSE(view.AddRemoveEnabled());
  EXPECT_EQ(host.objdat_prompt.runs(), 0u);  // the steps after the failing one do not run

  // "Open a Lo File" then asks for the Lo folder and offers the named file.
  Open(NumberedRecords(2));
  EXPECT_EQ(host.lo_prompt.runs(), 1u);
  EXPECT_EQ(host.open_requests.at(0).file_name, missing);
  EXPECT_EQ(view.RecordCountText(), "2");
  EXPECT_TRUE(session.Document().IsOpen());
}

TEST_F(EditingSessionTest, ATypedRecordNumberGoesToThatRecordWithinTheFile) {
  Open(NumberedRecords(5));
  int record_number_changes = 0;
  view.SetListener([&](TViewMember member) {
    if (member == TViewMember{TAspect::Text, TField::RecordNo}) ++record_number_changes;
  });
  Click(2);
  EXPECT_EQ(record_number_changes, 1);
  Type(TField::X, "9");
  Click(2);  // the row already shown: RecordNo is not replaced, edits are dropped
  EXPECT_EQ(record_number_changes, 1);
  EXPECT_EQ(view.Text(TField::X), "2.25");
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Normal);
  EXPECT_FALSE(view.SaveEnabled());

  for (const auto& [typed, shown] :
       {std::pair{"99", "4"}, {"5", "4"}, {"-3", "0"}, {"3", "3"}, {"", "0"}}) {
    session.TypeText(TField::RecordNo, typed);
    EXPECT_EQ(view.Text(TField::RecordNo), shown) << typed;
    EXPECT_EQ(view.SelectedRow(), std::stoi(shown));
    EXPECT_EQ(view.Text(TField::Density), shown);
  }
  host.visible = false;
  session.TypeText(TField::RecordNo, "3");
  EXPECT_EQ(view.SelectedRow(), 0);
}

TEST_F(EditingSessionTest, DecimalSeparatorAppliesBothWays) {
  Open(NumberedRecords(2));
  session.View().SetDecimalSeparator(',');
  Click(1);
  EXPECT_EQ(view.Text(TField::X), "1,25");
  Type(TField::X, "2.5");
  EXPECT_EQ(MessageOf([&] { Save(); }), "'2.5' is not a valid floating point value");
  Type(TField::X, "2,5");
  Save();
  EXPECT_EQ(Slice(File(), 123, 4), FloatBytes(2.5f));
  // The zeros that Add Object puts in the fields must read back under this separator too.
  session.Records().AddObject();
  EXPECT_EQ(view.Text(TField::X), "0,0");
  EXPECT_EQ(Slice(File(), 140, 20), Bytes(20, 0));
}

}  // namespace

namespace {

TEST_F(EditingSessionTest, AFileReplacedOrDeletedSinceItWasOpenedIsNotWrittenAndTheEditsStay) {
  const std::string message =
      lo.string() + " was replaced or deleted since it was opened; open it again";
  // Copied over itself (a new file under the old name), then deleted.
  for (bool deleted : {false, true}) {
    SCOPED_TRACE(deleted ? "deleted" : "replaced");
    Open(NumberedRecords(3));
    const Bytes original = File();
    const std::filesystem::path copy = dir / "copy.tmp";
    std::filesystem::copy_file(lo, copy);
    if (deleted) {
      std::filesystem::remove(lo);
    } else {
      std::filesystem::rename(copy, lo);
    }
    Click(2);
    Type(TField::X, "7.5");
    EXPECT_EQ(MessageOf([&] { Save(); }), message);
    EXPECT_EQ(MessageOf([&] { session.Records().AddObject(); }), message);
    Click(2);
    EXPECT_EQ(MessageOf([&] { session.Records().RemoveLastObject(); }), message);
    Type(TField::X, "7.5");
    EXPECT_EQ(MessageOf([&] { Save(); }), message);
    EXPECT_EQ(view.Text(TField::X), "7.5");
    EXPECT_EQ(view.Highlight(TField::X), THighlight::Modified);
    EXPECT_TRUE(view.SaveEnabled());
    EXPECT_EQ(session.Document().LastIndex, 2);
    if (!deleted) {
      EXPECT_EQ(File(), original);
    }
    std::filesystem::remove(copy);
  }
}

TEST_F(EditingSessionTest, AFileOpenInAnotherEditorIsReportedOnceAndOpensAllTheSame) {
  WriteBytes(lo, LoFileBytes("Shared", "", NumberedRecords(2)));
  TLoDocument other_editor;
  other_editor.Open(lo);
  Open(NumberedRecords(2), "Shared");
  EXPECT_EQ(
      host.information,
      std::vector<std::string>{
          lo.string() + " is open in another Lo editor; saving in both may overwrite changes"});
  EXPECT_TRUE(session.Document().IsOpen());
  EXPECT_EQ(view.ContentsRows().size(), 2u);

  // Once the other editor has closed it, opening it again says nothing.
  other_editor.Close();
  Open(NumberedRecords(2), "Shared");
  EXPECT_EQ(host.information.size(), 1u);
}

}  // namespace
