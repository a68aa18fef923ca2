// The map in the editor window: it replaces the placeholder while a file is
// open, selects records like the contents list, and moves them like typing.

#include "windows/editor_map.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/gradient_label.h"
#include "lettering/shadow_button.h"
#include "map/map_strip.h"
#include "map/map_view.h"
#include "window_fixture.h"

namespace {


class EditorMapTest : public EditorWindowTest {
 protected:
  void Open() {
    EditorWindowTest::Open();
    map = form6_->Map()->View();
  }
  QPoint At(int index) const { return map->screenPosition(index).toPoint(); }
  void DragMarker(int index, QPoint by) {
    const QPoint from = At(index);
    QTest::mousePress(map, Qt::LeftButton, {}, from);
    QTest::mouseMove(map, from + by / 2);
    QTest::mouseMove(map, from + by);
    QTest::mouseRelease(map, Qt::LeftButton, {}, from + by);
  }
  // The two-decimal text of the world coordinate under screen point `at`.
  QString WorldText(QPoint at, bool x) const {
    const WorldPoint world = map->transform().ToWorld({double(at.x()), double(at.y())});
    QString text = QString::number(x ? world.x : world.y, 'f', 2);
    return text == QStringLiteral("-0.00") ? QStringLiteral("0.00") : text;
  }

  MapView* map = nullptr;
};

TEST_F(EditorMapTest, ShowsThePlaceholderUntilAFileIsOpenThenEveryRecordFitted) {
  StartRun();
  OpenEditor();
  map = form6_->Map()->View();
  EXPECT_TRUE(form6_->Widget(TEditorWidget::Placeholder)->isVisible());
  EXPECT_FALSE(map->isVisible());
  EXPECT_FALSE(form6_->Map()->Strip()->isVisible());

  OpenFile(files_.lo_file);
  EXPECT_FALSE(form6_->Widget(TEditorWidget::Placeholder)->isVisible());
  ASSERT_TRUE(map->isVisible());
  EXPECT_EQ(map->geometry(), QRect(296, 64, 465, 353));
  EXPECT_EQ(form6_->Map()->Strip()->geometry(), QRect(296, 421, 465, 120));
  ASSERT_EQ(map->points().size(), 6u);
  EXPECT_EQ(map->selected(), -1);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(map->rect().contains(At(i))) << i;
  EXPECT_EQ(map->points()[4].tip.section(u'\n', 0, 0),
            QStringLiteral("Rec# 4   Class 4   Type 1   Rock"));
  EXPECT_EQ(form6_->StateGroup()->choiceButton(1)->nextInFocusChain(), map)
      << "the map takes the focus after the record's group";
}

TEST_F(EditorMapTest, MarkerClickSelectsLikeARowClickAndTypingMovesTheMarker) {
  Open();
  QTest::mouseClick(map, Qt::LeftButton, {}, At(4));
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 4);
  EXPECT_EQ(map->selected(), 4);
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("4"));
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("4.25"));

  TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("3"));
  EXPECT_EQ(map->points()[4].x, 3.0) << "typing moves the marker live";
  QTest::keyClick(form6_->FieldWidget(TField::X), Qt::Key_Backspace);
  EXPECT_EQ(map->points()[4].x, 3.0) << "an empty text leaves it where it was read last";

  // A list click moves the selection on the map too, and drops the edit.
  ClickRow(1);
  EXPECT_EQ(map->selected(), 1);
  EXPECT_EQ(map->points()[4].x, 4.25);
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original);
}

