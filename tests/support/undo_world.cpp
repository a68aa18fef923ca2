#include "support/undo_world.h"

#include <gtest/gtest.h>

#include "editor/number_text.h"

StepHistory::StepHistory(RecordEditor& editor) : editor_(editor) {
  editor_.SetStepListener([this](TWriteStep step) {
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    ++done_;
  });
}

void StepHistory::Undo() {
  editor_.UndoStep(steps_[done_ - 1]);
  --done_;
}

void StepHistory::Redo() {
  editor_.RedoStep(steps_[done_]);
  ++done_;
}

UndoWorld::UndoWorld(int records) {
  WriteCatalogue(objdat, {{0, 0, "Marker"}, {1, 1, "Pine"}, {2, 2, "Rock"}});
  WriteBytes(lo, LoFileBytes("Forest", "North woods", NumberedRecords(records)));
  // Both folders known already: opening writes no settings.
  WriteText(dir / "zodaZa.INI",
            "[settings]\nstartdir=" + dir.path().string() + "\nobjdir=" + objdat.string() + "\n");
  Open();
}

void UndoWorld::Open() {
  host.open_answers.push_back(lo);
  editor.OpenLoFile();
}

void UndoWorld::Click(int row) {
  editor.View().SetSelectedRowFromUser(row);
  editor.ShowRecord();
}

void UndoWorld::Type(TField field, const std::string& text) {
  editor.View().SetTextFromUser(field, text);
  editor.MarkFieldModified(field);
}

void UndoWorld::SetUpBackups(std::time_t opened_at) {
  editor.Backups().SetFolder(backups);
  editor.Backups().SetClock([opened_at] { return opened_at; });
  Open();
}

namespace {
int CountIn(const Bytes& file) { return static_cast<std::int16_t>(file[20] | file[21] << 8); }
}  // namespace

void ExpectCountAgreesWithFile(const RecordEditor& editor) {
  const TLoDocument& document = editor.Document();
  ASSERT_TRUE(document.IsOpen());
  const Bytes file = ReadBytes(document.Path());
  const int count = CountIn(file);
  ASSERT_GE(file.size(), 100u + 20u * static_cast<std::size_t>(count))
      << "the count names a record the file lacks";
  EXPECT_EQ(document.LastIndex + 1, count);
  EXPECT_EQ(static_cast<int>(editor.View().ContentsRows().size()), count);
  EXPECT_EQ(editor.View().RecordCountText(), IntegerText(count));
}

void ExpectAgreesWithFile(const RecordEditor& editor) {
  ExpectCountAgreesWithFile(editor);
  if (::testing::Test::HasFatalFailure()) return;
  const TLoDocument& document = editor.Document();
  const Bytes file = ReadBytes(document.Path());
  const int count = CountIn(file);
  EXPECT_EQ(Bytes(document.header.name.begin(), document.header.name.end()), Slice(file, 0, 20));
  EXPECT_EQ(Bytes(document.header.description.begin(), document.header.description.begin() + 74),
            Slice(file, 26, 74));
  for (int i = 0; i < count; ++i) {
    ASSERT_EQ(RecordBytes(document.LoRecordTable[static_cast<std::size_t>(i)]),
              Slice(file, 100 + 20 * static_cast<std::size_t>(i), 20))
        << "record " << i;
  }
  const int row = editor.View().SelectedRow();
  if (row >= 0 && !editor.View().SaveEnabled()) {
    ASSERT_LT(row, count);
    const TLoRecord& record = document.LoRecordTable[static_cast<std::size_t>(row)];
    EXPECT_EQ(editor.View().Text(TField::RecordNo), IntegerText(row));
    // A saved 300 still shows as typed; it stores 44.
    EXPECT_EQ(ParseByte(editor.View().Text(TField::Class)), record.object_class);
    // Shown rounded to two decimals, or "0.0" for a new record.
    EXPECT_EQ(FormatFixed2(ParseFloat(editor.View().Text(TField::X), editor.DecimalSeparator()),
                           editor.DecimalSeparator()),
              FormatFixed2(record.x, editor.DecimalSeparator()));
    EXPECT_EQ(editor.View().Text(TField::Name), document.NameText());
  }
}
