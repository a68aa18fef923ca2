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

#include "dialogs/error_box.h"
#include "dialogs/font_dialog.h"
#include "errors/app_error.h"
#include "platform/binary_file.h"
#include "platform/whole_file.h"
#include "rtf/rtf_reader.h"
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

QTextCharFormat FormatAt(const TForm4& form, int position) {
  QTextCursor cursor(form.RichEdit1->document());
  cursor.setPosition(position);
  return cursor.charFormat();
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

// Runs the notes' font dialog; `in_dialog` acts in it and presses a button.
void RunFontDialog(TForm4& form, const std::function<void(FontDialog&)>& in_dialog) {
  QTimer::singleShot(0, form.FontDlg1, [&] { in_dialog(*form.FontDlg1); });
  form.Font1Click();
}

void Press(FontDialog& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
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
  EXPECT_EQ(form.menuBar()->actions(), (QList<QAction*>{form.Save1, form.Font1}));
  EXPECT_EQ(form.Save1->text(), QStringLiteral("Save"));
  EXPECT_EQ(form.Font1->text(), QStringLiteral("Font"));
  EXPECT_EQ(form.Save1->menu(), nullptr);  // commands, not drop-down menus
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
  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("typed")});
  EXPECT_EQ(form.pos(), left_at);

  WriteText(notes, "from the file");
  form.close();
  form.ShowNotes();
  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("from the file")});
}

TEST_F(NotesWindow, PlainTextInEitherLineEndingIsShownAndSavedAsRtf) {
  const QStringList expected = {QStringLiteral("caf\u00E9 notes"), QStringLiteral("two"), QString(),
                                QStringLiteral("four")};
  for (const char* text : {"caf\xE9 notes\ntwo\n\nfour", "caf\xE9 notes\r\ntwo\r\n\r\nfour"}) {
    WriteText(notes, text);
    TForm4 form(notes);
    form.ShowNotes();
    EXPECT_EQ(Lines(form), expected) << text;
    form.Save1Click();
    EXPECT_TRUE(StartsAsRtf(QByteArray::fromStdString(ReadText(notes))));
    form.RichEdit1->clear();
    form.ShowNotes();
    EXPECT_EQ(Lines(form), expected);
  }
}

TEST_F(NotesWindow, EmptyEditorSavesADocumentWithNoText) {
  TForm4 form(notes);
  form.Save1Click();
  EXPECT_TRUE(StartsAsRtf(QByteArray::fromStdString(ReadText(notes))));
  form.RichEdit1->setPlainText(QStringLiteral("to be replaced"));
  form.ShowNotes();
  EXPECT_TRUE(form.RichEdit1->document()->isEmpty());
}

TEST_F(NotesWindow, SavedFormattingAndNonLatinTextComeBack) {
  const QString text = QStringLiteral("\u20AC \u03A9\u03BC\u03AD\u03B3\u03B1");
  {
    TForm4 form(notes);
    QTextCharFormat format;
    format.setFontFamilies(QStringList{QStringLiteral("Liberation Serif")});
    format.setFontPointSize(18);
    format.setFontWeight(QFont::Bold);
    format.setForeground(QColor(0, 128, 0));
    QTextCursor(form.RichEdit1->document()).insertText(text, format);
    form.Save1Click();
  }
  TForm4 form(notes);
  form.ShowNotes();
  EXPECT_EQ(Lines(form), QStringList{text});
  const QTextCharFormat format = FormatAt(form, 3);
  EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Serif")});
  EXPECT_EQ(format.fontPointSize(), 18);
  EXPECT_EQ(format.fontWeight(), QFont::Bold);
  EXPECT_EQ(format.foreground().color(), QColor(0, 128, 0));
}

TEST_F(NotesWindow, FileErrorsGiveTheNotesMessagesAndKeepTheOldFile) {
  const std::string path = notes.string();
  const auto in_missing_folder = dir / "missing-folder" / "loinfo.txt";
  {
    // Through the menu: the error box shows the message with its period.
    TForm4 form(in_missing_folder);
    QString caption, text;
    const ErrorBoxPresenter previous =
        SetErrorBoxPresenter([&](const QString& c, const QString& t) {
          caption = c;
          text = t;
        });
    form.Save1->trigger();
    SetErrorBoxPresenter(previous);
    EXPECT_EQ(caption, QStringLiteral("Orvo Ri Dizo Rirori"));
    EXPECT_EQ(text.toStdString(), "Cannot create file " + in_missing_folder.string() + ".");
  }
  {
    std::filesystem::create_directory(notes);  // a folder where the file should be
    TForm4 form(notes);
    EXPECT_EQ(ErrorOf([&] { form.ShowNotes(); }), "Cannot open file " + path);
    EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }), "Cannot create file " + path);
    std::filesystem::remove(notes);
  }
  WriteText(notes, "old notes");
  TForm4 form(notes);
  form.RichEdit1->setPlainText(QStringLiteral("new notes"));
  file_faults::Reset();
  file_faults::FailOperation(kReplaceWrite, 101);
  EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }), "Failed to Save Stream");
  file_faults::ShortWrite(kReplaceWrite, 10);
  EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }), "Failed to Save Stream");
  EXPECT_EQ(ReadText(notes), "old notes");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  file_faults::FailOperation(2, 5);  // open, then the read fails
  EXPECT_EQ(ErrorOf([&] { form.ShowNotes(); }), "Failed to Load Stream");
  file_faults::Reset();
  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("new notes")});
}