TEST_F(EditorMapTest, DraggingAMarkerSetsItsFieldsAndOnlySaveWritesThem) {
  Open();
  ClickRow(1);
  const QPoint drop = At(2) + QPoint(37, 23);
  DragMarker(2, QPoint(37, 23));

  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 2);
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("2"));
  const QString x = form6_->FieldWidget(TField::X)->text();
  const QString y = form6_->FieldWidget(TField::Y)->text();
  // The drop point, give or take the half pixel between press and centre.
  EXPECT_NEAR(x.toDouble(), WorldText(drop, true).toDouble(), 1.0 / map->transform().Scale());
  EXPECT_NEAR(y.toDouble(), WorldText(drop, false).toDouble(), 1.0 / map->transform().Scale());
  EXPECT_EQ(x.section(u'.', 1).size(), 2);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->backgroundColor(), kRed);
  EXPECT_EQ(form6_->FieldWidget(TField::Y)->backgroundColor(), kRed);
  EXPECT_EQ(form6_->FieldWidget(TField::Z)->backgroundColor(), kWhite);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_EQ(map->points()[2].x, x.toFloat()) << "the marker stays where it was dropped";
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original) << "the map never writes";

  form6_->Action(TCommand::Save)->trigger();
  Bytes expected = files_.original;
  PutF32(expected, 100 + 20 * 2 + 3, x.toFloat());
  PutF32(expected, 100 + 20 * 2 + 7, y.toFloat());
  EXPECT_EQ(ReadBytes(files_.lo_file), expected);
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(EditorMapTest, EscapeCancelsADragAndArrowKeysNudge) {
  Open();
  QTest::mouseClick(map, Qt::LeftButton, {}, At(3));
  const QPoint from = At(3);
  QTest::mousePress(map, Qt::LeftButton, {}, from);
  QTest::mouseMove(map, from + QPoint(20, 0));
  QTest::mouseMove(map, from + QPoint(40, 0));
  QTest::keyClick(map, Qt::Key_Escape);
  QTest::mouseRelease(map, Qt::LeftButton, {}, from + QPoint(40, 0));
  EXPECT_EQ(At(3), from);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("3.25"));
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());

  map->setFocus();
  QTest::keyClick(map, Qt::Key_Right);
  QTest::keyClick(map, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("4.25"));
  EXPECT_EQ(form6_->FieldWidget(TField::Y)->text(), QStringLiteral("7.00"));
  EXPECT_EQ(form6_->FieldWidget(TField::X)->backgroundColor(), kRed);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original);
}

TEST_F(EditorMapTest, FollowsAddAndRemoveObject) {
  Open();
  QTest::mouseClick(form6_->Button(TCommand::AddObject), Qt::LeftButton);
  ASSERT_EQ(map->points().size(), 7u);
  EXPECT_EQ(map->points()[6].x, 0.0);
  EXPECT_EQ(map->points()[6].y, 0.0);
  EXPECT_EQ(map->selected(), 6);
  QTest::mouseClick(form6_->Button(TCommand::RemoveObject), Qt::LeftButton);
  EXPECT_EQ(map->points().size(), 6u);
  EXPECT_EQ(map->selected(), 5);
  EXPECT_EQ(form6_->Map()->Strip()->hiddenLabel()->text(), QStringLiteral("Not drawn: 0"));
}

// Two markers 1.5 units apart, as the example file's crate and fuel drum.
TEST_F(EditorMapTest, APressOnTheSelectedMarkerOfAStackDragsThatMarker) {
  std::vector<TLoRecord> records = NumberedRecords(8);
  records[6].x = 121.0f;
  records[7].x = 122.5f;
  records[6].y = records[7].y = 82.0f;
  const std::filesystem::path file = files_.dir / "LoStack.dat";
  const Bytes original = LoFileBytes("Stack", "Two on one spot", records);
  WriteBytes(file, original);
  StartRun();
  OpenEditor();
  OpenFile(file);
  map = Find<MapView>("LoMap");
  auto* record_no = Find<MaskedEdit>("ME1");

  const QPoint stack = At(7);
  ASSERT_LT((At(6) - stack).manhattanLength(), 8) << "the markers overlap";
  QTest::mouseClick(map, Qt::LeftButton, {}, stack);
  ASSERT_EQ(record_no->text(), QStringLiteral("7"));
  DragMarker(7, QPoint(30, 20));
  EXPECT_EQ(record_no->text(), QStringLiteral("7"));
  const QString x = Find<MaskedEdit>("me6")->text();
  const QString y = Find<MaskedEdit>("me7")->text();
  EXPECT_NE(x, QStringLiteral("122.50"));

  Find<QAction>("Save1")->trigger();
  Bytes expected = original;
  PutF32(expected, 100 + 20 * 7 + 3, x.toFloat());
  PutF32(expected, 100 + 20 * 7 + 7, y.toFloat());
  EXPECT_EQ(ReadBytes(file), expected);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(EditorMapTest, TypingRTurnsTheMarkersDirectionAndTip) {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  map = Find<MapView>("LoMap");
  QTest::mouseClick(map, Qt::LeftButton, {}, At(4));
  TypeInto(Find<MaskedEdit>("me9"), QStringLiteral("45"));
  EXPECT_EQ(map->points()[4].angle, 45.0);
  EXPECT_TRUE(map->points()[4].tip.endsWith(QStringLiteral("R 45.00")))
      << map->points()[4].tip.toStdString();
  EXPECT_EQ(map->points()[3].angle, 90.0);
}

}  // namespace
