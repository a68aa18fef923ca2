#include "editor/record_editor.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <limits>

#include "editor/lo_test_files.h"
#include "editor/scripted_host.h"
#include "errors/app_error.h"
#include "platform/binary_file.h"
#include "settings/profile_store.h"

namespace {

template <typename Error>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

int IoCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const InOutError& error) {
    return error.code();
  }
  return 0;
}

Bytes FloatBytes(float value) {
  Bytes bytes(4, 0);
  PutF32(bytes, 0, value);
  return bytes;
}

const std::vector<TestEntry> kCatalogue = {{0, 0, "Marker"}, {1, 1, "Pine"}, {2, 2, "Rock"}};

class RecordEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.lo_prompt.answer = dir.path().string();
    host.objdat_prompt.answer = (dir / "objdat").string();
    WriteCatalogue(dir / "objdat", kCatalogue);
  }
  void TearDown() override { file_faults::Reset(); }

  void Open(const std::vector<TestRecord>& records, const std::string& name = "Forest",
            const std::string& description = "North woods") {
    WriteBytes(lo_path, LoFileBytes(name, description, records));
    host.open_answers.push_back(lo_path);
    editor.OpenLoFile();
  }
  // What the window does when the user chooses a row.
  void Click(int row) {
    view.SetSelectedRowFromUser(row);
    editor.ShowRecord();
  }
  // What the window does when the user edits a field.
  void Type(TField field, const std::string& text) {
    view.SetTextFromUser(field, text);
    editor.MarkFieldModified(field);
  }
  void Save() { editor.CommitRecord(TCommitTarget::SelectedRow); }
  Bytes FileBytes() const { return ReadBytes(lo_path); }

  TempDir dir;
  ruriVizid settings{dir / "zodaZa.INI"};
  ScriptedHost host;
  RecordEditor editor{settings, host};
  TEditorView& view = editor.View();
  std::filesystem::path lo_path = dir / "LoTest.dat";
};

TEST_F(RecordEditorTest, OpenShowsHeaderAndListsButZerosUntilARowIsChosen) {
  auto records = NumberedRecords(4);
  records[0].object_class = 7;
  Open(records);

  EXPECT_EQ(host.startup_hides, 1);
  ASSERT_EQ(host.open_requests.size(), 1u);
  EXPECT_EQ(host.open_requests[0].title, "Choose a Lo File to Edit");
  EXPECT_EQ(host.open_requests[0].filter, "Lo Files|Lo*.dat|Dat Files|*.dat");
  EXPECT_EQ(host.open_requests[0].default_extension, "dat");
  EXPECT_EQ(host.open_requests[0].initial_folder, dir.path().string());
  EXPECT_EQ(settings.ReadSetting("settings", "startdir", ""), dir.path().string());

  EXPECT_EQ(view.Text(TField::Name), "Forest");
  EXPECT_EQ(view.Text(TField::Description), "North woods");
  EXPECT_EQ(view.RecordCountText(), "4");
  EXPECT_EQ(view.WindowCaption(), "Editing " + lo_path.string());
  EXPECT_TRUE(view.AddRemoveEnabled());
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_EQ(view.Text(TField::Class), "0");
  EXPECT_EQ(view.Text(TField::X), "0.0");
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(view.ContentsRows(),
            (std::vector<std::string>{"0;7;0;Requires Object Data File", "1;1;1;Pine", "2;2;2;Rock",
                                      "3;3;0;Requires Object Data File"}));
  EXPECT_EQ(view.CatalogueRows(),
            (std::vector<std::string>{"0;0;0;Marker", "1;1;1;Pine", "2;2;2;Rock"}));

  Click(0);
  EXPECT_EQ(view.Text(TField::Class), "7");
  EXPECT_EQ(view.Text(TField::X), "0.25");
  EXPECT_EQ(view.Text(TField::R), "90.00");
  Click(1);
  EXPECT_EQ(view.Text(TField::RecordNo), "1");
  EXPECT_EQ(view.Text(TField::Type), "1");
  EXPECT_EQ(view.Text(TField::X), "1.25");
  EXPECT_EQ(view.Text(TField::Y), "-1.00");
  EXPECT_EQ(view.Text(TField::Z), "10.00");
  EXPECT_EQ(view.Text(TField::Density), "1");
  EXPECT_EQ(view.StateIndex(), 1);
}

