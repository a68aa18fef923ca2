#include <QAction>
#include <QTest>

#include "fields/cell_editor.h"
#include "fields/column_list_box.h"
#include "map/map_legend.h"
#include "map/map_strip.h"
#include "window_fixture.h"
#include "windows/editor_map.h"

namespace {

class NamingWindowTest : public EditorWindowTest {
 protected:
  // F2 on catalogue row `row`: the name's editor over its cell.
  CellEditor* StartNaming(int row) {
    ColumnListBox* catalogue = form6_->CatalogueList();
    QTest::mouseClick(catalogue->viewport(), Qt::LeftButton, {}, catalogue->rowRect(row).center());
    catalogue->setFocus();
    QTest::keyClick(catalogue, Qt::Key_F2);
    for (CellEditor* editor : catalogue->findChildren<CellEditor*>()) {
      if (editor->isVisible()) return editor;  // an ended one waits to be deleted
    }
    return nullptr;
  }
  QString LegendOf(int object_class) const {
    for (const MapLegendEntry& entry : form6_->Map()->Strip()->legend()->entries()) {
      if (entry.key == object_class) return entry.text;
    }
    return {};
  }
};

TEST_F(NamingWindowTest, F2NamesAKindInPlaceBothListsAndTheLegendFollowAndUndoTakesItBack) {
  Open();
  form6_->activateWindow();  // F2 is the list's key while it has the focus
  ASSERT_TRUE(QTest::qWaitForWindowActive(form6_.get()));
  const std::filesystem::path names = files_.objdat_folder / "objdat.nam";
  const Bytes before = ReadBytes(names);
  ColumnListBox* catalogue = form6_->CatalogueList();

  // Esc keeps the old name and writes nothing.
  CellEditor* editor = StartNaming(3);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), QStringLiteral("Boulder"));
  QTest::keyClicks(editor, QStringLiteral("Stone"));
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(catalogue->rows()[3], QStringLiteral("3;2;2;Boulder"));
  EXPECT_EQ(ReadBytes(names), before);

  // Enter writes it: the Boulder (2/2) is record 2 and class 2 on the legend.
  editor = StartNaming(3);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, QStringLiteral("Granit"));
  editor->insert(QStringLiteral("\u00E9"));  // an 8-bit letter (Qt's test keys are ASCII)
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(catalogue->rows()[3], QStringLiteral("3;2;2;Granit\u00E9"));
  EXPECT_EQ(catalogue->selectedRow(), 3);
  EXPECT_EQ(form6_->ContentsList()->rows()[2], QStringLiteral("2;2;2;Granit\u00E9"));
  EXPECT_EQ(LegendOf(2), QStringLiteral("2: Granit\u00E9"));
  EXPECT_EQ(Slice(ReadBytes(names), 90, 9), Bytes({'G', 'r', 'a', 'n', 'i', 't', 0xE9, 0, 0}));

  QAction* undo = form6_->Action(TCommand::Undo);
  EXPECT_EQ(undo->text(), QStringLiteral("Undo Name of 2/2"));
  undo->trigger();
  EXPECT_EQ(ReadBytes(names), before);
  EXPECT_EQ(catalogue->rows()[3], QStringLiteral("3;2;2;Boulder"));
  EXPECT_EQ(form6_->ContentsList()->rows()[2], QStringLiteral("2;2;2;Boulder"));
  EXPECT_EQ(LegendOf(2), QStringLiteral("2: Boulder"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(QStringLiteral("\n")).toStdString();
}

}  // namespace
