// Placing objects by name in the editor window: the lists' find fields,
// picking class and type from the catalogue, dropping a catalogue row on the
// map, Duplicate Object, and selecting and moving a group of markers, each
// checked down to the file's bytes.

#include <QAction>
#include <QTest>
#include <cmath>

#include "fields/column_list_box.h"
#include "fields/list_find_field.h"
#include "fields/masked_edit.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/editor_map.h"

namespace {


class PlacingWindowTest : public EditorWindowTest {
 protected:
  void Open() {
    EditorWindowTest::Open();
    map = form6_->Map()->View();
    catalogue = form6_->CatalogueList();
  }
  QString Text(TField field) const { return form6_->FieldWidget(field)->text(); }
  QStringList Rows(ColumnListBox* list) const { return list->rows(); }
  ListFindField* Find(const char* name) const {
    return form6_->findChild<ListFindField*>(QString::fromLatin1(name));
  }
  QPoint RowCentre(ColumnListBox* list, int row) const { return list->rowRect(row).center(); }
  void DoubleClickRow(ColumnListBox* list, int row) {
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, row));
  }
  QPoint At(int index) const { return map->screenPosition(index).toPoint(); }
  QPoint ScreenOf(double x, double y) const {
    const ScreenPoint at = map->transform().ToScreen({x, y});
    return QPointF(at.x, at.y).toPoint();
  }
  // Drags catalogue row `row` from its list to `to` on the map; `before_release` runs
  // while the pointer is over the map.
  void DragRowToMap(int row, QPoint to, const std::function<void()>& before_release = {}) {
    QWidget* viewport = catalogue->viewport();
    const QPoint from = RowCentre(catalogue, row);
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport, from + QPoint(30, 0));
    const QPoint over_map = viewport->mapFromGlobal(map->mapToGlobal(to));
    QTest::mouseMove(viewport, over_map);
    if (before_release) before_release();
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, over_map);
  }
  static QString Two(double value) {
    const QString text = QString::number(std::round(value * 100.0) / 100.0, 'f', 2);
    return text == QStringLiteral("-0.00") ? QStringLiteral("0.00") : text;
  }
  Bytes FileBytes() const { return ReadBytes(files_.lo_file); }
  Bytes RecordInFile(int index) const { return Slice(FileBytes(), 100 + 20 * index, 20); }
  Bytes RecordAtOpen(int index) const { return Slice(files_.original, 100 + 20 * index, 20); }
  int CountInFile() const {
    const Bytes file = FileBytes();
    return file[20] | file[21] << 8;
  }

  MapView* map = nullptr;
  ColumnListBox* catalogue = nullptr;
};

