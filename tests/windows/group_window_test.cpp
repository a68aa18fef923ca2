// Many objects at once in the editor window: a fence row built with
// "Array...", density set for the whole row, both taken back byte for byte;
// "Select Same Kind" and Ctrl+A where objects are chosen; "Check File".

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "map/map_strip.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/editor_map.h"

namespace {

class GroupWindowTest : public EditorWindowTest {
 protected:
  const TEditorView& View() const { return form3_->Session().View(); }
  // Types `text` over the whole text of the dialog field `name`.
  void TypeOver(const char* name, const QString& text) {
    auto* field = Find<MaskedEdit>(name);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
  }
  static void PressOk(QDialog* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  }
};

TEST_F(GroupWindowTest, AFenceRowOfTwelveAndItsDensityAreTakenBackByteForByte) {
  Open();
  ClickRow(2);
  form6_->Action(TCommand::ArrayCopies)->trigger();
  auto* array = Find<QDialog>("ArrayDialog");
  ASSERT_NE(array, nullptr);
  TypeOver("ArrayCount", QStringLiteral("11"));
  TypeOver("ArrayDX", QStringLiteral("4"));
  EXPECT_EQ(form6_->Map()->View()->preview().size(), 11u);  // the copies before they exist
  PressOk(array);
  EXPECT_TRUE(form6_->Map()->View()->preview().empty());

  std::vector<TLoRecord> fence_row = NumberedRecords(6);  // the 7 bytes after them are written over
  for (int k = 1; k <= 11; ++k) {
    TLoRecord copy = fence_row[2];
    copy.x = static_cast<float>(double{fence_row[2].x} + 4.0 * k);
    fence_row.push_back(copy);
  }
  const Bytes fence = LoFileBytes("Test Level", "A level for the window tests", fence_row);
  EXPECT_EQ(ReadBytes(files_.lo_file), fence);
  EXPECT_EQ(form6_->Map()->Strip()->groupLabel()->text(), QStringLiteral("Group: 12"));
  EXPECT_EQ(form6_->Action(TCommand::Undo)->text(), QStringLiteral("Undo Array of 11"));

  modals_.Then([](QWidget* dialog) {
    dialog->findChild<QCheckBox*>(QStringLiteral("CheckDensity"))->setChecked(true);
    dialog->findChild<MaskedEdit*>(QStringLiteral("GroupDensity"))->setText(QStringLiteral("9"));
    PressOk(static_cast<QDialog*>(dialog));
  });
  form6_->Action(TCommand::SetForGroup)->trigger();
  Bytes dense = fence;
  for (int row : {2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) dense[100 + 20 * row + 19] = 9;
  EXPECT_EQ(ReadBytes(files_.lo_file), dense);
  EXPECT_EQ(form6_->Action(TCommand::Undo)->text(), QStringLiteral("Undo Set for Group"));

  form6_->Action(TCommand::Undo)->trigger();
  EXPECT_EQ(ReadBytes(files_.lo_file), fence);
  form6_->Action(TCommand::Undo)->trigger();
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original);
  EXPECT_EQ(modals_.Pending(), 0u);
}

TEST_F(GroupWindowTest, SelectSameKindAndCtrlAChooseExactlyTheirRecords) {
  Open();
  ClickRow(1);
  form6_->Action(TCommand::ArrayCopies)->trigger();
  TypeOver("ArrayCount", QStringLiteral("2"));
  PressOk(Find<QDialog>("ArrayDialog"));  // records 6 and 7 are of record 1's kind
  form6_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form6_.get()));
  form6_->Map()->View()->setFocus();
  QTest::keyClick(form6_->Map()->View(), Qt::Key_Escape);  // the group ends
  ClickRow(6);
  EXPECT_TRUE(View().MapGroup().empty());
  form6_->Action(TCommand::SelectSameKind)->trigger();
  EXPECT_EQ(View().MapGroup(), (std::vector<int>{1, 6, 7}));
  EXPECT_EQ(form6_->Map()->View()->accessibleDescription().contains(
                QStringLiteral("3 markers in the group")),
            true);

  // In a text field Ctrl+A stays the field's; in the contents list it is every record.
  MaskedEdit* x = form6_->FieldWidget(TField::X);
  x->setFocus();
  QTest::keyClick(x, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(View().MapGroup(), (std::vector<int>{1, 6, 7}));
  EXPECT_EQ(x->selectedText(), x->text());
  form6_->ContentsList()->setFocus();
  QTest::keyClick(form6_->ContentsList(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(View().MapGroup().size(), 8u);

  // The copies sit on record 1; a click on a finding chooses its record.
  form6_->Action(TCommand::CheckFile)->trigger();
  auto* findings = Find<QListWidget>("CheckFindings");
  ASSERT_NE(findings, nullptr);
  ASSERT_EQ(findings->count(), 2);
  EXPECT_EQ(findings->item(1)->text(),
            QStringLiteral("Record 7: stacked on record 1 (the same kind within 0.01 units)"));
  QTest::mouseClick(findings->viewport(), Qt::LeftButton, {},
                    findings->visualItemRect(findings->item(1)).center());
  EXPECT_EQ(View().SelectedRow(), 7);
}

// A finding on record 0 chooses record 0, as one on any other record does.
TEST_F(GroupWindowTest, AFindingOnRecordZeroChoosesIt) {
  Open();
  ClickRow(3);
  Bytes changed = files_.original;
  changed[100 + 2] = 2;  // record 0's state, written by another program
  WriteBytes(files_.lo_file, changed);
  form6_->Action(TCommand::CheckFile)->trigger();
  auto* findings = Find<QListWidget>("CheckFindings");
  ASSERT_NE(findings, nullptr);
  const QList<QListWidgetItem*> found =
      findings->findItems(QStringLiteral("Record 0:"), Qt::MatchStartsWith);
  ASSERT_EQ(found.size(), 1);
  QTest::mouseClick(findings->viewport(), Qt::LeftButton, {},
                    findings->visualItemRect(found[0]).center());
  EXPECT_EQ(View().SelectedRow(), 0);
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 0);
}

}  // namespace
