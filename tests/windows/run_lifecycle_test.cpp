#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QTest>

#include "components/folder_prompt_dialog.h"
#include "components/masked_edit.h"
#include "window_fixture.h"

namespace {

// Points the settings folder at a temporary one for the life of the object.
class ConfigHome {
 public:
  explicit ConfigHome(const std::filesystem::path& folder)
      : old_(qgetenv("XDG_CONFIG_HOME")), had_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.string()));
  }
  ~ConfigHome() {
    if (had_) {
      qputenv("XDG_CONFIG_HOME", old_);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
  }

 private:
  QByteArray old_;
  bool had_;
};

}  // namespace

TEST_F(EditorWindowTest, PlacementIsStoredAtTheEndAndRestoredAtTheNextStart) {
  ConfigHome home(files_.dir.path());
  ASSERT_EQ(DefaultSettingsFilePath(), files_.dir / "zodaZa.INI");

  // A run that never shows the editor still stores its initial bounds.
  {
    ruriVizid settings(DefaultSettingsFilePath());
    TForm1 form1;
    TForm3 form3(form1, settings);
    { TForm6 form6(form3, nullptr); }
    EXPECT_EQ(settings.ReadSetting("Common", "Form6", ""), "200,0,1,289,157,1096,760");
  }

  // A run that moves and resizes the editor.
  QRect frame;
  {
    ruriVizid settings(DefaultSettingsFilePath());
    settings.WriteSetting("Common", "Form6Color", "x");
    TForm1 form1;
    TForm3 form3(form1, settings);
    auto form6 = std::make_unique<TForm6>(form3, nullptr);
    form6->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form6.get()));
    form6->setGeometry(100, 120, 700, 500);
    frame = form6->frameGeometry();
    form6.reset();
    const std::string stored = "200,0,1," + std::to_string(frame.left()) + "," +
                               std::to_string(frame.top()) + "," +
                               std::to_string(frame.left() + frame.width()) + "," +
                               std::to_string(frame.top() + frame.height());
    EXPECT_EQ(settings.ReadSetting("Common", "Form6", ""), stored);
    EXPECT_EQ(settings.ReadSetting("Common", "Form6Color", "gone"), "gone");
  }

  // The next run opens where the last one ended.
  {
    ruriVizid settings(DefaultSettingsFilePath());
    TForm1 form1;
    TForm3 form3(form1, settings);
    TForm6 form6(form3, nullptr);
    form6.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form6));
    EXPECT_EQ(form6.frameGeometry().size(), frame.size());
    // The offscreen platform's made-up 2-pixel frame may shift a window that
    // moves before it is first shown; on a real display it lands exactly.
    EXPECT_LE((form6.frameGeometry().topLeft() - frame.topLeft()).manhattanLength(), 2);
  }
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
  const QString lo_folder = QString::fromStdString(files_.dir.path().string());
  const QString objdat_folder = QString::fromStdString(files_.objdat_folder.string());
  QString open_title, open_directory, default_suffix;
  QStringList filters;
  bool case_sensitive = true;

  modals_.Then([&](QWidget* modal) {
    auto* prompt = qobject_cast<FolderPromptDialog*>(modal);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->windowTitle(), QStringLiteral("Locate Lo Files"));
    EXPECT_TRUE(prompt->okEnabled());
    prompt->highlightPath(lo_folder);
    EXPECT_EQ(prompt->highlightedPath(), lo_folder);
    prompt->accept();
  });
  modals_.Then([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    open_title = dialog->windowTitle();
    filters = dialog->nameFilters();
    default_suffix = dialog->defaultSuffix();
    open_directory = dialog->directory().absolutePath();
    case_sensitive = dialog->filter().testFlag(QDir::CaseSensitive);
    auto* name_box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name_box, nullptr);
    name_box->setText(QString::fromStdString(files_.lo_file.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  modals_.Then([&](QWidget* modal) {
    auto* prompt = qobject_cast<FolderPromptDialog*>(modal);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->windowTitle(), QStringLiteral("Locate OBJDAT.dat Folder"));
    prompt->highlightPath(objdat_folder);
    EXPECT_TRUE(prompt->okEnabled());
    prompt->accept();
  });
  form6_->LoFiles1->trigger();

  EXPECT_EQ(open_title, QStringLiteral("Choose a Lo File to Edit"));
  EXPECT_EQ(filters, (QStringList{QStringLiteral("Lo Files (Lo*.dat)"),
                                  QStringLiteral("Dat Files (*.dat)")}));
  EXPECT_EQ(default_suffix, QStringLiteral("dat"));
  EXPECT_EQ(open_directory, lo_folder);
  EXPECT_FALSE(case_sensitive) << "LOTEST.DAT must match Lo*.dat";
  EXPECT_EQ(settings_->ReadSetting("settings", "startdir", ""), files_.dir.path().string());
  EXPECT_EQ(settings_->ReadSetting("settings", "objdir", ""), files_.objdat_folder.string());
  EXPECT_EQ(form6_->Edit1->text(), QStringLiteral("6"));
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
  EXPECT_EQ(form6_->me6->text(), QStringLiteral("2,50"));
  TypeInto(form6_->me6, QStringLiteral("3.7,25"));  // "." refused, "," taken
  EXPECT_EQ(form6_->me6->text(), QStringLiteral("37,25"));
  form6_->Save1->trigger();
  QLocale::setDefault(before);
  QCoreApplication::sendEvent(qApp, &change);
  Bytes expected = files_.original;
  PutF32(expected, 100 + 20 + 3, 37.25f);
  EXPECT_EQ(ReadBytes(files_.lo_file), expected);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}
