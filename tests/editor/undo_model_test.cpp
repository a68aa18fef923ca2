// Random sequences of commands on a file: undoing every step gives the opened
// file back byte for byte, redoing every step gives the end state, and at
// every point memory, the rows and the fields say what the file holds.

#include <gtest/gtest.h>

#include <random>

#include "editor/editing_session.h"
#include "support/editor_world.h"
#include "support/file_agreement.h"

namespace {

class Script {
 public:
  Script(EditorWorld& world, unsigned seed) : w_(world), random_(seed) {}

  void RunOne() {
    switch (Pick(0, 12)) {
      case 0:
        return Save();
      case 1:
        return Move();
      case 2:
        return w_.session.Records().AddObject();
      case 3:
        return Remove();
      case 4:
        return LeaveEdits();
      case 5:
        if (w_.undo.CanUndo()) w_.undo.Undo();
        return;
      case 6:
        return Paste();
      case 7:
        return Delete();
      case 8:
        return w_.session.Placing().DropCatalogueEntry(Pick(0, 2), Pick(-500, 500) / 4.0,
                                                       Pick(-500, 500) / 8.0);
      case 9:
        if (ClickSome()) w_.session.Placing().DuplicateRecord();
        return;
      case 10:
        return MoveGroup();
      case 11:
        return Restore();
      default:
        if (w_.undo.CanRedo()) w_.undo.Redo();
        return;
    }
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  int Count() const { return w_.session.Document().LastIndex + 1; }
  bool ClickSome() {
    if (Count() == 0) return false;
    w_.Click(Pick(0, Count() - 1));
    return true;
  }
  std::string Decimal() { return std::to_string(Pick(-99999, 99999) / 100.0).substr(0, 7); }
  std::string Word() {
    return std::string(static_cast<std::size_t>(Pick(0, 19)), 'a' + Pick(0, 25));
  }

  void Save() {
    if (!ClickSome()) return;
    if (Pick(0, 1)) w_.Type(TField::Class, std::to_string(Pick(0, 300)));
    if (Pick(0, 1)) w_.Type(TField::Z, Decimal());
    if (Pick(0, 1)) w_.Type(TField::Name, Word());
    if (Pick(0, 2) == 0) w_.Type(TField::Description, Word() + " " + Word());
    w_.Save();
  }
  void Move() {
    if (!ClickSome()) return;
    w_.session.Placing().MoveSelectedRecord(Pick(-5000, 5000) / 7.0, Pick(-5000, 5000) / 3.0);
    w_.Save();
  }
  void Remove() {
    if (Count() > 0) w_.Click(Count() - 1);
    w_.session.Records().RemoveLastObject();
  }
  void MoveGroup() {
    if (!ClickSome()) return;
    for (int n = Pick(1, 3); n > 0 && Count() > 0; --n)
      w_.session.Placing().ToggleInMapGroup(Pick(0, Count() - 1));
    w_.session.Placing().MoveMapGroup(Pick(-400, 400) / 8.0, Pick(-400, 400) / 16.0);
  }
  // A copy of another length and other records restored over the file.
  void Restore() {
    std::vector<TLoRecord> records = NumberedRecords(Pick(0, 12));
    for (TLoRecord& record : records) record.r = static_cast<float>(Pick(0, 359));
    WriteBytes(w_.dir / "copy", LoFileBytes(Word(), Word(), records));
    w_.session.BackupRestore().Restore(w_.dir / "copy");
  }
  // Copies of up to three records, appended (refused when they do not fit).
  void Paste() {
    std::vector<TRecordBytes> records;
    for (int n = Pick(1, 3); n > 0 && Count() > 0; --n) {
      const int row = Pick(0, Count() - 1);
      records.push_back(PackRecord(w_.session.Document().LoRecordTable[row]));
    }
    MessageOf([&] { w_.session.Objects().PasteObjects(records); });
  }
  // One record, or a group of two.
  void Delete() {
    if (Count() == 0) return;
    w_.session.Placing().ChooseRecord(Pick(0, Count() - 1));
    if (Pick(0, 1)) w_.session.Placing().ToggleInMapGroup(Pick(0, Count() - 1));
    w_.session.Objects().DeleteObjects();
  }
  void LeaveEdits() {
    if (!ClickSome()) return;
    w_.Type(TField::R, Decimal());
    ClickSome();
  }

  EditorWorld& w_;
  std::mt19937 random_;
};

struct ModelCase {
  const char* name;
  int records;
  int sequences;
  int commands;
};

class UndoModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(UndoModel, UndoOfEverythingGivesTheOpenedFileAndRedoTheEndState) {
  const ModelCase& model = GetParam();
  for (int sequence = 0; sequence < model.sequences; ++sequence) {
    SCOPED_TRACE("sequence " + std::to_string(sequence));
    EditorWorld w(model.records);
    const Bytes opened = w.File();
    Script script(w, static_cast<unsigned>(sequence * 7919 + model.records));
    for (int i = 0; i < model.commands; ++i) {
      script.RunOne();
      ExpectAgreesWithFile(w.session);
    }
    while (w.undo.CanRedo()) w.undo.Redo();
    const Bytes end = w.File();
    while (w.undo.CanUndo()) {
      w.undo.Undo();
      ExpectAgreesWithFile(w.session);
    }
    ASSERT_EQ(w.File(), opened);
    while (w.undo.CanRedo()) {
      w.undo.Redo();
      ExpectAgreesWithFile(w.session);
    }
    ASSERT_EQ(w.File(), end);
    if (::testing::Test::HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, UndoModel,
                         ::testing::Values(ModelCase{"FewRecords", 3, 300, 14},
                                           ModelCase{"Empty", 0, 60, 14},
                                           // 255 <-> 256: both bytes of the count change.
                                           ModelCase{"NearlyFull", 254, 20, 12}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
