// The editor window's Edit menu: captions, keys and disabled states of Undo
// and Redo, typing undone before the file's history, dropped edits, an outside
// change refused, the history emptied by another open, and a backup restored.

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "lettering/shadow_button.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/comparison_window.h"
#include "windows/editor_map.h"

namespace {


class EditorUndoTest : public EditorWindowTest {
 protected:
  void Press(QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(to, key, modifiers);
  }
  QWidget* List() { return form6_->ContentsList(); }
  QAction* Undo() { return form6_->Action(TCommand::Undo); }
  QAction* Redo() { return form6_->Action(TCommand::Redo); }
  // Record 3's X made 12.5 and saved with Ctrl+S.
  void SaveRecord3() {
    ClickRow(3);
    TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("12.5"));
    Press(List(), Qt::Key_S);
  }
  Bytes File() const { return ReadBytes(files_.lo_file); }
};

TEST_F(EditorUndoTest, CaptionsKeysAndDisabledStates) {
  Open();
  EXPECT_EQ(Undo()->text(), QStringLiteral("Undo"));
  EXPECT_FALSE(Undo()->isEnabled());
  EXPECT_FALSE(Redo()->isEnabled());
  EXPECT_EQ(Undo()->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
  EXPECT_EQ(Redo()->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                                      QKeySequence(QStringLiteral("Ctrl+Y"))}));
  EXPECT_EQ(form6_->Action(TCommand::OpenLoFile)->shortcut(),
            QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(form6_->Action(TCommand::RestoreBackup)->text(), QStringLiteral("Restore a Backup..."));
  EXPECT_GE(TUndoHistory::kStepLimit, 1000u);

  SaveRecord3();
  Bytes saved = File();
  ASSERT_NE(saved, files_.original) << "Ctrl+S saves";
  EXPECT_EQ(Undo()->text(), QStringLiteral("Undo Save of record 3"));
  EXPECT_TRUE(Undo()->isEnabled());
  EXPECT_FALSE(Redo()->isEnabled());

  Press(List(), Qt::Key_Z);
  EXPECT_EQ(File(), files_.original);
  EXPECT_FALSE(Undo()->isEnabled());
  EXPECT_EQ(Redo()->text(), QStringLiteral("Redo Save of record 3"));
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 3);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("3.25"));

  Press(List(), Qt::Key_Y);
  EXPECT_EQ(File(), saved);
  Press(List(), Qt::Key_Z);
  Press(List(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(File(), saved);

  form6_->Button(TCommand::AddObject)->click();
  EXPECT_EQ(Undo()->text(), QStringLiteral("Undo Add Object"));
  EXPECT_FALSE(Redo()->isEnabled()) << "a new step drops what could be redone";
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

// Records appended by taking a compared copy's differences, one and then
// all, taken back again: the fields show no record the file lacks, and the
// list and the map choose none either.
TEST_F(EditorUndoTest, AfterUndoTheFieldsShowNoRecordTheFileLacks) {
  Open();
  Bytes copy = LoFileBytes("Test Level", "A level for the window tests", NumberedRecords(8));
  copy.insert(copy.end(), 7, 0xEE);
  WriteBytes(files_.dir / "LoCopy.dat", copy);
  AnswerFileDialog(files_.dir / "LoCopy.dat");
  form6_->Action(TCommand::CompareWithFile)->trigger();
  ComparisonWindow* comparison = form6_->Comparison();
  ASSERT_EQ(comparison->List()->count(), 2);
  comparison->List()->setCurrentRow(0);
  comparison->findChild<QPushButton*>(QStringLiteral("TakeDifference1"))->click();
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("6"));
  comparison->findChild<QPushButton*>(QStringLiteral("TakeAllDifferences1"))->click();
  ASSERT_EQ(File(), copy);

  Undo()->trigger();
  Undo()->trigger();
  EXPECT_EQ(File(), files_.original);
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("0"));
  EXPECT_EQ(form6_->FieldWidget(TField::Density)->text(), QStringLiteral("0"));
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), -1);
  EXPECT_EQ(form6_->Map()->View()->selected(), -1);
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

TEST_F(EditorUndoTest, CtrlZInAFieldUndoesTypingFirstThenTheFile) {
  Open();
  SaveRecord3();
  const Bytes saved = File();
  MaskedEdit* y = form6_->FieldWidget(TField::Y);
  TypeInto(y, QStringLiteral("7"));
  ASSERT_TRUE(y->canUndoEdit());
  while (y->canUndoEdit()) Press(y, Qt::Key_Z);
  EXPECT_EQ(y->text(), QStringLiteral("-3.00"));
  EXPECT_EQ(File(), saved) << "typing is undone before the file";
  Press(y, Qt::Key_Z);  // the field's edit marks, as an unsaved change of their own
  EXPECT_EQ(File(), saved);
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());
  Press(y, Qt::Key_Z);
  EXPECT_EQ(File(), files_.original);
  Press(form6_->FieldWidget(TField::Z), Qt::Key_Y);  // a field has no redo of its own
  EXPECT_EQ(File(), saved);
}