TEST_F(PlacingWindowTest, TypingIntoAListFindsByNameOrNumberAndEscShowsAllAgain) {
  Open();
  ColumnListBox* contents = form6_->ContentsList();
  ListFindField* find = Find("LMDLB1Find");
  ASSERT_NE(find, nullptr);
  EXPECT_FALSE(find->isVisible());

  ClickRow(4);
  QTest::keyClicks(contents, QStringLiteral("ROCK"));
  ASSERT_TRUE(find->isVisible());
  EXPECT_EQ(find->text(), QStringLiteral("ROCK"));
  EXPECT_EQ(Rows(contents), QStringList{QStringLiteral("4;4;1;Rock")}) << "numbers are the file's";
  EXPECT_EQ(contents->selectedRow(), 0) << "the selected record matches and stays selected";

  QTest::keyClick(find, Qt::Key_Escape);
  EXPECT_FALSE(find->isVisible());
  EXPECT_EQ(Rows(contents).size(), 6);
  EXPECT_EQ(contents->selectedRow(), 4);

  // The catalogue: Ctrl+F opens the field; a number finds class or type.
  ListFindField* catalogue_find = Find("lb2Find");
  catalogue->setFocus();
  QTest::keyClick(catalogue, Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(catalogue_find->isVisible());
  QTest::keyClicks(catalogue_find, QStringLiteral("tree"));
  EXPECT_EQ(Rows(catalogue),
            (QStringList{QStringLiteral("1;1;0;Oak Tree"), QStringLiteral("2;1;1;Pine Tree")}));
  catalogue_find->clear();  // an empty field closes
  EXPECT_FALSE(catalogue_find->isVisible());
  EXPECT_EQ(Rows(catalogue).size(), 7);
  QTest::keyClicks(catalogue, QStringLiteral("2"));
  EXPECT_EQ(Rows(catalogue),
            (QStringList{QStringLiteral("3;2;2;Boulder"), QStringLiteral("6;5;2;Fuel Drum")}));

  // A row chosen in a found list is the file's row.
  QTest::keyClicks(contents, QStringLiteral("tree"));
  EXPECT_EQ(Rows(contents), QStringList{QStringLiteral("1;1;1;Pine Tree")});
  ClickRow(0);
  EXPECT_EQ(Text(TField::RecordNo), QStringLiteral("1"));
  // Emptying the field closes it.
  find->setFocus();
  QTest::keyClick(find, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(find, Qt::Key_Backspace);
  EXPECT_FALSE(find->isVisible());
  EXPECT_EQ(Rows(contents).size(), 6);
  EXPECT_EQ(FileBytes(), files_.original);
}

TEST_F(PlacingWindowTest, DoubleClickOrEnterOnACatalogueRowTypesClassAndType) {
  Open();
  DoubleClickRow(catalogue, 6);
  EXPECT_EQ(Text(TField::Class), QStringLiteral("0")) << "no record shown: nothing";
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());

  ClickRow(2);
  DoubleClickRow(catalogue, 6);  // Fuel Drum: 5, 2
  EXPECT_EQ(Text(TField::Class), QStringLiteral("5"));
  EXPECT_EQ(Text(TField::Type), QStringLiteral("2"));
  EXPECT_EQ(form6_->FieldWidget(TField::Class)->backgroundColor(), kRed);
  EXPECT_EQ(form6_->FieldWidget(TField::Type)->backgroundColor(), kRed);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_EQ(FileBytes(), files_.original) << "nothing is written until Save";

  // Enter on a found row picks that row's entry.
  catalogue->setFocus();
  QTest::keyClicks(catalogue, QStringLiteral("rock"));
  ASSERT_EQ(Rows(catalogue), QStringList{QStringLiteral("5;4;1;Rock")});
  QTest::mouseClick(catalogue->viewport(), Qt::LeftButton, {}, RowCentre(catalogue, 0));
  QTest::keyClick(catalogue, Qt::Key_Return);
  EXPECT_EQ(Text(TField::Class), QStringLiteral("4"));
  EXPECT_EQ(Text(TField::Type), QStringLiteral("1"));

  form6_->Action(TCommand::Save)->trigger();
  EXPECT_EQ(RecordInFile(2)[0], 4);
  EXPECT_EQ(RecordInFile(2)[1], 1);
}

TEST_F(PlacingWindowTest, ACatalogueRowDroppedOnTheMapAppendsARecordThere) {
  Open();
  const QPoint to = ScreenOf(2.0, -4.0) + QPoint(3, 2);
  const WorldPoint world = map->worldAt(to);

  DragRowToMap(4, to, [&] { QTest::keyClick(catalogue, Qt::Key_Escape); });
  EXPECT_EQ(FileBytes(), files_.original) << "Esc cancels the drag";

  DragRowToMap(4, to);  // Crate: 3, 0
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
  EXPECT_EQ(CountInFile(), 7);
  TLoRecord expected;
  expected.object_class = 3;
  expected.x = Two(world.x).toFloat();
  expected.y = Two(world.y).toFloat();
  EXPECT_EQ(RecordInFile(6), RecordBytes(expected));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(RecordInFile(i), RecordAtOpen(i)) << i;
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 6);
  EXPECT_EQ(Text(TField::X), Two(world.x));
  EXPECT_EQ(map->points().size(), 7u);
  EXPECT_EQ(map->selected(), 6);

  // A drop outside the map places nothing.
  DragRowToMap(4, QPoint(-40, -40));
  EXPECT_EQ(CountInFile(), 7);
}

TEST_F(PlacingWindowTest, DuplicateObjectAppendsACopyOfTheShownRecord) {
  Open();
  QAction* duplicate = form6_->Action(TCommand::DuplicateObject);
  EXPECT_EQ(duplicate->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
  ClickRow(3);
  TypeInto(form6_->FieldWidget(TField::Z), QStringLiteral("99"));  // not stored: not copied
  duplicate->trigger();
  EXPECT_EQ(CountInFile(), 7);
  EXPECT_EQ(RecordInFile(6), RecordAtOpen(3));
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 6);
  EXPECT_EQ(Text(TField::RecordNo), QStringLiteral("6"));
  EXPECT_EQ(Rows(form6_->ContentsList()).last(), QStringLiteral("6;3;0;Crate"));
}

