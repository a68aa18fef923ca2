#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <algorithm>

#include "dialogs/error_box.h"
#include "dialogs/folder_prompt_dialog.h"
#include "fields/masked_edit.h"
#include "window_fixture.h"
#include "windows/desktop_host.h"

namespace {

// A frame as the settings file stores it: "200,flags,show,left,top,right,bottom".
std::string Stored(const QRect& frame) {
  return "200,0,1," + std::to_string(frame.left()) + "," + std::to_string(frame.top()) + "," +
         std::to_string(frame.left() + frame.width()) + "," +
         std::to_string(frame.top() + frame.height());
}

}  // namespace

TEST_F(EditorWindowTest, PlacementIsStoredAtTheEndAndRestoredAtTheNextStart) {
  const auto stored = [this] {
    return ruriVizid(SettingsFile()).ReadSetting("Common", "Form6", "");
  };
  // A run that never shows the editor still stores its initial bounds.
  StartRun(/*store_folders=*/false);
  EndRun();
  EXPECT_EQ(stored(), Stored(QRect(289, 157, 807, 603)));

  // A run that moves and resizes the editor.
  StartRun(false);
  form6_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form6_.get()));
  form6_->setGeometry(100, 120, 700, 500);
  const QRect frame = form6_->frameGeometry();
  EndRun();
  EXPECT_EQ(stored(), Stored(frame));

  // The next run opens where the last one ended.
  StartRun(false);
  form6_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form6_.get()));
  EXPECT_EQ(form6_->frameGeometry().size(), frame.size());
  // The offscreen platform's made-up 2-pixel frame may shift a window that
  // moves before it is first shown; on a real display it lands exactly.
  EXPECT_LE((form6_->frameGeometry().topLeft() - frame.topLeft()).manhattanLength(), 2);
}

TEST_F(EditorWindowTest, ABadStoredPlacementIsReportedAndTheWindowStillOpens) {
  StartRun();
  settings_->WriteSetting("Common", "Form6", "200,0,1,x,20,830,620");
  OpenEditor();
  EXPECT_EQ(errors_, QStringList{QStringLiteral("'x' is not a valid integer value.")});
  EXPECT_TRUE(form6_->isVisible());
  EXPECT_EQ(form6_->frameGeometry().topLeft(), QPoint(289, 157));
}

TEST_F(EditorWindowTest, FirstOpenAsksForBothFoldersAndStoresThem) {
  StartRun(/*store_folders=*/false);
  OpenEditor();
  const auto answer_prompt = [this](const char* title, bool ok_at_open,
                                    const std::filesystem::path& folder) {
    modals_.Then([=](QWidget* modal) {
      auto* prompt = qobject_cast<FolderPromptDialog*>(modal);
      ASSERT_NE(prompt, nullptr);
      EXPECT_EQ(prompt->windowTitle(), QString::fromLatin1(title));
      EXPECT_EQ(prompt->okEnabled(), ok_at_open);
      prompt->highlightPath(QString::fromStdString(folder.string()));
      prompt->accept();
    });
  };
  answer_prompt("Locate Lo Files", true, files_.dir.path());
  AnswerFileDialog(files_.lo_file, [this](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Choose a Lo File to Edit"));
    EXPECT_EQ(dialog->nameFilters(), (QStringList{QStringLiteral("Lo Files (Lo*.dat)"),
                                                  QStringLiteral("Dat Files (*.dat)")}));
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("dat"));
    EXPECT_EQ(dialog->directory().absolutePath(),
              QString::fromStdString(files_.dir.path().string()));
    EXPECT_FALSE(dialog->filter().testFlag(QDir::CaseSensitive)) << "LOTEST.DAT is a Lo file";
  });
  answer_prompt("Locate OBJDAT.dat Folder", false, files_.objdat_folder);
  form6_->Action(TCommand::OpenLoFile)->trigger();

  EXPECT_EQ(settings_->ReadSetting("settings", "startdir", ""), files_.dir.path().string());
  EXPECT_EQ(settings_->ReadSetting("settings", "objdir", ""), files_.objdat_folder.string());
  EXPECT_EQ(form6_->RecordCountBox()->text(), QStringLiteral("6"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(EditorWindowTest, TheDecimalSeparatorFollowsTheLocale) {
  const QLocale before;
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  // What the application does when the system announces a settings change.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &change);
  ClickRow(1);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("1,25"));
  TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("3.7,25"));  // "." refused, "," taken
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("37,25"));
  form6_->Action(TCommand::Save)->trigger();
  QLocale::setDefault(before);
  QCoreApplication::sendEvent(qApp, &change);
  Bytes expected = files_.original;
  PutF32(expected, 100 + 20 + 3, 37.25f);
  EXPECT_EQ(ReadBytes(files_.lo_file), expected);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(EditorWindowTest, ARunThatOpensTheFileDialogWritesNoFileButTheSettingsFile) {
  const std::filesystem::path config = SettingsFile().parent_path();
  std::filesystem::create_directories(config);
  // Where Qt keeps settings of its own, were it to write them (each test
  // runs in a process of its own, so Qt has not looked yet).
  const bool was_set = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.string()));
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  EndRun();
  if (was_set) {
    qputenv("XDG_CONFIG_HOME", saved);
  } else {
    qunsetenv("XDG_CONFIG_HOME");
  }

  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(config)) {
    names.push_back(entry.path().lexically_relative(config).string());
  }
  std::sort(names.begin(), names.end());
  // Beside the shared settings file only the program's own list of files opened.
  EXPECT_EQ(names, (std::vector<std::string>{"rererarovi", "rererarovi/recent.ini", "zodaZa.INI"}));
}