TEST_F(RecordEditorTest, RemoveNeedsTheLastRowAndKeepsTheRecordBytes) {
  Open(NumberedRecords(10));
  const Bytes original = FileBytes();

  Click(3);
  editor.RemoveLastObject();
  EXPECT_EQ(host.information, std::vector<std::string>{"No Item Selected"});
  EXPECT_EQ(FileBytes(), original);
  EXPECT_EQ(view.ContentsRows().size(), 10u);

  Click(9);
  editor.RemoveLastObject();
  Bytes expected = original;
  PutU16(expected, 20, 9);  // only the count changes; record 9 stays behind it
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_EQ(view.ContentsRows().size(), 9u);
  EXPECT_EQ(view.SelectedRow(), 8);
  EXPECT_EQ(view.RecordCountText(), "9");
  EXPECT_EQ(view.Text(TField::RecordNo), "8");
  EXPECT_EQ(view.Text(TField::Class), "1");
  EXPECT_EQ(host.information.size(), 1u);
}

TEST_F(RecordEditorTest, RemovingTheOnlyRecordTouchesNoRecordBytes) {
  Open(NumberedRecords(1));
  const Bytes original = FileBytes();
  Click(0);
  editor.RemoveLastObject();
  Bytes expected = original;
  PutU16(expected, 20, 0);
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_TRUE(view.ContentsRows().empty());
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(view.RecordCountText(), "0");
  editor.RemoveLastObject();
  EXPECT_EQ(host.information, std::vector<std::string>{"No Item Selected"});
}

TEST_F(RecordEditorTest, AddAppendsAZeroedRecordAndRewritesTheHeaderTexts) {
  Open(NumberedRecords(5));
  const Bytes original = FileBytes();
  Type(TField::Name, "Lake");
  editor.AddObject();

  Bytes expected = original;
  expected.resize(220, 0);
  PutU16(expected, 20, 6);
  PutText(expected, 0, std::string("Lake") + '\0');
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_EQ(view.ContentsRows().size(), 6u);
  EXPECT_EQ(view.ContentsRows().back(), "5;0;0;Marker");
  EXPECT_EQ(view.SelectedRow(), 5);
  EXPECT_EQ(view.Text(TField::RecordNo), "5");
  EXPECT_EQ(view.RecordCountText(), "6");
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::Name), THighlight::Normal);
}

TEST_F(RecordEditorTest, AddWritesTheCountOnlyAfterTheRecord) {
  Open(NumberedRecords(5));
  const Bytes original = FileBytes();

  file_faults::FailOperation(1, 101);  // the record's first field
  EXPECT_EQ(IoCodeOf([&] { editor.AddObject(); }), 101);
  EXPECT_EQ(FileBytes(), original);
  EXPECT_EQ(editor.Document().LastIndex, 4);

  file_faults::Reset();
  file_faults::FailOperation(11, 101);  // 8 record fields, 2 header texts, then the count
  EXPECT_EQ(IoCodeOf([&] { editor.AddObject(); }), 101);
  const Bytes after_failure = FileBytes();
  EXPECT_EQ(Slice(after_failure, 20, 22), Slice(original, 20, 22));
  EXPECT_EQ(editor.Document().LastIndex, 4);

  file_faults::Reset();
  editor.AddObject();
  Bytes expected = original;
  expected.resize(220, 0);
  PutU16(expected, 20, 6);
  EXPECT_EQ(FileBytes(), expected);
}

