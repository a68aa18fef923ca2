// The open file in its level set: the "Levels" window lists the Lo folder and
// opens a file from it, "Open Recent" opens the files opened last, and "Find
// in Lo Files" finds a kind across the levels and opens a result on its
// record.

#include "windows/levels_window.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/editor_map.h"
#include "windows/find_in_levels_window.h"
#include "windows/workspace_commands.h"

namespace {

namespace fs = std::filesystem;

class LevelsWindowTest : public EditorWindowTest {
 protected:
  fs::path Level(const std::string& name, const std::vector<TLoRecord>& records) {
    const fs::path file = files_.dir / name;
    WriteBytes(file, LoFileBytes(name.substr(0, name.size() - 4), "", records));
    return file;
  }
  fs::path OpenPath() const { return form3_->Session().Document().Path(); }
  QStringList Column(const QTableView* list, int column) const {
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
      texts << list->model()->index(row, column).data().toString();
    }
    return texts;
  }
};

TEST_F(LevelsWindowTest, OpensFromTheLevelsWindowAndFromOpenRecentAndFollowsTheFolder) {
  const fs::path second = Level("LoSecond.dat", NumberedRecords(2));
  Bytes damaged = LoFileBytes("Wreck", "", {});
  PutU16(damaged, 20, 300);
  WriteBytes(files_.dir / "LoWreck.dat", damaged);
  Open();

  form6_->Action(TCommand::ShowLevels)->trigger();
  LevelsWindow* levels = form6_->Workspace()->Levels();
  ASSERT_TRUE(levels->isVisible());
  QTRY_VERIFY(!levels->Reading());
  QTableView* list = levels->List();
  EXPECT_EQ(Column(list, 0),
            (QStringList{QStringLiteral("LoSecond.dat"), QStringLiteral("LoTEST.dat (open)"),
                         QStringLiteral("LoWreck.dat")}));
  EXPECT_EQ(Column(list, 2), (QStringList{QStringLiteral("2"), QStringLiteral("6"), QString()}));
  EXPECT_EQ(Column(list, 3)[2],
            QStringLiteral("Invalid record count 300: a Lo file holds 0 to 256 records."));
  // LoTEST.dat ends in 7 bytes that are not a whole record.
  EXPECT_EQ(Column(list, 5), (QStringList{QStringLiteral("0"), QStringLiteral("1"), QString()}));

  // Typed into the find, then Enter on the row opens the file.
  QTest::keyClicks(levels->FindField(), QStringLiteral("second"));
  ASSERT_EQ(list->model()->rowCount(), 1);
  list->setFocus();
  list->setCurrentIndex(list->model()->index(0, 0));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(OpenPath(), second);
  EXPECT_EQ(Column(list, 0), QStringList{QStringLiteral("LoSecond.dat (open)")});
  levels->FindField()->clear();

  // Another program adds a level: it shows without reopening the window.
  Level("LoThird.dat", {});
  QTRY_COMPARE(list->model()->rowCount(), 4);
  QTRY_VERIFY(!levels->Reading());
  EXPECT_EQ(levels->Status()->text(), QStringLiteral("4 Lo files in %1, 1 of them do not read.")
                                          .arg(QString::fromStdString(files_.dir.path().string())));

  // "Open Recent": the files opened, most recent first, numbered.
  QMenu* recent = form6_->Workspace()->RecentMenu();
  emit recent->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 2);
  EXPECT_EQ(recent->actions()[0]->text(),
            QStringLiteral("&1 ") + QString::fromStdString(second.string()));
  recent->actions()[1]->trigger();
  EXPECT_EQ(OpenPath(), files_.lo_file);

  // One that is gone is named and taken off.
  fs::remove(second);
  emit recent->aboutToShow();
  recent->actions()[1]->trigger();
  EXPECT_EQ(errors_,
            QStringList{QString::fromStdString(second.string()) +
                        QStringLiteral(" is no longer there; it was taken off Open Recent.")});
  EXPECT_EQ(recent->actions().size(), 1);
  EXPECT_EQ(OpenPath(), files_.lo_file);

  // The next run shows the window again, as the last one ended with it.
  EndRun();
  StartRun();
  OpenEditor();
  EXPECT_TRUE(form6_->Workspace()->Levels()->isVisible());
}

TEST_F(LevelsWindowTest, FindsAKindAcrossThreeFilesAndOpensTheSecondResultOnItsRecord) {
  const TLoRecord drum{5, 2, 0, 40, 30, 0, 0, 1};
  const TLoRecord oak{1, 0, 0, 10, 10, 0, 0, 1};
  Level("LoA.dat", {oak, drum, oak, drum});
  const fs::path b = Level("LoB.dat", {oak, oak, drum});
  Open();  // LoTEST.dat: record 5 is a Fuel Drum (5/2)

  // "Find This Kind in Lo Files" on the Fuel Drum's row of the Object Data List.
  ColumnListBox* catalogue = form6_->CatalogueList();
  catalogue->setSelectedRow(6);
  form6_->Workspace()->FindKindAction()->trigger();
  FindInLevelsWindow* find = form6_->Workspace()->Find();
  ASSERT_TRUE(find->isVisible());
  QTRY_VERIFY(!find->Searching());
  QTreeWidget* results = find->Results();
  QStringList files;
  for (int i = 0; i < results->topLevelItemCount(); ++i) files << results->topLevelItem(i)->text(0);
  EXPECT_EQ(files, (QStringList{QStringLiteral("LoA.dat (2)"), QStringLiteral("LoB.dat (1)"),
                                QStringLiteral("LoTEST.dat (1)")}));
  EXPECT_EQ(find->Status()->text(), QStringLiteral("4 records of kind 5/2 in 3 of 3 Lo files."));
  QTreeWidgetItem* in_b = results->topLevelItem(1)->child(0);
  EXPECT_EQ(in_b->text(0), QStringLiteral("Record 2"));
  EXPECT_EQ(in_b->text(1), QStringLiteral("Fuel Drum"));
  EXPECT_EQ(in_b->text(2), QStringLiteral("40.00; 30.00"));

  // A click on it opens LoB.dat and chooses record 2 in the list and on the map.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(find));
  results->scrollToItem(in_b);
  QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                    results->visualItemRect(in_b).center());
  EXPECT_EQ(OpenPath(), b);
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 2);
  EXPECT_EQ(form6_->Map()->View()->selected(), 2);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("40.00"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

}  // namespace
