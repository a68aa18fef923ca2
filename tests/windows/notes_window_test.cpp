#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <cerrno>
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

TEST_F(NotesWindow, WindowEditorAndEmptySaveUseTheDialogFontAt8Points) {
  TForm4 form(notes);
  for (const QFont& font :
       {form.font(), form.RichEdit1->font(), form.RichEdit1->document()->defaultFont()}) {
    EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.styleHint(), QFont::SansSerif);  // the same fallback as the other windows
    EXPECT_EQ(font.pointSize(), 8);
  }
  form.Save1Click();
  const std::string saved = ReadText(notes);
  EXPECT_NE(saved.find(" MS Sans Serif;}"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\\fs16 "), std::string::npos) << saved;
}

TEST_F(NotesWindow, PlainTextKeepsItsExactTextThroughSaves) {
  WriteText(notes, "one\r\ntwo\r\n\r\nfour\r\n");
  TForm4 form(notes);
  form.ShowNotes();
  const QStringList lines = {QStringLiteral("one"), QStringLiteral("two"), QString(),
                             QStringLiteral("four")};
  EXPECT_EQ(Lines(form), lines);
  form.Save1Click();
  const std::string first = ReadText(notes);
  // One paragraph mark per line break of the plain text, no more.
  std::size_t marks = 0;
  for (std::size_t at = first.find("\\par\r\n"); at != std::string::npos;
       at = first.find("\\par\r\n", at + 1)) {
    ++marks;
  }
  EXPECT_EQ(marks, 4u) << first;
  form.ShowNotes();
  EXPECT_EQ(Lines(form), lines);
  form.Save1Click();
  EXPECT_EQ(ReadText(notes), first);
}

TEST_F(NotesWindow, FontApplyActsAtOnceCancelKeepsItAndTypedTextTakesIt) {
  TForm4 form(notes);
  form.ShowNotes();
  QTest::keyClicks(form.RichEdit1, QStringLiteral("before"));
  RunFontDialog(form, [&](FontDialog& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("family"))
        ->setEditText(QStringLiteral("Liberation Mono"));
    dialog.findChild<QComboBox*>(QStringLiteral("size"))->setEditText(QStringLiteral("20"));
    dialog.findChild<QComboBox*>(QStringLiteral("color"))->setCurrentText(QStringLiteral("Blue"));
    Press(dialog, QDialogButtonBox::Apply);
    dialog.findChild<QComboBox*>(QStringLiteral("size"))->setEditText(QStringLiteral("8"));
    Press(dialog, QDialogButtonBox::Cancel);
  });
  QTest::keyClicks(form.RichEdit1, QStringLiteral(" after"));

  form.Save1Click();
  TForm4 again(notes);
  again.ShowNotes();
  const QTextCharFormat before = FormatAt(again, 1);
  EXPECT_EQ(before.fontFamilies().toStringList(), QStringList{QStringLiteral("MS Sans Serif")});
  EXPECT_EQ(before.fontPointSize(), 8);
  EXPECT_EQ(before.foreground().style(), Qt::NoBrush);  // still the automatic colour
  const QTextCharFormat after = FormatAt(again, 8);
  EXPECT_EQ(after.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Mono")});
  EXPECT_EQ(after.fontPointSize(), 20);
  EXPECT_EQ(after.foreground().color(), QColor(0, 0, 255));
}

// Three paragraphs of word-processor formatting: bold, italic, underline,
// strike-out, colours, a background, a superscript, a Cyrillic face.
constexpr char kFormattedNotes[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Liberation Sans;}{\\f1\\fcharset204 DejaVu Sans;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}"
    "\\f0\\fs20 first {\\b bold} {\\i italic}\\par "
    "second {\\ul under} {\\strike struck} {\\cf1 red} {\\highlight2 marked} x{\\super 2} "
    "{\\f1 \\u1046?} end\\par "
    "third {\\cf1\\b red bold}\\par}";

// The lines of a saved file after its colour table: one per paragraph.
QStringList BodyLines(const std::string& rtf) {
  QStringList lines = QString::fromStdString(rtf).split(QStringLiteral("\r\n"));
  while (!lines.isEmpty() && !lines.front().contains(QStringLiteral("\\pard"))) lines.removeFirst();
  return lines;
}

TEST_F(NotesWindow, FontFormatsTheSelectionOnlyAndACaretChangesNoText) {
  WriteText(notes, kFormattedNotes);
  TForm4 form(notes);
  form.ShowNotes();
  form.Save1Click();
  const std::string original = ReadText(notes);
  const auto choose_mono = [&] {
    RunFontDialog(form, [](FontDialog& dialog) {
      dialog.findChild<QComboBox*>(QStringLiteral("family"))
          ->setEditText(QStringLiteral("Liberation Mono"));
      dialog.findChild<QComboBox*>(QStringLiteral("style"))
          ->setCurrentText(QStringLiteral("Italic"));
      dialog.findChild<QComboBox*>(QStringLiteral("size"))->setEditText(QStringLiteral("13"));
      Press(dialog, QDialogButtonBox::Ok);
    });
  };

  // Only a caret: the text is saved exactly as before, byte for byte.
  QTextCursor caret(form.RichEdit1->document());
  caret.setPosition(Lines(form)[0].size() + 10);
  form.RichEdit1->setTextCursor(caret);
  choose_mono();
  form.Save1Click();
  EXPECT_EQ(ReadText(notes), original);

  // A selection inside the second paragraph, from "red" to the "2".
  const QString second = Lines(form)[1];
  const int start = Lines(form)[0].size() + 1 + second.indexOf(QStringLiteral("red"));
  QTextCursor selection(form.RichEdit1->document());
  selection.setPosition(start);
  selection.setPosition(start + 13, QTextCursor::KeepAnchor);  // "red marked x2"
  form.RichEdit1->setTextCursor(selection);
  choose_mono();
  form.Save1Click();
  const std::string formatted = ReadText(notes);
  const QStringList before = BodyLines(original);
  const QStringList after = BodyLines(formatted);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after[0], before[0]);  // the first and third paragraphs, byte for byte
  EXPECT_EQ(after[2], before[2]);
  EXPECT_TRUE(after[1].startsWith(before[1].left(before[1].indexOf(QStringLiteral("\\cf1 red")))));
  EXPECT_TRUE(after[1].endsWith(QStringLiteral("\\u1046\\'c6\\f0  end\\par")))
      << after[1].toStdString();

  TForm4 again(notes);
  again.ShowNotes();
  const int at = Lines(again)[0].size() + 1;
  const auto format_of = [&](const char* piece) {
    return FormatAt(again, at + Lines(again)[1].indexOf(QString::fromUtf8(piece)) + 1);
  };
  for (const char* piece : {"red", "marked", "x", "2"}) {
    EXPECT_EQ(format_of(piece).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Liberation Mono")})
        << piece;
    EXPECT_EQ(format_of(piece).fontPointSize(), 13) << piece;
    EXPECT_TRUE(format_of(piece).fontItalic()) << piece;
  }
  // The dialog's colour is the automatic one; what the font does not name
  // stays: background, superscript.
  EXPECT_EQ(format_of("red").foreground().style(), Qt::NoBrush);
  EXPECT_EQ(format_of("marked").background().color(), QColor(255, 255, 0));
  EXPECT_EQ(format_of("2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
  EXPECT_EQ(format_of("struck").fontFamilies().toStringList(),
            QStringList{QStringLiteral("Liberation Sans")});
  EXPECT_TRUE(format_of("struck").fontStrikeOut());
  EXPECT_FALSE(format_of("struck").fontItalic());
  EXPECT_EQ(format_of("\u0416").fontFamilies().toStringList(),
            QStringList{QStringLiteral("DejaVu Sans")});

  // Select All, then Font: everything takes it.
  again.RichEdit1->selectAll();
  RunFontDialog(again, [](FontDialog& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("size"))->setEditText(QStringLiteral("30"));
    Press(dialog, QDialogButtonBox::Ok);
  });
  for (int position = 1; position < again.RichEdit1->document()->characterCount(); ++position) {
    if (again.RichEdit1->document()->characterAt(position - 1) == QChar::ParagraphSeparator)
      continue;
    EXPECT_EQ(FormatAt(again, position).fontPointSize(), 30) << position;
  }
}

TEST_F(NotesWindow, APickedScriptIsWrittenAsTheFontsCharacterSet) {
  TForm4 form(notes);
  form.ShowNotes();
  QTest::keyClicks(form.RichEdit1, QStringLiteral("text"));
  form.RichEdit1->selectAll();
  RunFontDialog(form, [](FontDialog& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("family"))
        ->setEditText(QStringLiteral("DejaVu Sans"));
    auto* scripts = dialog.findChild<QComboBox*>(QStringLiteral("script"));
    scripts->setCurrentIndex(scripts->findText(QStringLiteral("Greek")));
    emit scripts->activated(scripts->currentIndex());
    Press(dialog, QDialogButtonBox::Ok);
  });
  form.Save1Click();
  EXPECT_NE(ReadText(notes).find("\\fcharset161 DejaVu Sans;"), std::string::npos)
      << ReadText(notes);
}

// A note large enough to be read in steps: numbered lines, some bold.
std::string LargeNote(int lines) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
  for (int line = 0; line < lines; ++line) {
    rtf +=
        "line " + std::to_string(line) + " {\\b of} the large note, long enough to count\\par\r\n";
  }
  return rtf + "}";
}

