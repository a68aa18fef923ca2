#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "components/error_box.h"
#include "components/font_dialog.h"
#include "components/rtf/rtf_reader.h"
#include "errors/app_error.h"
#include "platform/binary_file.h"
#include "support/temp_dir.h"
#include "windows/rererarovi4.h"

namespace {

QStringList Lines(const TForm4& form) {
  QStringList lines;
  for (QTextBlock block = form.RichEdit1->document()->begin(); block.isValid();
       block = block.next()) {
    lines << block.text();
  }
  return lines;
}

// The message of the AppError the action raises, empty when it raises none.
std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AppError& error) {
    return error.what();
  }
  return {};
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

class NotesWindow : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path notes = dir / "loinfo.txt";
};

TEST_F(NotesWindow, LooksLikeTheNotesWindow) {
  TForm4 form(notes);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Lo File Editing Notes"));
  EXPECT_EQ(form.size(), QSize(456, 298));
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_FALSE(form.testAttribute(Qt::WA_QuitOnClose));
  const QList<QAction*> commands = form.menuBar()->actions();
  ASSERT_EQ(commands.size(), 2);
  EXPECT_EQ(commands[0], form.Save1);
  EXPECT_EQ(commands[1], form.Font1);
  EXPECT_EQ(form.Save1->text().remove(u'&'), QStringLiteral("Save"));
  EXPECT_EQ(form.Font1->text().remove(u'&'), QStringLiteral("Font"));
  EXPECT_EQ(form.Save1->menu(), nullptr);  // commands, not drop-down menus
  EXPECT_EQ(form.Font1->menu(), nullptr);
  EXPECT_EQ(form.centralWidget(), form.RichEdit1);
  EXPECT_EQ(form.RichEdit1->lineWrapMode(), QTextEdit::WidgetWidth);
  EXPECT_EQ(form.RichEdit1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(form.RichEdit1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(form.RichEdit1->font().pointSize(), 8);
}

TEST_F(NotesWindow, FirstShowWithoutAFileIsEmptyCentredAndCreatesNothing) {
  TForm4 form(notes);
  form.ShowNotes();
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.RichEdit1->document()->isEmpty());
  EXPECT_FALSE(std::filesystem::exists(notes));
  const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(NotesWindow, ClosingHidesAndKeepsTextAndPlaceUntilAFileReplacesIt) {
  TForm4 form(notes);
  form.ShowNotes();
  QTest::keyClicks(form.RichEdit1, QStringLiteral("typed"));
  form.move(30, 40);
  const QPoint left_at = form.pos();
  form.close();
  EXPECT_FALSE(form.isVisible());
  form.ShowNotes();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("typed")});
  EXPECT_EQ(form.pos(), left_at);

  WriteText(notes, "from the file");
  form.close();
  form.ShowNotes();
  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("from the file")});
}

TEST_F(NotesWindow, PlainTextFromAnotherEditorIsShownAndSavedAsRtf) {
  WriteText(notes, "caf\xE9 notes\r\nsecond line\r\n");
  TForm4 form(notes);
  form.ShowNotes();
  const QStringList expected = {QStringLiteral("caf\u00E9 notes"), QStringLiteral("second line"),
                                QString()};
  EXPECT_EQ(Lines(form), expected);
  form.Save1Click();
  const std::string saved = ReadText(notes);
  EXPECT_TRUE(StartsAsRtf(QByteArray::fromStdString(saved))) << saved;
  TForm4 again(notes);
  again.ShowNotes();
  EXPECT_EQ(Lines(again), expected);
}

TEST_F(NotesWindow, LfOnlyAndCrLfFilesShowTheSameLines) {
  TForm4 form(notes);
  WriteText(notes, "one\ntwo\n\nfour");
  form.ShowNotes();
  const QStringList lf = Lines(form);
  WriteText(notes, "one\r\ntwo\r\n\r\nfour");
  form.ShowNotes();
  EXPECT_EQ(Lines(form), lf);
  EXPECT_EQ(lf, (QStringList{QStringLiteral("one"), QStringLiteral("two"), QString(),
                             QStringLiteral("four")}));
}

TEST_F(NotesWindow, EmptyEditorSavesADocumentWithNoText) {
  TForm4 form(notes);
  form.Save1Click();
  ASSERT_TRUE(std::filesystem::exists(notes));
  EXPECT_TRUE(StartsAsRtf(QByteArray::fromStdString(ReadText(notes))));
  form.RichEdit1->setPlainText(QStringLiteral("to be replaced"));
  form.ShowNotes();
  EXPECT_TRUE(form.RichEdit1->document()->isEmpty());
}

TEST_F(NotesWindow, SavedFormattingAndNonLatinTextComeBack) {
  {
    TForm4 form(notes);
    QTextCursor cursor(form.RichEdit1->document());
    QTextCharFormat format;
    format.setFontFamilies(QStringList{QStringLiteral("Liberation Serif")});
    format.setFontPointSize(18);
    format.setFontWeight(QFont::Bold);
    format.setForeground(QColor(0, 128, 0));
    cursor.insertText(QStringLiteral("\u20AC \u03A9\u03BC\u03AD\u03B3\u03B1"), format);
    form.Save1Click();
  }
  TForm4 form(notes);
  form.ShowNotes();
  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("\u20AC \u03A9\u03BC\u03AD\u03B3\u03B1")});
  QTextCursor cursor(form.RichEdit1->document());
  cursor.setPosition(3);
  const QTextCharFormat format = cursor.charFormat();
  EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Serif")});
  EXPECT_EQ(format.fontPointSize(), 18);
  EXPECT_EQ(format.fontWeight(), QFont::Bold);
  EXPECT_EQ(format.foreground().color(), QColor(0, 128, 0));
}

