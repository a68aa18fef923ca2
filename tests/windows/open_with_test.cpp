#include <QTest>

#include "fields/column_list_box.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/editor_map.h"

// A Lo file named on the command line (a file manager's "Open with").

TEST_F(EditorWindowTest, ANamedFileOpensAfterTheStartupButtonWithoutLoFolderOrDialog) {
  StartRun(/*store_folders=*/false);  // no Lo folder stored, and none is asked for
  settings_->WriteSetting("settings", "objdir", files_.objdat_folder.string());
  form6_->SetStartFile(files_.lo_file);
  form1_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form1_.get()));
  EXPECT_EQ(form6_->ContentsList()->rows(), QStringList{QString()})
      << "nothing opens before the button";

  OpenEditor();
  EXPECT_EQ(form6_->windowTitle(),
            QStringLiteral("Editing ") + QString::fromStdString(files_.lo_file.string()));
  ASSERT_EQ(form6_->ContentsList()->rowCount(), 6);
  EXPECT_EQ(form6_->ContentsList()->rows()[4], QStringLiteral("4;4;1;Rock"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
  EXPECT_EQ(settings_->ReadSetting("settings", "startdir", "none"), "none");
  // The map shows the whole file, as after an open from the menu.
  MapView* map = form6_->Map()->View();
  const double opened_scale = map->transform().Scale();
  map->fit();
  EXPECT_DOUBLE_EQ(map->transform().Scale(), opened_scale);

  // The menu's open runs its dialog as usual.
  settings_->WriteSetting("settings", "startdir", files_.dir.path().string());
  OpenFile(files_.lo_file);
  EXPECT_EQ(modals_.Pending(), 0u);
}

TEST_F(EditorWindowTest, ANamedFileThatCannotBeOpenedLeavesTheEditorOpenWithNoFile) {
  StartRun();
  form6_->SetStartFile(files_.dir / "LoMissing.dat");
  OpenEditor();
  EXPECT_EQ(errors_, QStringList{QStringLiteral("File not found.")});
  EXPECT_TRUE(form6_->isVisible());
  EXPECT_FALSE(form3_->Session().Document().IsOpen());
  ColumnListBox* contents = form6_->ContentsList();
  EXPECT_EQ(contents->rows(), QStringList{QString()}) << "the one empty row, as at start";
  EXPECT_EQ(end_requests_, 0);

  OpenFile(files_.lo_file);
  EXPECT_EQ(contents->rowCount(), 6);
}