TEST_F(NotesWindow, ALargeNoteIsReadBetweenUserEventsAndCannotBeSavedHalfRead) {
  const int lines = 50000;  // about 3 MB
  const std::string note = LargeNote(lines);
  ASSERT_GT(note.size(), 2u << 20);
  WriteText(notes, note);
  TForm4 form(notes);
  form.RichEdit1->setPlainText(QStringLiteral("typed before"));
  form.ShowNotes();
  ASSERT_TRUE(form.IsReading());
  EXPECT_TRUE(form.isVisible());
  // Meanwhile an empty, read-only page says what is going on.
  EXPECT_TRUE(form.RichEdit1->document()->isEmpty());
  EXPECT_FALSE(form.RichEdit1->placeholderText().isEmpty());
  EXPECT_TRUE(form.RichEdit1->isReadOnly());
  EXPECT_TRUE(form.Save1->isEnabled()) << "Save says why it writes nothing";
  EXPECT_FALSE(form.Font1->isEnabled());
  EXPECT_EQ(form.Font1->toolTip().toStdString(), kFontWaits) << "greyed, it says why";
  EXPECT_EQ(ErrorOf([&] { form.Save1Click(); }),
            "The notes file is still being read; nothing was saved");
  EXPECT_EQ(ReadText(notes), note);
  form.ShowNotes();  // "Notes" again: the same reading goes on

  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsReading(); }, 60000));
  const QStringList read = Lines(form);
  ASSERT_EQ(read.size(), lines);
  EXPECT_EQ(read.front(), QStringLiteral("line 0 of the large note, long enough to count"));
  EXPECT_EQ(read.back(), QStringLiteral("line 49999 of the large note, long enough to count"));
  EXPECT_TRUE(FormatAt(form, int(read.front().indexOf(u'o')) + 1).fontWeight() == QFont::Bold);
  EXPECT_TRUE(form.RichEdit1->placeholderText().isEmpty());
  EXPECT_FALSE(form.RichEdit1->isReadOnly());
  EXPECT_TRUE(form.Save1->isEnabled());
  EXPECT_TRUE(form.Font1->isEnabled());
  EXPECT_TRUE(form.Font1->toolTip().isEmpty() || form.Font1->toolTip() == form.Font1->text());
  EXPECT_FALSE(form.RichEdit1->document()->isModified());
  EXPECT_TRUE(form.RichEdit1->document()->isUndoRedoEnabled());
  EXPECT_EQ(form.RichEdit1->document()->defaultFont(), form.RichEdit1->font());
}