// A settings file that is a folder: read and written in vain. Every box the
// user could act on is seen, the last one after the event loop has ended and
// after earlier boxes.
TEST_F(EditorWindowTest, EveryBoxIsSeenToTheEndOfTheRunHoweverManyCameBefore) {
  std::filesystem::create_directories(SettingsFile());
  StartRun(/*store_folders=*/false);
  SetErrorBoxPresenter({});  // the real box, answered below
  form3_->Desktop().EndRequest = &DesktopHost::QueueProgramEnd;
  QStringList seen;
  const auto answer_ok = [&seen](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    seen << box->text();
    box->button(QMessageBox::Ok)->click();
  };
  for (int i = 0; i < 3; ++i) modals_.Then(answer_ok);

  OpenEditor();  // the placement cannot be read
  TypeInto(Find<MaskedEdit>("ME2"), QStringLiteral("5"));
  Find<QAction>("Save1")->trigger();  // no file open
  form6_->close();
  QApplication::exec();
  // The program's end, as main runs it.
  ShowPendingErrorBoxes();
  form6_.reset();  // stores the placement
  ShowPendingErrorBoxes();

  const QString settings = QString::fromStdString(SettingsFile().string());
  EXPECT_EQ(seen, (QStringList{QStringLiteral("Unable to read ") + settings +
                                   QStringLiteral(": File access denied."),
                               QStringLiteral("I/O error 103."),
                               QStringLiteral("Unable to write to ") + settings + u'.'}));
}

// A folder in the settings file's place: opening the editor and "Open a Lo
// File" each say which file could not be read and why, and stop there: no
// prompt, no file dialog, nothing written.
TEST_F(EditorWindowTest, AnUnreadableSettingsFileIsNamedAndNothingIsWrittenFromIt) {
  std::filesystem::create_directories(SettingsFile());
  StartRun(/*store_folders=*/false);
  OpenEditor();                                     // reads the stored placement
  form6_->Action(TCommand::OpenLoFile)->trigger();  // reads the Lo folder
  const QString unable = QStringLiteral("Unable to read ") +
                         QString::fromStdString(SettingsFile().string()) +
                         QStringLiteral(": File access denied.");
  EXPECT_EQ(errors_, (QStringList{unable, unable}));
  EXPECT_TRUE(std::filesystem::is_empty(SettingsFile()));
  EXPECT_EQ(NamesIn(SettingsFile().parent_path()), std::vector<std::string>{"zodaZa.INI"});
}