TEST_F(NotesWindow, ReadOnlyFolderOrFileCannotBeSavedAndKeepsTheOldFile) {
  namespace fs = std::filesystem;
  const fs::path folder = dir / "ro";
  fs::create_directory(folder);
  const fs::path in_folder = folder / "loinfo.txt";
  WriteText(in_folder, "old notes");
  WriteText(notes, "old notes");
  const auto read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  fs::permissions(notes, read_only);
  fs::permissions(folder, read_only | exec);
  fs::permissions(in_folder, fs::perms::others_read, fs::perm_options::add);
  fs::permissions(dir.path(), fs::perms::others_read | fs::perms::others_exec,
                  fs::perm_options::add);
  fs::create_directory(dir / "child");
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir / "child")) std::exit(2);
        bool refused = true;
        for (const fs::path& file : {in_folder, notes}) {
          TForm4 form(file);
          form.RichEdit1->setPlainText(QStringLiteral("new"));
          refused &= ErrorOf([&] { form.Save1Click(); }) == "Cannot create file " + file.string();
          refused &= ReadText(file) == "old notes";
        }
        std::exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(NotesWindow, FontApplyActsAtOnceCancelKeepsItAndSaveRecordsIt) {
  TForm4 form(notes);
  form.ShowNotes();
  QTest::keyClicks(form.RichEdit1, QStringLiteral("notes text"));
  int size_while_open = 0;
  RunFontDialog(form, [&](FontDialog& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("family"))
        ->setEditText(QStringLiteral("Liberation Mono"));
    auto* size = dialog.findChild<QComboBox*>(QStringLiteral("size"));
    size->setCurrentIndex(size->findData(20));
    dialog.findChild<QComboBox*>(QStringLiteral("color"))->setCurrentText(QStringLiteral("Blue"));
    Press(dialog, QDialogButtonBox::Apply);
    size_while_open = form.RichEdit1->font().pointSize();
    size->setCurrentIndex(size->findData(8));
    Press(dialog, QDialogButtonBox::Cancel);
  });
  EXPECT_EQ(size_while_open, 20);
  EXPECT_EQ(form.RichEdit1->font().pointSize(), 20);
  EXPECT_EQ(form.RichEdit1->palette().color(QPalette::Text), QColor(0, 0, 255));

  form.Save1Click();
  TForm4 again(notes);
  again.ShowNotes();
  const QTextCharFormat saved = FormatAt(again, 1);
  EXPECT_EQ(saved.fontPointSize(), 20);
  EXPECT_EQ(saved.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Mono")});
  EXPECT_EQ(saved.foreground().color(), QColor(0, 0, 255));
}

TEST_F(NotesWindow, FontReachesLoadedTextAndOnlyTheSelectionWhenThereIsOne) {
  WriteText(notes, "{\\rtf1{\\fonttbl{\\f0 Liberation Sans;}}\\f0\\fs20 first\\par second}");
  TForm4 form(notes);
  form.ShowNotes();
  RunFontDialog(form, [](FontDialog& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("style"))->setCurrentText(QStringLiteral("Italic"));
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(FormatAt(form, 1).fontItalic());
  EXPECT_TRUE(FormatAt(form, 8).fontItalic());

  QTextCursor second(form.RichEdit1->document());
  second.setPosition(6);
  second.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  form.RichEdit1->setTextCursor(second);
  RunFontDialog(form, [](FontDialog& dialog) {
    auto* size = dialog.findChild<QComboBox*>(QStringLiteral("size"));
    size->setCurrentIndex(size->findData(24));
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_EQ(FormatAt(form, 8).fontPointSize(), 24);
  EXPECT_EQ(FormatAt(form, 1).fontPointSize(), 8);
}

}  // namespace
