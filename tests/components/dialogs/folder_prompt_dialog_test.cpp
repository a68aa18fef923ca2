#include "dialogs/folder_prompt_dialog.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "qt_convert.h"
#include "support/temp_dir.h"
#include "windows/folder_prompts.h"

namespace {

// The two kinds of prompt the program uses, on a folder of the test's: one
// listing files with an edit box and a status line, one for folders only with
// OK off at first.
FolderPromptOptions FilesPrompt(const QString& root) {
  FolderPromptOptions options = LoFolderPromptOptions();
  options.roots = {root};
  return options;
}

FolderPromptOptions FoldersPrompt(const QString& root) {
  FolderPromptOptions options = ObjdatFolderPromptOptions();
  options.roots = {root};
  return options;
}

class FolderPromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "Game" / "Data");
    std::filesystem::create_directories(dir_ / "Game" / "Lo Files");
    WriteText(dir_ / "Game" / "readme.txt", "x");
    root_ = PathToQString(dir_.path());
  }

  QString at(const QString& relative) const { return root_ + QLatin1Char('/') + relative; }

  // The labels under `path`, joined by "|", as the tree lists them when the
  // user opens that folder.
  static QString childLabels(FolderPromptDialog& dialog, const QString& path) {
    dialog.highlightPath(path);
    const QModelIndex parent = dialog.tree()->currentIndex();
    QAbstractItemModel* model = dialog.tree()->model();
    if (model->canFetchMore(parent)) model->fetchMore(parent);
    QStringList labels;
    for (int row = 0; row < model->rowCount(parent); ++row) {
      labels << model->index(row, 0, parent).data().toString();
    }
    return labels.join(QLatin1Char('|'));
  }

  // Runs the prompt and lets `user` act on it once it is up.
  static bool runWith(FolderPromptDialog& dialog, std::function<void()> user) {
    QTimer::singleShot(0, &dialog, std::move(user));
    return dialog.run();
  }

  static void clickOk(FolderPromptDialog& dialog) {
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QTest::mouseClick(ok, Qt::LeftButton);
  }

  TempDir dir_;
  QString root_;
};

TEST_F(FolderPromptTest, OptionsShapeTheDialog) {
  FolderPromptDialog files(FilesPrompt(root_));
  files.prepare();
  EXPECT_EQ(files.windowTitle(), QStringLiteral("Locate Lo Files"));
  EXPECT_EQ(files.findChild<QLabel*>(QStringLiteral("descriptionLabel"))->text(),
            QStringLiteral("Select Lo*.dat File Directory"));
  EXPECT_NE(files.findChild<QLabel*>(QStringLiteral("statusLabel")), nullptr);
  EXPECT_NE(files.nameEdit(), nullptr);
  EXPECT_TRUE(files.okEnabled());
  EXPECT_EQ(childLabels(files, at(QStringLiteral("Game"))),
            QStringLiteral("Data|Lo Files|readme.txt"));

  FolderPromptDialog folders(FoldersPrompt(root_));
  folders.prepare();
  EXPECT_EQ(folders.findChild<QLabel*>(QStringLiteral("statusLabel")), nullptr);
  EXPECT_EQ(folders.nameEdit(), nullptr);
  EXPECT_FALSE(folders.okEnabled());
  EXPECT_EQ(childLabels(folders, at(QStringLiteral("Game"))), QStringLiteral("Data|Lo Files"));
}

TEST_F(FolderPromptTest, HomeComesFirstThenTheFileSystem) {
  FolderPromptOptions options = FoldersPrompt(QString());
  options.roots.clear();
  FolderPromptDialog dialog(options);
  dialog.prepare();
  const QAbstractItemModel* model = dialog.tree()->model();
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->index(0, 0).data(Qt::ToolTipRole).toString(), QDir::homePath());
  EXPECT_EQ(model->index(1, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("/"));
  // A folder outside home is reached through the file system.
  dialog.setSelectedFolder(root_);
  dialog.prepare();
  EXPECT_EQ(dialog.highlightedPath(), root_);
}