TEST_F(EditorUndoTest, EditsLeftForAnotherRowComeBack) {
  Open();
  ClickRow(3);
  TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("5.5"));
  ClickRow(1);
  EXPECT_EQ(Undo()->text(), QStringLiteral("Undo edits of record 3"));
  Undo()->trigger();
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 3);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("5.5"));
  EXPECT_EQ(form6_->FieldWidget(TField::X)->backgroundColor(), kRed);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_EQ(File(), files_.original);
  // Typed over, the edits the history showed leave nothing to redo.
  EXPECT_TRUE(Redo()->isEnabled());
  TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("6"));
  EXPECT_FALSE(Redo()->isEnabled());
  EXPECT_EQ(Redo()->text(), QStringLiteral("Redo"));
}

TEST_F(EditorUndoTest, TypedEditsAreTheFirstUndoAndRedoBringsThemBack) {
  Open();
  SaveRecord3();
  const Bytes saved = File();
  MaskedEdit* x = form6_->FieldWidget(TField::X);
  List()->setFocus();  // so that the click into X selects its text
  TypeInto(x, QStringLiteral("77.5"));
  EXPECT_EQ(Undo()->text(), QStringLiteral("Undo edits of record 3"));
  Undo()->trigger();
  EXPECT_EQ(x->text(), QStringLiteral("12.50")) << "the stored record again";
  EXPECT_EQ(x->backgroundColor(), QColor(255, 255, 255));
  EXPECT_EQ(File(), saved) << "the file's history is not reached yet";
  EXPECT_EQ(Redo()->text(), QStringLiteral("Redo edits of record 3"));
  Redo()->trigger();
  EXPECT_EQ(x->text(), QStringLiteral("77.5"));
  EXPECT_EQ(x->backgroundColor(), kRed);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  Press(List(), Qt::Key_S);
  EXPECT_EQ(Slice(File(), 100 + 20 * 3 + 3, 4), FloatBytes(77.5f));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

TEST_F(EditorUndoTest, AnOutsideChangeIsRefusedAndTheStepStays) {
  Open();
  SaveRecord3();
  Bytes changed = File();
  changed[100 + 20 * 3 + 4] ^= 1;
  WriteBytes(files_.lo_file, changed);
  Undo()->trigger();
  EXPECT_EQ(errors_, QStringList{QStringLiteral(
                         "Record 3 of LoTEST.dat was changed outside the editor; nothing was "
                         "undone.")});
  EXPECT_EQ(File(), changed);
  EXPECT_EQ(Undo()->text(), QStringLiteral("Undo Save of record 3"));
  EXPECT_FALSE(Redo()->isEnabled());
}

TEST_F(EditorUndoTest, AnotherOpenOrAFailedOneEmptiesTheHistory) {
  Open();
  SaveRecord3();
  OpenFile(files_.lo_file);
  EXPECT_FALSE(Undo()->isEnabled());

  SaveRecord3();
  Bytes bad = File();
  bad[21] = 0x7F;  // a count no Lo file holds
  WriteBytes(files_.lo_file, bad);
  OpenFile(files_.lo_file);
  EXPECT_EQ(errors_.size(), 1);
  EXPECT_FALSE(Undo()->isEnabled());
  EXPECT_FALSE(Redo()->isEnabled());
}

TEST_F(EditorUndoTest, ARestoredBackupIsOneStepUndoTakesBack) {
  StartRun();
  const std::filesystem::path backups = files_.dir / "backups";
  form3_->Session().BackupRestore().Keeper().SetFolder(backups);
  OpenEditor();
  OpenFile(files_.lo_file);
  SaveRecord3();
  const Bytes saved = File();
  ASSERT_EQ(NamesIn(backups).size(), 1u) << "the copy made before the first write";

  modals_.Then([](QWidget* modal) {
    auto* list = modal->findChild<QTreeWidget*>(QStringLiteral("BackupList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("1"));  // record 3
    QMetaObject::invokeMethod(modal, "accept");
  });
  form6_->Action(TCommand::RestoreBackup)->trigger();
  EXPECT_EQ(File(), files_.original);
  EXPECT_EQ(Undo()->text(), QStringLiteral("Undo Restore of a Backup"));
  Undo()->trigger();
  EXPECT_EQ(File(), saved);
  EXPECT_EQ(form6_->RecordCountBox()->text(), QStringLiteral("6"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

}  // namespace
