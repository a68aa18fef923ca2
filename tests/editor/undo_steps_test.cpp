// Each kind of step: its caption, what Undo and Redo write, and what they
// refuse to write when another program changed the file since.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "editor/number_text.h"
#include "platform/file_faults.h"
#include "support/editor_world.h"
#include "support/file_agreement.h"

namespace {

namespace fs = std::filesystem;

struct CaptionCase {
  const char* name;
  std::function<void(EditorWorld&)> run;
  TStepKind kind;
  std::string description;
  int row_before, row_after;
};

class StepCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(StepCaption, NamesTheCommandAndItsRows) {
  const CaptionCase& c = GetParam();
  EditorWorld w(10);
  c.run(w);
  ASSERT_FALSE(w.history.Steps().empty());
  const TWriteStep& step = w.history.Steps()[0];
  EXPECT_EQ(step.kind, c.kind);
  EXPECT_EQ(step.description, c.description);
  EXPECT_EQ(step.row_before, c.row_before);
  EXPECT_EQ(step.row_after, c.row_after);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, StepCaption,
    ::testing::Values(CaptionCase{"Save",
                                  [](EditorWorld& w) {
                                    w.Click(7);
                                    w.Type(TField::Class, "3");
                                    w.Save();
                                  },
                                  TStepKind::Save, "Save of record 7", 7, 7},
                      CaptionCase{"SaveUnchanged",
                                  [](EditorWorld& w) {
                                    w.Click(7);
                                    w.Save();
                                  },
                                  TStepKind::Save, "Save of record 7", 7, 7},
                      CaptionCase{"Move",
                                  [](EditorWorld& w) {
                                    w.Click(3);
                                    w.session.Placing().MoveSelectedRecord(12.5, -4);
                                    w.Save();
                                  },
                                  TStepKind::Move, "Move of record 3", 3, 3},
                      CaptionCase{"PositionTyped",
                                  [](EditorWorld& w) {
                                    w.Click(3);
                                    w.Type(TField::X, "12.5");
                                    w.Save();
                                  },
                                  TStepKind::Save, "Save of record 3", 3, 3},
                      CaptionCase{"MoveAndRename",
                                  [](EditorWorld& w) {
                                    w.Click(3);
                                    w.session.Placing().MoveSelectedRecord(12.5, -4);
                                    w.Type(TField::Name, "Glade");
                                    w.Save();
                                  },
                                  TStepKind::Save, "Save of record 3", 3, 3},
                      CaptionCase{"HeaderOnly",
                                  [](EditorWorld& w) {
                                    w.Type(TField::Description, "Dusk");
                                    w.Save();
                                  },
                                  TStepKind::Save, "Save of the name and description", -1, -1},
                      CaptionCase{"Add", [](EditorWorld& w) { w.session.Records().AddObject(); },
                                  TStepKind::AddObject, "Add Object", 9, 10},
                      CaptionCase{"Remove",
                                  [](EditorWorld& w) {
                                    w.Click(9);
                                    w.session.Records().RemoveLastObject();
                                  },
                                  TStepKind::RemoveObject, "Remove Object", 9, 8},
                      CaptionCase{"EditsLeftForAnotherRow",
                                  [](EditorWorld& w) {
                                    w.Click(7);
                                    w.Type(TField::X, "5");
                                    w.Click(2);
                                  },
                                  TStepKind::DroppedEdits, "edits of record 7", 7, 2},
                      CaptionCase{"EditsLeftForATypedRecordNumber",
                                  [](EditorWorld& w) {
                                    w.Click(7);
                                    w.Type(TField::X, "5");
                                    w.session.TypeText(TField::RecordNo, "4");
                                  },
                                  TStepKind::DroppedEdits, "edits of record 7", 7, 4},
                      CaptionCase{"EditsLeftForAddObject",
                                  [](EditorWorld& w) {
                                    w.Click(7);
                                    w.Type(TField::X, "5");
                                    w.session.Records().AddObject();
                                    w.undo.Undo();  // the Add, leaving the edits on top
                                  },
                                  TStepKind::DroppedEdits, "edits of record 7", 7, 10}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(UndoSteps, NothingWrittenNoStep) {
  EditorWorld w(4);
  w.Click(1);
  w.Type(TField::Density, "2.5");
  EXPECT_NE(MessageOf([&] { w.Save(); }), "no error");
  w.Click(3);
  w.session.Records().RemoveLastObject();  // row 3 of 4 is the last: a step
  w.Click(0);
  w.session.Records().RemoveLastObject();   // "No Item Selected": none
  ASSERT_EQ(w.history.Steps().size(), 2u);  // the edits of record 1, the Remove
  EXPECT_EQ(w.history.Steps()[0].kind, TStepKind::DroppedEdits);
  EXPECT_EQ(w.history.Steps().back().kind, TStepKind::RemoveObject);
}

TEST(UndoSteps, DroppedEditsComeBackAndCanBeSaved) {
  EditorWorld w(10);
  w.Click(7);
  w.Type(TField::X, "5.5");
  w.Type(TField::Name, "Glade");
  w.session.ChooseState(0);
  w.Click(2);
  EXPECT_FALSE(w.session.View().SaveEnabled());

  w.undo.Undo();
  const TEditorView& view = w.session.View();
  EXPECT_EQ(view.SelectedRow(), 7);
  EXPECT_EQ(view.Text(TField::RecordNo), "7");
  EXPECT_EQ(view.Text(TField::X), "5.5");
  EXPECT_EQ(view.Text(TField::Name), "Glade");
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Modified);
  EXPECT_EQ(view.Highlight(TField::Name), THighlight::Modified);
  EXPECT_EQ(view.Highlight(TField::Y), THighlight::Normal);
  EXPECT_EQ(view.StateIndex(), 0);
  EXPECT_EQ(view.StateHighlight(), THighlight::Modified);
  EXPECT_TRUE(view.SaveEnabled());

  w.undo.Redo();
  EXPECT_EQ(view.SelectedRow(), 2);
  EXPECT_EQ(view.Text(TField::Name), "Forest");
  EXPECT_FALSE(view.SaveEnabled());

  w.undo.Undo();
  w.Save();
  const Bytes file = w.File();
  EXPECT_EQ(Slice(file, 100 + 20 * 7 + 3, 4), FloatBytes(5.5f));
  EXPECT_EQ(file[100 + 20 * 7 + 2], 0);  // the state chosen
  EXPECT_EQ(Slice(file, 0, 6), (Bytes{'G', 'l', 'a', 'd', 'e', 0}));
}

// What another program changes after a Save of record 7 (X 7.25 -> 1.5, the
// name Forest -> Glade), and what Undo then says.
struct OutsideChange {
  const char* name;
  std::function<void(Bytes&)> change;
  std::string part;
};

class OutsideChangeRefused : public ::testing::TestWithParam<OutsideChange> {};

TEST_P(OutsideChangeRefused, NothingIsWrittenAndTheStepStays) {
  EditorWorld w(10);
  const Bytes opened = w.File();
  w.Click(7);
  w.Type(TField::X, "1.5");
  w.Type(TField::Name, "Glade");
  w.Type(TField::Density, "9");
  w.Save();
  const Bytes saved = w.File();
  Bytes changed = saved;
  GetParam().change(changed);
  WriteBytes(w.lo, changed);

  EXPECT_EQ(MessageOf([&] { w.undo.Undo(); }),
            GetParam().part + " of LoTest.dat was changed outside the editor; nothing was undone");
  EXPECT_EQ(w.File(), changed);
  ASSERT_TRUE(w.undo.CanUndo());

  // Once the other program's change is gone, the same step undoes; a change
  // to what it overwrote then stops its Redo.
  WriteBytes(w.lo, saved);
  w.undo.Undo();
  EXPECT_EQ(w.File(), opened);
  changed = opened;
  GetParam().change(changed);
  WriteBytes(w.lo, changed);
  EXPECT_EQ(MessageOf([&] { w.undo.Redo(); }),
            GetParam().part + " of LoTest.dat was changed outside the editor; nothing was redone");
  EXPECT_EQ(w.File(), changed);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, OutsideChangeRefused,
    ::testing::Values(
        OutsideChange{"RecordField", [](Bytes& b) { b[100 + 20 * 7 + 5] ^= 0x40; }, "Record 7"},
        // The last byte of a write: X's sign byte, the one-byte density.
        OutsideChange{"SignOfX", [](Bytes& b) { b[100 + 20 * 7 + 6] ^= 0x80; }, "Record 7"},
        OutsideChange{"Density", [](Bytes& b) { b[100 + 20 * 7 + 19] ^= 0x01; }, "Record 7"},
        OutsideChange{"Name", [](Bytes& b) { b[2] ^= 0x20; }, "The Lo file name"},
        OutsideChange{"Description", [](Bytes& b) { b[30] ^= 0x20; }, "The Lo file description"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(UndoSteps, ALongerFileIsRefusedAndAReplacedOneTold) {
  EditorWorld w(3);
  w.session.Records().AddObject();
  Bytes longer = w.File();
  longer.push_back(7);
  WriteBytes(w.lo, longer);
  EXPECT_EQ(MessageOf([&] { w.undo.Undo(); }),
            "The length of LoTest.dat was changed outside the editor; nothing was undone");
  EXPECT_EQ(w.File(), longer);

  fs::remove(w.lo);
  WriteBytes(w.lo, longer);
  EXPECT_EQ(MessageOf([&] { w.undo.Undo(); }),
            w.lo.string() + " was replaced or deleted since it was opened; open it again");
  EXPECT_EQ(w.File(), longer);
}

TEST(UndoSteps, UndoOfASaveMakesTheSameFileCallsAsTheSave) {
  EditorWorld w(10);
  w.Click(4);
  w.Type(TField::X, "2");
  file_faults::Reset();
  w.Save();
  std::vector<FileOperation> save = file_faults::Operations();
  file_faults::Reset();
  w.undo.Undo();
  std::vector<FileOperation> undo = file_faults::Operations();
  file_faults::Reset();
  const auto count = [](const std::vector<FileOperation>& operations, FileOperation kind) {
    return std::count(operations.begin(), operations.end(), kind);
  };
  EXPECT_EQ(count(save, FileOperation::Write), 10);  // one per field
  // Only X changed: the undo writes its bytes back and leaves the rest.
  EXPECT_EQ(count(undo, FileOperation::Write), 1);
  EXPECT_EQ(count(undo, FileOperation::Read), count(save, FileOperation::Read));
  EXPECT_LE(undo.size(), save.size());
}

// Another program wrote the saved X's old bytes back: Undo finds them in
// place, memory and the fields take them, and a Save of another field does
// not bring the undone X back.
TEST(UndoSteps, BytesPutBackOutsideAreWhatMemoryHoldsAfterTheUndo) {
  EditorWorld w(10);
  const Bytes opened = w.File();
  w.Click(7);
  w.Type(TField::X, "1.5");
  w.Save();
  WriteBytes(w.lo, opened);
  w.Undo();
  EXPECT_EQ(w.File(), opened);
  EXPECT_EQ(w.view.Text(TField::X), "7.25");
  ExpectAgreesWithFile(w.session);
  w.Type(TField::Density, "9");
  w.Save();
  EXPECT_EQ(Slice(w.File(), 100 + 20 * 7 + 3, 4), FloatBytes(7.25f));
}

// Records appended by taking a compared file's differences, then taken back:
// the fields, the list and the map show a record the file holds, or none.
TEST(UndoSteps, TheFieldsNeverShowARecordTheFileNoLongerHolds) {
  EditorWorld w(12);
  const Bytes opened = w.File();
  const std::string none_chosen = FieldsShown(w.view);
  WriteBytes(w.dir / "LoCopy.dat", LoFileBytes("Forest", "North woods", NumberedRecords(14)));
  w.session.Compare().Start(w.dir / "LoCopy.dat");
  w.session.Compare().Take(0);
  EXPECT_EQ(w.view.SelectedRow(), 12);
  w.session.Compare().TakeAll();
  const Bytes all_taken = w.File();
  const auto expect_held = [&](const char* after) {
    SCOPED_TRACE(after);
    ExpectAgreesWithFile(w.session);
    const int row = w.view.SelectedRow();
    EXPECT_LE(row, w.session.Document().LastIndex);
    EXPECT_EQ(w.view.Text(TField::RecordNo), IntegerText(std::max(row, 0)));
    for (int member : w.view.MapGroup()) EXPECT_LE(member, w.session.Document().LastIndex);
  };
  w.Undo();
  expect_held("one undo");
  w.Undo();
  expect_held("two undos");
  EXPECT_EQ(w.File(), opened);
  EXPECT_EQ(w.view.SelectedRow(), -1);
  EXPECT_EQ(FieldsShown(w.view), none_chosen);
  w.Redo();
  expect_held("one redo");
  w.Redo();
  expect_held("two redos");
  EXPECT_EQ(w.File(), all_taken);
}

}  // namespace

// Unsaved edits are the newest change: Undo takes them back first, Redo
// brings them again with their marks, and only then does Undo reach the file.
TEST(UndoSteps, TypedEditsAreUndoneFirstAndRedoneWithTheirMarks) {
  EditorWorld w(10);
  w.Click(4);
  w.Type(TField::X, "3");
  w.Save();
  const Bytes saved = w.File();
  w.Type(TField::X, "77.5");
  w.session.ChooseState(1);
  ASSERT_TRUE(w.undo.CanUndo());
  EXPECT_EQ(w.undo.UndoCaption(), "edits of record 4");
  EXPECT_FALSE(w.undo.CanRedo()) << "nothing to redo over new edits";

  const TEditorView& view = w.session.View();
  w.Undo();
  EXPECT_EQ(w.File(), saved);
  EXPECT_EQ(view.Text(TField::X), "3.00");
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Normal);
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_EQ(w.undo.RedoCaption(), "edits of record 4");
  EXPECT_EQ(w.undo.UndoCaption(), "Save of record 4");

  w.Redo();
  EXPECT_EQ(view.Text(TField::X), "77.5");
  EXPECT_EQ(view.Highlight(TField::X), THighlight::Modified);
  EXPECT_EQ(view.StateIndex(), 1);
  EXPECT_EQ(view.StateHighlight(), THighlight::Modified);
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(w.File(), saved);

  w.Undo();  // the edits again
  w.Undo();  // the Save
  EXPECT_NE(w.File(), saved);
  w.Redo();
  w.Redo();
  w.Save();
  EXPECT_EQ(Slice(w.File(), 100 + 20 * 4 + 3, 4), FloatBytes(77.5f));

  // Save, Undo, then typing: the undone Save is never replayed over the typing.
  w.Undo();
  const Bytes undone = w.File();
  w.Type(TField::X, "9");
  EXPECT_FALSE(w.undo.CanRedo());
  w.Redo();
  EXPECT_EQ(w.File(), undone);
  EXPECT_EQ(view.Text(TField::X), "9");
}

TEST(UndoSteps, TheHistoryKeepsItsNewestThousandSteps) {
  EditorWorld w(2);
  w.Click(1);
  for (int i = 0; i < 1005; ++i) {
    w.Type(TField::Z, std::to_string(i));
    w.Save();
  }
  EXPECT_EQ(w.history.Steps().size(), TUndoHistory::kStepLimit);
  int undone = 0;
  while (w.undo.CanUndo()) {
    w.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 1000);
  EXPECT_EQ(Slice(w.File(), 100 + 20 + 11, 4), FloatBytes(4.0f)) << "the oldest steps are gone";
}