void ClickSave(TForm4& form) {
  QMenuBar* bar = form.menuBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(form.Save1).center());
}

// A 9 MB plain note of 300,000 lines. Typing at its end and clicking "Save"
// while it is read: the page is read-only and says it is reading, Save says
// it wrote nothing and the file is untouched. Once the note is in, the same
// typing saves.
TEST_F(NotesWindow, TypingAndSavingWhileALargeNoteIsReadAreRefusedOutLoud) {
  const int lines = 300000;
  std::string note;
  for (int line = 0; line < lines; ++line) {
    note += (line > 0 ? "\n" : "") + ("line " + std::to_string(line) + " of the longest note");
  }
  ASSERT_GT(note.size(), 9'000'000u);
  WriteText(notes, note);
  TForm4 form(notes);
  form.ShowNotes();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QStringList shown;
  const ErrorBoxPresenter previous =
      SetErrorBoxPresenter([&](const QString&, const QString& text) { shown << text; });
  const auto type_at_end = [&](const QString& text) {
    QTest::keyClick(form.RichEdit1, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(form.RichEdit1, text);
  };

  type_at_end(QStringLiteral(" typed early"));
  ClickSave(form);
  ASSERT_TRUE(form.IsReading()) << "typed and saved after the reading: nothing tested";
  EXPECT_TRUE(form.RichEdit1->isReadOnly());
  EXPECT_EQ(form.RichEdit1->placeholderText(), QStringLiteral("Reading the notes file..."));
  // The words are drawn on the page, which holds no text of its own yet.
  const QImage page = form.RichEdit1->viewport()->grab().toImage();
  int inked = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) inked += page.pixel(x, y) != page.pixel(0, 0) ? 1 : 0;
  }
  EXPECT_GT(inked, 50);
  EXPECT_EQ(shown,
            QStringList{QStringLiteral("The notes file is still being read; nothing was saved.")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsReading(); }, 120000));
  EXPECT_EQ(ReadText(notes), note);
  const QStringList read = Lines(form);
  ASSERT_EQ(read.size(), lines);
  EXPECT_EQ(read.back(), QStringLiteral("line 299999 of the longest note"));

  type_at_end(QStringLiteral(" typed later"));
  ClickSave(form);
  SetErrorBoxPresenter(previous);
  EXPECT_EQ(shown.size(), 1);
  EXPECT_NE(ReadText(notes).find("line 299999 of the longest note typed later"), std::string::npos);
}