TEST_F(RecordEditorTest, AddRefusesAFullTable) {
  Open(NumberedRecords(256));
  const Bytes original = FileBytes();
  Click(255);
  editor.AddObject();
  EXPECT_EQ(host.information, std::vector<std::string>{"A Lo file holds at most 256 records"});
  EXPECT_EQ(FileBytes(), original);
  EXPECT_EQ(view.ContentsRows().size(), 256u);
  EXPECT_EQ(view.SelectedRow(), 255);
  EXPECT_EQ(editor.Document().LastIndex, 255);
}

TEST_F(RecordEditorTest, CommitStoresLowBytesAndTheChosenState) {
  auto records = NumberedRecords(3);
  records[1].state = 2;
  Open(records);
  Click(1);
  EXPECT_EQ(view.StateIndex(), 1);
  Type(TField::Class, "300");
  Type(TField::Type, "-1");
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::Class), THighlight::Modified);
  Save();

  const Bytes bytes = FileBytes();
  EXPECT_EQ(bytes[120], 44);
  EXPECT_EQ(bytes[121], 255);
  EXPECT_EQ(bytes[122], 1);
  EXPECT_EQ(view.ContentsRows()[1], "1;44;255;Requires Object Data File");
  EXPECT_EQ(view.SelectedRow(), 1);
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::Class), THighlight::Normal);
}

TEST_F(RecordEditorTest, CommitWritesFloatsAsShown) {
  auto records = NumberedRecords(2);
  records[0].x = 1.005f;
  records[0].y = 0.125f;
  Open(records);
  Click(0);
  EXPECT_EQ(view.Text(TField::X), "1.00");
  EXPECT_EQ(view.Text(TField::Y), "0.13");
  Save();
  const Bytes bytes = FileBytes();
  EXPECT_EQ(Slice(bytes, 103, 107), FloatBytes(1.0f));
  EXPECT_EQ(Slice(bytes, 107, 111), FloatBytes(0.13f));
}

TEST_F(RecordEditorTest, BadNumberStopsTheCommitAtThatFieldAndWritesNothing) {
  Open(NumberedRecords(3));
  const Bytes original = FileBytes();
  Click(1);
  Type(TField::Name, "Renamed");
  Type(TField::X, "7.5");
  Type(TField::Density, "");
  EXPECT_EQ(MessageOf<ConvertError>([&] { Save(); }), "'' is not a valid integer value");
  EXPECT_EQ(FileBytes(), original);
  EXPECT_EQ(editor.Document().NameText(), "Renamed");  // converted before the failure
  EXPECT_EQ(editor.Document().LoRecordTable[1].x, 7.5f);
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Normal);
  EXPECT_EQ(view.Highlight(TField::Density), THighlight::Modified);

  Type(TField::Density, "2.5");
  EXPECT_EQ(MessageOf<ConvertError>([&] { Save(); }), "'2.5' is not a valid integer value");
  EXPECT_EQ(FileBytes(), original);
}

TEST_F(RecordEditorTest, InfinityShowsButCannotBeCommittedUnchanged) {
  auto records = NumberedRecords(1);
  records[0].x = std::numeric_limits<float>::infinity();
  Open(records);
  const Bytes original = FileBytes();
  Click(0);
  EXPECT_EQ(view.Text(TField::X), "INF");
  EXPECT_EQ(MessageOf<ConvertError>([&] { Save(); }), "'INF' is not a valid floating point value");
  EXPECT_EQ(FileBytes(), original);
}

TEST_F(RecordEditorTest, SignallingNaNStopsShowRecordAfterTheFieldsBeforeIt) {
  auto records = NumberedRecords(2);
  records[1].y = std::bit_cast<float>(0x7F800001u);
  Open(records);
  Click(0);
  EXPECT_EQ(MessageOf<FloatError>([&] { Click(1); }), "Invalid floating point operation");
  EXPECT_EQ(view.Text(TField::RecordNo), "1");
  EXPECT_EQ(view.Text(TField::Class), "1");
  EXPECT_EQ(view.Text(TField::X), "1.25");
  EXPECT_EQ(view.Text(TField::Y), "0.00");  // still record 0's
  EXPECT_EQ(view.Text(TField::Z), "0.00");
}