TEST_F(FolderPromptTest, HeldFolderIsHighlightedAndShownInTheStatusLine) {
  FolderPromptDialog dialog(FilesPrompt(root_));
  dialog.setStatusFormatter([](const QString& path) { return QStringLiteral("<") + path; });
  dialog.setSelectedFolder(at(QStringLiteral("Game/Lo Files/")));
  dialog.prepare();
  EXPECT_EQ(dialog.highlightedPath(), at(QStringLiteral("Game/Lo Files")));
  EXPECT_TRUE(dialog.tree()->isExpanded(dialog.tree()->currentIndex().parent()));
  EXPECT_EQ(dialog.statusText(), QStringLiteral("<") + at(QStringLiteral("Game/Lo Files")));
  EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("Lo Files"));

  dialog.highlightPath(at(QStringLiteral("Game/readme.txt")));
  EXPECT_EQ(dialog.statusText(), QStringLiteral("<") + at(QStringLiteral("Game/readme.txt")));

  // A held folder that does not exist highlights nothing.
  dialog.setSelectedFolder(QStringLiteral("c:\\"));
  dialog.prepare();
  EXPECT_EQ(dialog.highlightedPath(), QString());
  EXPECT_EQ(dialog.statusText(), QString());
}

TEST_F(FolderPromptTest, FoldersPromptConfirmsOnlyAfterTheHighlightMoves) {
  FolderPromptDialog dialog(FoldersPrompt(root_));
  dialog.setSelectedFolder(at(QStringLiteral("Game/Data")));
  EXPECT_FALSE(runWith(dialog, [&] { QTest::keyClick(dialog.tree(), Qt::Key_Escape); }));
  EXPECT_EQ(dialog.selectedFolder(), at(QStringLiteral("Game/Data")));

  // OK is off until the highlight moves, so the first click does nothing.
  EXPECT_TRUE(runWith(dialog, [&] {
    EXPECT_EQ(dialog.highlightedPath(), at(QStringLiteral("Game/Data")));
    clickOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    dialog.highlightPath(at(QStringLiteral("Game/Lo Files")));
    clickOk(dialog);
  }));
  EXPECT_EQ(dialog.selectedFolder(), at(QStringLiteral("Game/Lo Files")));
  EXPECT_FALSE(dialog.isVisible());

  // With nothing held, the tree's focus makes an item current but selects
  // nothing: OK stays off until the user picks a folder.
  dialog.setSelectedFolder(QString());
  runWith(dialog, [&] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.tree()->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(dialog.tree()->currentIndex().isValid());
    EXPECT_FALSE(dialog.okEnabled());
    QTest::mouseClick(dialog.tree()->viewport(), Qt::LeftButton, {},
                      dialog.tree()->visualRect(dialog.tree()->currentIndex()).center());
    EXPECT_TRUE(dialog.okEnabled());
    dialog.reject();
  });
}

TEST_F(FolderPromptTest, FilesPromptConfirmsFilesAndTypedNames) {
  FolderPromptDialog dialog(FilesPrompt(root_));
  EXPECT_TRUE(runWith(dialog, [&] {
    dialog.highlightPath(at(QStringLiteral("Game/readme.txt")));
    clickOk(dialog);
  }));
  EXPECT_EQ(dialog.selectedFolder(), at(QStringLiteral("Game/readme.txt")));

  // A typed name stands beside the highlighted item.
  EXPECT_TRUE(runWith(dialog, [&] {
    ASSERT_EQ(dialog.nameEdit()->text(), QStringLiteral("readme.txt"));
    dialog.nameEdit()->setText(QStringLiteral("Data"));
    clickOk(dialog);
  }));
  EXPECT_EQ(dialog.selectedFolder(), at(QStringLiteral("Game/Data")));

  // A typed name that names nothing closes the prompt as cancelled.
  EXPECT_FALSE(runWith(dialog, [&] {
    dialog.nameEdit()->setText(QStringLiteral("No Such Folder"));
    clickOk(dialog);
  }));
  EXPECT_EQ(dialog.selectedFolder(), at(QStringLiteral("Game/Data")));

  // With nothing highlighted OK confirms an empty path.
  dialog.setSelectedFolder(QString());
  EXPECT_TRUE(runWith(dialog, [&] { clickOk(dialog); }));
  EXPECT_EQ(dialog.selectedFolder(), QString());
}

TEST_F(FolderPromptTest, OpensCentredOverTheActiveWindow) {
  QWidget owner;
  owner.setGeometry(100, 100, 600, 400);
  owner.show();
  owner.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
  FolderPromptDialog dialog(FoldersPrompt(root_), &owner);
  dialog.resize(340, 300);
  QPoint shownAt;
  runWith(dialog, [&] {
    shownAt = dialog.frameGeometry().topLeft();
    dialog.reject();
  });
  const QRect frame = owner.frameGeometry();
  EXPECT_EQ(shownAt, QPoint(frame.x() + (frame.width() - dialog.frameGeometry().width()) / 2,
                            frame.y() + (frame.height() - dialog.frameGeometry().height()) / 2));
}

}  // namespace