// What the "Notes" command shows, to the end of a read in steps: the
// messages it raised or put in the error box.
QStringList ShowNotesToTheEnd(TForm4& form) {
  QStringList shown;
  const ErrorBoxPresenter previous =
      SetErrorBoxPresenter([&](const QString&, const QString& text) { shown << text; });
  try {
    form.ShowNotes();
  } catch (const AppError& error) {
    shown << QString::fromStdString(error.what());
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form.IsReading(); }, 60000));
  SetErrorBoxPresenter(previous);
  return shown;
}

// Every file operation of a load fails in turn, for a note read at once and
// one read in steps: the load is then refused with the notes' message and
// the text stays as it was; half a note never shows.
TEST_F(NotesWindow, AFaultAtAnyFileOperationOfALoadLeavesTheTextAsItWas) {
  const std::string large = LargeNote(36000);
  ASSERT_GT(large.size(), 2u << 20);
  for (const std::string& note : {std::string("{\\rtf1 a {\\b small}\\par note\\par}"), large}) {
    WriteText(notes, note);
    int operations = 0;
    {
      TForm4 form(notes);
      file_faults::Reset();
      EXPECT_TRUE(ShowNotesToTheEnd(form).isEmpty());
      operations = file_faults::OperationCount();
      EXPECT_GT(Lines(form).size(), 1);
    }
    ASSERT_GE(operations, 4);  // open, the look at the start, a read to the end, close
    for (int nth = 1; nth <= operations; ++nth) {
      for (const bool system_error : {false, true}) {
        TForm4 form(notes);
        form.RichEdit1->setPlainText(QStringLiteral("typed before"));
        file_faults::Reset();
        if (system_error) {
          file_faults::FailWithSystemError(nth, EIO);
        } else {
          file_faults::FailOperation(nth, 5);
        }
        const QStringList shown = ShowNotesToTheEnd(form);
        file_faults::Reset();
        const QString expected = nth == 1
                                     ? QString::fromStdString("Cannot open file " + notes.string())
                                     : QStringLiteral("Failed to Load Stream");
        ASSERT_EQ(shown.size(), 1) << "operation " << nth << " of " << note.size() << " bytes";
        EXPECT_TRUE(shown[0].startsWith(expected)) << shown[0].toStdString() << " at " << nth;
        EXPECT_EQ(Lines(form), QStringList{QStringLiteral("typed before")}) << nth;
        EXPECT_FALSE(form.RichEdit1->isReadOnly());
        EXPECT_TRUE(form.Save1->isEnabled());
        EXPECT_TRUE(form.RichEdit1->placeholderText().isEmpty());
      }
    }
  }
}

// The file stays open while a large note is read: another program replacing
// the notes (by rename, as our own Save does) or deleting them meanwhile
// changes nothing in what is read.
TEST_F(NotesWindow, ANoteReplacedOrDeletedWhileItIsReadComesWholeFromTheFileOpened) {
  const int lines = 50000;
  for (const bool deleted : {false, true}) {
    WriteText(notes, LargeNote(lines));
    TForm4 form(notes);
    form.ShowNotes();
    QCoreApplication::processEvents();  // one step in
    ASSERT_TRUE(form.IsReading());
    if (deleted) {
      std::filesystem::remove(notes);
    } else {
      WriteText(dir / "new", "{\\rtf1 replaced\\par}");
      std::filesystem::rename(dir / "new", notes);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsReading(); }, 60000));
    const QStringList read = Lines(form);
    ASSERT_EQ(read.size(), lines) << (deleted ? "deleted" : "replaced");
    EXPECT_EQ(read.back(), QStringLiteral("line 49999 of the large note, long enough to count"));
  }
}

}  // namespace