TEST_F(RecordEditorTest, CutLongValuesGoBackUnchangedUnlessEdited) {
  auto records = NumberedRecords(1);
  records[0].x = -123456789.0f;
  records[0].y = 1.2345679e10f;
  records[0].z = 123456789.0f;  // "1.2345679E8" fits: written back as shown
  Open(records);
  const Bytes original = FileBytes();
  Click(0);
  EXPECT_EQ(view.Text(TField::X), "-1.2345679E");
  EXPECT_EQ(view.Text(TField::Y), "1.2345679E1");
  Save();
  Bytes bytes = FileBytes();
  EXPECT_EQ(Slice(bytes, 103, 111), Slice(original, 103, 111));
  EXPECT_EQ(Slice(bytes, 111, 115), FloatBytes(123456790.0f));

  Type(TField::X, "5");
  Type(TField::X, "-1.2345679E");  // typed back to what was shown: still the stored value
  Type(TField::Y, "12");
  Save();
  bytes = FileBytes();
  EXPECT_EQ(Slice(bytes, 103, 107), Slice(original, 103, 107));
  EXPECT_EQ(Slice(bytes, 107, 111), FloatBytes(12.0f));
}

TEST_F(RecordEditorTest, CommitWithoutASelectedRowWritesOnlyTheHeaderTexts) {
  Open(NumberedRecords(3));
  const Bytes original = FileBytes();
  const auto table_before = editor.Document().LoRecordTable;
  ASSERT_EQ(view.SelectedRow(), -1);
  Type(TField::Class, "");
  EXPECT_EQ(MessageOf<ConvertError>([&] { Save(); }), "'' is not a valid integer value");
  EXPECT_EQ(FileBytes(), original);

  Type(TField::Class, "9");
  Type(TField::Description, "Dusk");
  Save();
  Bytes expected = original;
  PutText(expected, 26, std::string("Dusk") + '\0');
  EXPECT_EQ(FileBytes(), expected);
  for (int i = 0; i < kLoRecordCapacity; ++i) {
    EXPECT_EQ(editor.Document().LoRecordTable[i].object_class, table_before[i].object_class);
  }
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_FALSE(view.SaveEnabled());
}

TEST_F(RecordEditorTest, CancelRunsTheRemainingStepsAndAsksToEnd) {
  Open(NumberedRecords(3));
  EXPECT_EQ(host.objdat_prompt.runs, 1);
  settings.DeleteSetting("settings", "objdir");
  Click(2);
  Type(TField::Name, "Unsaved");
  host.open_answers.push_back(std::nullopt);
  editor.OpenLoFile();

  EXPECT_EQ(host.end_requests, 1);
  EXPECT_EQ(host.lo_prompt.runs, 1);
  EXPECT_EQ(host.objdat_prompt.runs, 2);  // the empty objdir setting still prompts
  EXPECT_EQ(host.open_requests.back().file_name, lo_path);
  EXPECT_EQ(view.Text(TField::Name), "Forest");
  EXPECT_EQ(view.Text(TField::Class), "0");
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(view.ContentsRows().size(), 3u);
  EXPECT_EQ(view.WindowCaption(), "Editing " + lo_path.string());
  EXPECT_TRUE(editor.Document().IsOpen());
}

TEST_F(RecordEditorTest, CancelBeforeAnyFileShowsTheZeroedTable) {
  host.open_answers.push_back(std::nullopt);
  editor.OpenLoFile();
  EXPECT_EQ(host.end_requests, 1);
  EXPECT_EQ(view.WindowCaption(), "Editing ");
  EXPECT_EQ(view.ContentsRows(), std::vector<std::string>{"0;0;0;Marker"});
  EXPECT_EQ(view.CatalogueRows().size(), 3u);
  EXPECT_EQ(view.RecordCountText(), "#");
}

