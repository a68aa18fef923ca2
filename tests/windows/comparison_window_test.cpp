// "Compare With a Lo File...": the differences listed and laid over the map,
// a click selecting the record, one difference taken and then all, each one
// step that Undo takes back byte for byte, and Esc on the map ending it.

#include "windows/comparison_window.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "fields/column_list_box.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/editor_map.h"

namespace {

class ComparisonWindowTest : public EditorWindowTest {
 protected:
  Bytes File() const { return ReadBytes(files_.lo_file); }
  void Press(const char* button) {
    auto* found = form6_->Comparison()->findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_NE(found, nullptr) << button;
    found->click();
  }
};

TEST_F(ComparisonWindowTest, ListsAndDrawsEveryDifferenceTakesOneThenAllAndUndoesBoth) {
  Open();
  // The copy: record 2 moved, record 3's density changed, record 4 gone, one more.
  std::vector<TLoRecord> records = NumberedRecords(6);
  records[2].x = 50.0f;
  records[3].density = 9;
  records[4] = records[5];
  records[5] = {6, 0, 0, 70.0f, 80.0f, 0.0f, 0.0f, 1};
  Bytes copy = LoFileBytes("Test Level", "A level for the window tests", records);
  copy.insert(copy.end(), 7, 0xEE);
  WriteBytes(files_.dir / "LoCopy.dat", copy);

  const QMenu* open_menu = Find<QMenu>("Open1");
  ASSERT_NE(open_menu, nullptr);
  std::vector<std::string> captions;
  for (const QAction* action : open_menu->actions())
    captions.push_back(action->text().toStdString());
  EXPECT_EQ(captions,
            (std::vector<std::string>{"Open a Lo File", "Restore a Backup...",
                                      "Compare With a Lo File...", "Compare With a Backup...",
                                      "Levels...", "Find in Lo Files...", "Open Recent"}));

  AnswerFileDialog(files_.dir / "LoCopy.dat");
  form6_->Action(TCommand::CompareWithFile)->trigger();
  ComparisonWindow* comparison = form6_->Comparison();
  QListWidget* list = comparison->List();
  ASSERT_TRUE(comparison->isVisible());
  std::vector<std::string> lines;
  for (int i = 0; i < list->count(); ++i) lines.push_back(list->item(i)->text().toStdString());
  // Read from the open file's side, as Take brings the copy's part here.
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                "Boulder: X here 2.25, in LoCopy.dat 50",
                "Crate: Density here 3, in LoCopy.dat 9",
                "only in LoCopy.dat: Requires Object Data File at 70, 80 (take: add it here)",
                "only here: Rock (take: remove it)",
            }));

  // The marks say the same: a plus where the copy's own record would be
  // added, a cross on the record here that would go, an arrow from where
  // the Boulder stands here to where the copy has it.
  MapView* map = form6_->Map()->View();
  std::map<MapOverlayMark::Kind, int> marks;
  std::vector<std::tuple<MapOverlayMark::Kind, double, double, double>> where;
  for (const MapOverlayMark& mark : map->overlay().marks) {
    ++marks[mark.kind];
    if (mark.kind != MapOverlayMark::Kind::Other)
      where.emplace_back(mark.kind, mark.at.x, mark.at.y, mark.from.x);
  }
  EXPECT_EQ(marks, (std::map<MapOverlayMark::Kind, int>{{MapOverlayMark::Kind::Other, 6},
                                                        {MapOverlayMark::Kind::Added, 1},
                                                        {MapOverlayMark::Kind::Removed, 1},
                                                        {MapOverlayMark::Kind::Changed, 1},
                                                        {MapOverlayMark::Kind::Moved, 1}}));
  using K = MapOverlayMark::Kind;
  EXPECT_EQ(where, (std::vector<std::tuple<K, double, double, double>>{{K::Moved, 50, -2, 2.25},
                                                                       {K::Changed, 3.25, -3, 0},
                                                                       {K::Added, 70, 80, 0},
                                                                       {K::Removed, 4.25, -4, 0}}));
  EXPECT_TRUE(map->accessibleDescription().endsWith(QStringLiteral(
      "compared with LoCopy.dat: 1 only in LoCopy.dat (take: add it here), 1 only here (take: "
      "remove it), 1 with other values in LoCopy.dat, 1 placed elsewhere in LoCopy.dat")))
      << map->accessibleDescription().toStdString();

  // A click on a difference selects its record in the list and on the map.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(comparison));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 3);
  EXPECT_EQ(map->selected(), 3);

  Press("TakeDifference1");  // record 3's density
  Bytes expected = files_.original;
  expected[100 + 3 * 20 + 19] = 9;
  EXPECT_EQ(File(), expected);
  EXPECT_EQ(list->count(), 3);
  Press("TakeAllDifferences1");
  EXPECT_EQ(File(), copy);
  EXPECT_EQ(list->count(), 0);

  form6_->Action(TCommand::Undo)->trigger();
  EXPECT_EQ(File(), expected);
  form6_->Action(TCommand::Undo)->trigger();
  EXPECT_EQ(File(), files_.original);
  EXPECT_EQ(list->count(), 4);

  map->setFocus();
  QTest::keyClick(map, Qt::Key_Escape);
  EXPECT_TRUE(map->overlay().empty());
  EXPECT_FALSE(comparison->isVisible());
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

TEST_F(ComparisonWindowTest, ComparesWithTheBackupTheFirstWriteMade) {
  StartRun();
  form3_->Session().BackupRestore().Keeper().SetFolder(files_.dir / "backups");
  OpenEditor();
  OpenFile(files_.lo_file);
  ClickRow(3);
  TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("12.5"));
  form6_->Action(TCommand::Save)->trigger();

  modals_.Then([](QWidget* modal) { QMetaObject::invokeMethod(modal, "accept"); });
  form6_->Action(TCommand::CompareWithBackup)->trigger();
  QListWidget* list = form6_->Comparison()->List();
  ASSERT_EQ(list->count(), 1);
  const std::string opened_at =
      form3_->Session().BackupRestore().Copies().at(0).time_text;  // "... 15:04:05"
  EXPECT_EQ(list->item(0)->text().toStdString(),
            "Crate: X here 12.5, in the backup of " + opened_at.substr(11, 5) + " 3.25");
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

}  // namespace