TEST_F(PlacingWindowTest, ARectangleSelectsMarkersAndTheGroupMovesAsOneWrite) {
  Open();
  // Records 0, 1 and 2 lie at (0.25, 0), (1.25, -1), (2.25, -2).
  QTest::mousePress(map, Qt::LeftButton, Qt::ShiftModifier, ScreenOf(-0.5, 0.6));
  QTest::mouseMove(map, ScreenOf(1.0, -1.0));
  QTest::mouseMove(map, ScreenOf(2.6, -2.5));
  QTest::mouseRelease(map, Qt::LeftButton, Qt::ShiftModifier, ScreenOf(2.6, -2.5));
  EXPECT_EQ(map->groupSize(), 3);
  EXPECT_EQ(Text(TField::RecordNo), QStringLiteral("0")) << "the first one inside is shown";
  // Shift+click adds record 4 and shows it; the fields still show one record.
  QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, At(4));
  EXPECT_EQ(map->groupSize(), 4);
  EXPECT_EQ(Text(TField::RecordNo), QStringLiteral("4"));
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 4);

  const QPoint from = At(1);
  const QPoint to = from + QPoint(40, -25);
  const double dx = map->worldAt(to).x - map->worldAt(from).x;
  const double dy = map->worldAt(to).y - map->worldAt(from).y;
  QTest::mousePress(map, Qt::LeftButton, {}, from);
  QTest::mouseMove(map, from + QPoint(20, -10));
  QTest::mouseMove(map, to);
  QTest::mouseRelease(map, Qt::LeftButton, {}, to);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();

  Bytes expected = files_.original;
  for (int i : {0, 1, 2, 4}) {
    PutF32(expected, 100 + 20 * i + 3, Two(i + 0.25 + dx).toFloat());
    PutF32(expected, 100 + 20 * i + 7, Two(-i + dy).toFloat());
  }
  EXPECT_EQ(FileBytes(), expected) << "only the group's X and Y, written at once";
  EXPECT_EQ(Text(TField::X), Two(4.25 + dx));
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_NEAR(map->points()[2].x, 2.25 + dx, 0.01) << "the map follows";

  // The arrows nudge the whole group; Esc ends it.
  map->setFocus();
  QTest::keyClick(map, Qt::Key_Right);
  for (int i : {0, 1, 2, 4}) PutF32(expected, 100 + 20 * i + 3, Two(i + 1.25 + dx).toFloat());
  EXPECT_EQ(FileBytes(), expected);
  QTest::keyClick(map, Qt::Key_Escape);
  EXPECT_EQ(map->groupSize(), 0);
  QTest::keyClick(map, Qt::Key_Right);
  EXPECT_EQ(FileBytes(), expected) << "a single marker is only typed, not written";
  EXPECT_EQ(Text(TField::X), Two(4 + 2.25 + dx));
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
}

TEST_F(PlacingWindowTest, UndoTakesBackEveryPlacingWrite) {
  Open();
  DragRowToMap(6, ScreenOf(3.0, -1.0));
  ClickRow(3);
  form6_->Action(TCommand::DuplicateObject)->trigger();
  EXPECT_EQ(form6_->Action(TCommand::Undo)->text(), QStringLiteral("Undo Duplicate Object"));
  QTest::mousePress(map, Qt::LeftButton, Qt::ShiftModifier, ScreenOf(-0.5, 0.6));
  QTest::mouseMove(map, ScreenOf(2.6, -2.5));
  QTest::mouseRelease(map, Qt::LeftButton, Qt::ShiftModifier, ScreenOf(2.6, -2.5));
  map->setFocus();
  QTest::keyClick(map, Qt::Key_Left);
  EXPECT_EQ(form6_->Action(TCommand::Undo)->text(), QStringLiteral("Undo Move of 4 records"))
      << "the shown duplicate and the three inside";
  EXPECT_EQ(CountInFile(), 8);

  for (int i = 0; i < 10 && form6_->Action(TCommand::Undo)->isEnabled(); ++i) {
    form6_->Action(TCommand::Undo)->trigger();
  }
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
  EXPECT_EQ(FileBytes(), files_.original) << "every write taken back, the file as opened";
  EXPECT_EQ(map->points().size(), 6u);
  EXPECT_EQ(map->points()[1].x, 1.25) << "the map follows the undo";
}

}  // namespace