TEST_F(RecordEditorTest, FailedOpenKeepsTheOldRowsWithNoFileOpen) {
  Open(NumberedRecords(3));
  const Bytes original = FileBytes();
  const auto rows = view.ContentsRows();
  host.open_answers.push_back(dir / "LoMissing.dat");
  EXPECT_EQ(IoCodeOf([&] { editor.OpenLoFile(); }), 2);
  EXPECT_EQ(view.ContentsRows(), rows);
  EXPECT_EQ(view.WindowCaption(), "Editing " + lo_path.string());
  EXPECT_FALSE(editor.Document().IsOpen());

  Click(1);
  EXPECT_EQ(IoCodeOf([&] { Save(); }), 103);
  EXPECT_EQ(FileBytes(), original);
}

TEST_F(RecordEditorTest, WithoutAFileTheZeroRowShowsAndCommitsFailWith103) {
  Click(0);
  EXPECT_EQ(view.Text(TField::X), "0.00");
  EXPECT_EQ(view.Text(TField::Name), "");
  Type(TField::X, "2.5");
  EXPECT_EQ(IoCodeOf([&] { Save(); }), 103);
  EXPECT_EQ(editor.Document().LoRecordTable[0].x, 2.5f);  // memory was updated first
}

TEST_F(RecordEditorTest, RecordNumberChangesNestGotoRecordNumber) {
  Open(NumberedRecords(5));
  int record_number_changes = 0;
  view.SetListener([&](TViewMember member) {
    if (member == TViewMember::RecordNo) ++record_number_changes;
  });

  Click(2);
  EXPECT_EQ(record_number_changes, 1);
  Type(TField::X, "9");
  Click(2);  // the row already shown: RecordNo is not replaced, edits are dropped
  EXPECT_EQ(record_number_changes, 1);
  EXPECT_EQ(view.Text(TField::X), "2.25");
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Normal);
  EXPECT_FALSE(view.SaveEnabled());

  view.SetText(TField::RecordNo, "99");  // beyond the last record
  EXPECT_EQ(view.Text(TField::RecordNo), "4");
  EXPECT_EQ(view.SelectedRow(), 4);
  EXPECT_EQ(view.Text(TField::Class), "4");
  view.SetText(TField::RecordNo, "-3");
  EXPECT_EQ(view.Text(TField::RecordNo), "0");
  EXPECT_EQ(view.SelectedRow(), 0);
  view.SetText(TField::RecordNo, "");
  EXPECT_EQ(view.Text(TField::RecordNo), "0");

  host.visible = false;
  view.SetText(TField::RecordNo, "3");
  EXPECT_EQ(view.SelectedRow(), 0);
  EXPECT_EQ(view.Text(TField::Class), "0");
}

TEST_F(RecordEditorTest, DecimalSeparatorAppliesBothWays) {
  Open(NumberedRecords(2));
  editor.SetDecimalSeparator(',');
  Click(1);
  EXPECT_EQ(view.Text(TField::X), "1,25");
  Type(TField::X, "2.5");
  EXPECT_EQ(MessageOf<ConvertError>([&] { Save(); }), "'2.5' is not a valid floating point value");
  Type(TField::X, "2,5");
  Save();
  EXPECT_EQ(Slice(FileBytes(), 123, 127), FloatBytes(2.5f));
  // The zeros that Add Object puts in the fields must read back under this separator too.
  editor.AddObject();
  EXPECT_EQ(view.Text(TField::X), "0,0");
  EXPECT_EQ(Slice(FileBytes(), 140, 160), Bytes(20, 0));
}

TEST_F(RecordEditorTest, StateChoiceAndCloseEnd) {
  Open(NumberedRecords(2));
  Click(0);
  view.SetStateIndexFromUser(1);
  editor.MarkStateModified();
  EXPECT_EQ(view.StateHighlight(), THighlight::Modified);
  EXPECT_TRUE(view.SaveEnabled());
  Save();
  EXPECT_EQ(FileBytes()[102], 1);
  EXPECT_EQ(view.StateHighlight(), THighlight::Normal);

  editor.CloseLoFile();
  EXPECT_FALSE(editor.Document().IsOpen());
  EXPECT_EQ(host.end_requests, 1);
}

}  // namespace