TEST_F(NotesWindow, FileErrorsGiveTheNotesMessagesAndKeepTheOldFile) {
  const std::string path = notes.string();
  {
    TForm4 form(dir / "missing-folder" / "loinfo.txt");
    EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }),
              "Cannot create file " + (dir / "missing-folder" / "loinfo.txt").string());
  }
  {
    // A folder where the notes file should be.
    std::filesystem::create_directory(notes);
    TForm4 form(notes);
    EXPECT_EQ(ErrorOf([&] { form.ShowNotes(); }), "Cannot open file " + path);
    EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }), "Cannot create file " + path);
    std::filesystem::remove(notes);
  }
  WriteText(notes, "old notes");
  TForm4 form(notes);
  form.RichEdit1->setPlainText(QStringLiteral("new notes"));
  file_faults::Reset();
  file_faults::FailOperation(2, 101);  // create the new file, then its write fails
  EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }), "Failed to Save Stream");
  file_faults::ShortWrite(2, 10);
  EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }), "Failed to Save Stream");
  EXPECT_EQ(ReadText(notes), "old notes");
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"loinfo.txt"});

  file_faults::FailOperation(2, 5);  // open, then the read fails
  EXPECT_EQ(ErrorOf([&] { form.ShowNotes(); }), "Failed to Load Stream");
  file_faults::Reset();
  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("new notes")});
}

TEST_F(NotesWindow, MenuCommandFailureGoesToTheErrorBox) {
  const auto path = dir / "missing-folder" / "loinfo.txt";
  TForm4 form(path);
  QString caption;
  QString text;
  const ErrorBoxPresenter previous = SetErrorBoxPresenter([&](const QString& c, const QString& t) {
    caption = c;
    text = t;
  });
  form.Save1->trigger();
  SetErrorBoxPresenter(previous);
  EXPECT_EQ(caption, QStringLiteral("Orvo Ri Dizo Rirori"));
  EXPECT_EQ(text,
            QStringLiteral("Cannot create file %1.").arg(QString::fromStdString(path.string())));
}

TEST_F(NotesWindow, ReadOnlyFolderOrFileCannotBeSavedAndKeepsTheOldFile) {
  namespace fs = std::filesystem;
  const fs::path folder = dir / "ro";
  fs::create_directory(folder);
  const fs::path in_folder = folder / "loinfo.txt";
  WriteText(in_folder, "old notes");
  WriteText(notes, "old notes");
  fs::permissions(notes, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  fs::create_directory(dir / "child");
  fs::permissions(dir.path(), fs::perms::others_read | fs::perms::others_exec,
                  fs::perm_options::add);
  fs::permissions(in_folder, fs::perms::others_read, fs::perm_options::add);
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir / "child")) std::exit(2);
        TForm4 folder_form(in_folder);
        folder_form.RichEdit1->setPlainText(QStringLiteral("new"));
        const bool folder_refused = ErrorOf([&] { folder_form.Save1Click(); }) ==
                                    "Cannot create file " + in_folder.string();
        TForm4 file_form(notes);
        file_form.RichEdit1->setPlainText(QStringLiteral("new"));
        const bool file_refused =
            ErrorOf([&] { file_form.Save1Click(); }) == "Cannot create file " + notes.string();
        const bool kept = ReadText(in_folder) == "old notes" && ReadText(notes) == "old notes";
        std::exit(folder_refused && file_refused && kept ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(NotesWindow, FontDialogApplyActsAtOnceAndCancelKeepsIt) {
  TForm4 form(notes);
  form.ShowNotes();
  QTest::keyClicks(form.RichEdit1, QStringLiteral("notes text"));
  FontDialog* dialog = form.FontDlg1;
  int size_while_open = 0;
  QTimer::singleShot(0, dialog, [&] {
    auto* family = dialog->findChild<QComboBox*>(QStringLiteral("family"));
    auto* size = dialog->findChild<QComboBox*>(QStringLiteral("size"));
    auto* color = dialog->findChild<QComboBox*>(QStringLiteral("color"));
    family->setEditText(QStringLiteral("Liberation Mono"));
    size->setCurrentIndex(size->findData(20));
    color->setCurrentText(QStringLiteral("Blue"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    buttons->button(QDialogButtonBox::Apply)->click();
    size_while_open = form.RichEdit1->font().pointSize();
    buttons->button(QDialogButtonBox::Cancel)->click();
  });
  form.Font1Click();
  EXPECT_EQ(size_while_open, 20);
  EXPECT_EQ(form.RichEdit1->font().pointSize(), 20);
  EXPECT_EQ(form.RichEdit1->font().family(), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(form.RichEdit1->palette().color(QPalette::Text), QColor(0, 0, 255));

  // The applied font is what "Save" records for the typed text.
  form.Save1Click();
  TForm4 again(notes);
  again.ShowNotes();
  QTextCursor cursor(again.RichEdit1->document());
  cursor.setPosition(1);
  EXPECT_EQ(cursor.charFormat().fontPointSize(), 20);
  EXPECT_EQ(cursor.charFormat().fontFamilies().toStringList(),
            QStringList{QStringLiteral("Liberation Mono")});
  EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0, 0, 255));
}

TEST_F(NotesWindow, FontDialogOkSetsTheFont) {
  TForm4 form(notes);
  FontDialog* dialog = form.FontDlg1;
  QTimer::singleShot(0, dialog, [&] {
    auto* style = dialog->findChild<QComboBox*>(QStringLiteral("style"));
    style->setCurrentText(QStringLiteral("Italic"));
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  form.Font1Click();
  EXPECT_TRUE(form.RichEdit1->font().italic());
  EXPECT_TRUE(form.RichEdit1->document()->defaultFont().italic());
}

}  // namespace
