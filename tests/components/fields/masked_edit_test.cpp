#include "fields/masked_edit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <limits>
#include <memory>

namespace {

// A shown, active window holding fields, so focus and keys behave as for
// the user.
class MaskedEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MaskedEdit::setOverwriteMode(false);
    QGuiApplication::clipboard()->clear();
    window_ = std::make_unique<QWidget>();
    new QVBoxLayout(window_.get());
  }
  void TearDown() override { MaskedEdit::setOverwriteMode(false); }

  MaskedEdit* addField(FieldKind kind, int maxLength, const QString& text = QString()) {
    auto* field = new MaskedEdit(kind, maxLength, window_.get());
    window_->layout()->addWidget(field);
    field->setText(text);
    field->show();
    window_->layout()->activate();
    if (!window_->isVisible()) {
      window_->show();
      window_->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    return field;
  }

  // Caret at `pos`, nothing selected.
  static void caretAt(MaskedEdit* field, int pos) {
    field->setFocus();
    field->setCursorPosition(pos);
  }

  static void paste(MaskedEdit* field, const QString& clip) {
    QGuiApplication::clipboard()->setText(clip);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  }

  std::unique_ptr<QWidget> window_;
};

// Selects the whole text the way focus-in does (caret at the end).
constexpr int kFocusIn = std::numeric_limits<int>::min();

// One key or one paste into a field holding `text`, with the caret at `caret`
// and `selected` characters selected from there (negative: backwards, so the
// caret ends at the selection's start; kFocusIn: all, as after focus-in).
struct EditCase {
  FieldKind kind;
  const char* text;
  int caret, selected;
  const char* input;  // one character typed, or pasted when longer
  const char* expected;
  char separator = '.';
};

TEST_F(MaskedEditTest, TypingAndPastingFollowTheKindRulesAndTheMaximumLength) {
  constexpr auto I = FieldKind::Integer, D = FieldKind::Decimal, T = FieldKind::Text;
  const EditCase cases[] = {
      {I, "5", 1, 0, "-", "5"},   // "-" after the caret's "5"
      {I, "5", 0, kFocusIn, "-", "-"},  // over the whole text selected by focus-in
      {T, "a", 1, 0, "-", "a-"},
      {T, "a", 1, 0, ",", "a,"},
      {I, "12", 0, 0, "-", "-12"},
      {I, "-12", 0, 0, "-", "-12"},  // a second minus
      {I, "-12", 0, 0, "7", "-12"},  // a digit in front of the minus
      {I, "-12", 3, 0, "a", "-12"},
      {I, "-12", 3, 0, ".", "-12"},
      {I, "123456", 6, 0, "7", "123456"},                             // a seventh digit
      {T, "nnnnnnnnnnnnnnnnnnn", 19, 0, "x", "nnnnnnnnnnnnnnnnnnn"},  // a 20th character
      {D, "1.5", 3, 0, ".", "1.5"},
      {D, "15", 1, 0, ".", "15", ','},
      {D, "15", 1, 0, ",", "1,5", ','},
      {D, "1,5", 3, 0, ",", "1,5", ','},
      {D, "25", 1, 0, "-", "25"},
      {D, "25", 0, 0, "-", "-25"},
      {D, "-25", 0, 0, ".", "-25"},  // the separator not in front of the minus
      {D, "-25", 0, 0, "3", "-25"},
      {D, "-25", 2, 0, ".", "-2.5"},
      // A minus goes where the selection starts, whichever way it was made.
      {D, "7.5", 0, kFocusIn, "-", "-"},
      {D, "-7.5", 0, kFocusIn, "-", "-"},
      {D, "7.5", 0, 3, "-", "-"},   // Home, Shift+End
      {D, "7.5", 3, -3, "-", "-"},  // End, Shift+Home
      {D, "7.5", 1, 2, "-", "7.5"},  // a selection after the first character
      {D, "-7.5", 1, 1, "-", "-7.5"},  // the minus that stays
      {D, "-7.5", 2, 2, ".", "-7."},  // the separator replaced
      {D, "-75", 2, -2, ".", ".5"},  // the selected minus goes with it
      // Pastes.
      {T, "", 0, 0, "ppppppppppppppppppppppppp", ""},  // 25 characters
      {T, "", 0, 0, "first line\nsecond", "first line"},
      {I, "-5", 2, 0, "1a", "-5"},
      {I, "-5", 2, 0, "-3", "-5"},  // the field's own minus stays
      {I, "-5", 2, 0, "12", "-512"},
      {I, "-512", 0, 2, "-7", "-712"},
      {I, "-712", 4, 0, "999", "-712"},  // would make 7 characters
      {D, "5", 1, 0, "-1", "5"},
      {D, "5", 1, 0, "1-2", "5"},
      {D, "5", 1, 0, "1e3", "5"},
      {D, "5", 1, 0, ".25", "5.25"},
      {D, "5.25", 4, 0, ".1", "5.25"},  // a second separator
      {D, "5.25", 0, 0, "-1", "-15.25"},
      {D, "-15.25", 0, 0, "-", "-15.25"},
  };
  for (const EditCase& c : cases) {
    const QString text = QString::fromLatin1(c.text);
    const QString input = QString::fromLatin1(c.input);
    SCOPED_TRACE(text.toStdString() + " + " + input.toStdString());
    MaskedEdit* field = addField(c.kind, c.kind == T ? 19 : c.kind == I ? 6 : 11, text);
    field->setDecimalSeparator(QLatin1Char(c.separator));
    if (c.selected == kFocusIn) {
      field->clearFocus();
      field->setFocus();
      ASSERT_EQ(field->selectedText(), text);
    } else {
      caretAt(field, c.caret);
      if (c.selected != 0) field->setSelection(c.caret, c.selected);
    }
    if (input.size() == 1) {
      QTest::keyClick(field, input[0].toLatin1());
    } else {
      paste(field, input);
    }
    EXPECT_EQ(field->text(), QString::fromLatin1(c.expected));
    EXPECT_EQ(field->modifiedFlag(), field->text() != text) << "only an accepted input is an edit";
    delete field;
  }

  // Text set by the program is cut to the maximum; overwriting keeps the
  // length, so a full field can still be changed.
  MaskedEdit* name = addField(T, 19, QString(20, QLatin1Char('a')));
  EXPECT_EQ(name->text(), QString(19, QLatin1Char('a')));
  caretAt(name, 0);
  QTest::keyClick(name, Qt::Key_Insert);
  QTest::keyClicks(name, QStringLiteral("bc"));
  EXPECT_EQ(name->text(), QStringLiteral("bc") + QString(17, QLatin1Char('a')));
}

TEST_F(MaskedEditTest, ClickingIntoAFieldSelectsItsWholeText) {
  MaskedEdit* other = addField(FieldKind::Text, 19, QStringLiteral("other"));
  MaskedEdit* name = addField(FieldKind::Text, 19, QStringLiteral("Tree"));
  other->setFocus();
  QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(5, name->height() / 2));
  ASSERT_TRUE(name->hasFocus());
  EXPECT_EQ(name->selectedText(), QStringLiteral("Tree"));
  // Once focused, a click places the caret as usual.
  QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(2, name->height() / 2));
  EXPECT_FALSE(name->hasSelectedText());
  EXPECT_EQ(name->cursorPosition(), 0);

  // A read-only field keeps the caret where the click put it.
  name->setReadOnly(true);
  other->setFocus();
  QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(2, name->height() / 2));
  EXPECT_FALSE(name->hasSelectedText());
}

// One command key on "abcdef" with `length` characters selected from `from`;
// the clipboard holds "9" before each.
struct KeyCase {
  bool readOnly;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int from, length;
  const char* text;
  const char* clipboard;
};

TEST_F(MaskedEditTest, ClipboardAndCommandKeysAndReadOnly) {
  constexpr Qt::KeyboardModifiers C = Qt::ControlModifier, S = Qt::ShiftModifier, N = {};
  const KeyCase cases[] = {
      {false, Qt::Key_C, C, 1, 2, "abcdef", "bc"},
      {false, Qt::Key_Insert, C, 3, 1, "abcdef", "d"},
      {false, Qt::Key_X, C, 0, 1, "bcdef", "a"},
      {false, Qt::Key_Delete, S, 5, 1, "abcde", "f"},
      {false, Qt::Key_V, C, 6, 0, "abcdef9", "9"},
      {false, Qt::Key_Insert, S, 6, 0, "abcdef9", "9"},  // a paste, not the Insert key
      {false, Qt::Key_Escape, N, 6, 0, "abcdef", "9"},
      {false, Qt::Key_A, C, 6, 0, "abcdef", "9"},  // select all, not a character
      {true, Qt::Key_X, C, 0, 6, "abcdef", "9"},
      {true, Qt::Key_Delete, N, 0, 6, "abcdef", "9"},
      {true, Qt::Key_Backspace, N, 0, 6, "abcdef", "9"},
      {true, Qt::Key_7, N, 0, 6, "abcdef", "9"},
      {true, Qt::Key_V, C, 0, 6, "abcdef", "9"},
      {true, Qt::Key_C, C, 0, 6, "abcdef", "abcdef"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
    MaskedEdit* field = addField(FieldKind::Text, 19, QStringLiteral("abcdef"));
    field->setReadOnly(c.readOnly);
    field->setFocus();
    field->setSelection(c.from, c.length);
    QGuiApplication::clipboard()->setText(QStringLiteral("9"));
    QTest::keyClick(field, c.key, c.modifiers);
    EXPECT_EQ(field->text(), QString::fromLatin1(c.text));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromLatin1(c.clipboard));
    EXPECT_EQ(field->modifiedFlag(), field->text() != QStringLiteral("abcdef"));
    EXPECT_FALSE(MaskedEdit::overwriteMode());
    delete field;
  }
}

TEST_F(MaskedEditTest, UndoTakesBackUserEditsLatestFirst) {
  MaskedEdit* name = addField(FieldKind::Text, 19, QStringLiteral("ab"));
  caretAt(name, 2);
  QTest::keyClick(name, 'c');
  QTest::keyClick(name, Qt::Key_Backspace);
  QTest::keyClick(name, Qt::Key_Backspace);
  QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
  QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(name->text(), QStringLiteral("aXY"));

  const QStringList expected = {QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("abc"),
                                QStringLiteral("ab")};
  for (const QString& text : expected) {
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), text);
  }
  EXPECT_FALSE(name->canUndoEdit());
  QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(name->text(), QStringLiteral("ab"));

  // A text from the program starts a new history, caret at the start.
  QTest::keyClick(name, 'd');
  name->setModifiedFlag(false);
  name->setText(QStringLiteral("other"));
  EXPECT_FALSE(name->canUndoEdit());
  EXPECT_EQ(name->cursorPosition(), 0);
  EXPECT_FALSE(name->hasSelectedText());
  EXPECT_FALSE(name->modifiedFlag());
}

TEST_F(MaskedEditTest, OverwriteModeIsOneSettingForAllFields) {
  MaskedEdit* first = addField(FieldKind::Integer, 6, QStringLiteral("1234"));
  MaskedEdit* second = addField(FieldKind::Text, 19, QStringLiteral("abcd"));
  caretAt(first, 1);
  QTest::keyClick(first, Qt::Key_Insert);
  EXPECT_TRUE(MaskedEdit::overwriteMode());
  QTest::keyClick(first, '9');
  EXPECT_EQ(first->text(), QStringLiteral("1934"));

  caretAt(second, 3);
  QTest::keyClicks(second, QStringLiteral("xyz"));  // overwrites "d", then appends
  EXPECT_EQ(second->text(), QStringLiteral("abcxyz"));

  QTest::keyClick(second, Qt::Key_Insert);
  caretAt(first, 0);
  QTest::keyClick(first, '5');
  EXPECT_EQ(first->text(), QStringLiteral("51934"));

  // Overwriting the minus at the start with a digit is allowed; a digit
  // before it is not.
  first->setText(QStringLiteral("-5"));
  caretAt(first, 0);
  QTest::keyClick(first, '3');
  EXPECT_EQ(first->text(), QStringLiteral("-5"));
  QTest::keyClick(first, Qt::Key_Insert);
  QTest::keyClick(first, '3');
  EXPECT_EQ(first->text(), QStringLiteral("35"));
}

TEST_F(MaskedEditTest, ModifiedSignalFollowsEveryUserEditAndNoProgramText) {
  MaskedEdit* density = addField(FieldKind::Decimal, 11, QStringLiteral("0"));
  QSignalSpy spy(density, &MaskedEdit::modifiedChanged);
  // The window's handler reports the edit and clears the flag again.
  int reports = 0;
  QObject::connect(density, &MaskedEdit::modifiedChanged, density, [&](bool modified) {
    if (!modified) return;
    ++reports;
    density->setModifiedFlag(false);
  });

  density->setText(QStringLiteral("7"));
  caretAt(density, 1);
  QTest::keyClick(density, 'x');  // refused: no edit
  QTest::keyClick(density, Qt::Key_Left);
  EXPECT_EQ(spy.count(), 0);

  QTest::keyClick(density, '3');
  ASSERT_EQ(spy.count(), 2);
  EXPECT_TRUE(spy.at(0).at(0).toBool());
  EXPECT_FALSE(spy.at(1).at(0).toBool());

  // Cut and paste are in the clipboard table.
  QTest::keyClick(density, Qt::Key_Delete);
  QTest::keyClick(density, Qt::Key_Backspace);
  QTest::keyClick(density, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(reports, 4);
  EXPECT_EQ(spy.count(), 8);
  EXPECT_FALSE(density->modifiedFlag());

  // Without a handler the flag stays set and a second edit raises nothing.
  QObject::disconnect(density, &MaskedEdit::modifiedChanged, density, nullptr);
  spy.clear();
  QTest::keyClick(density, '1');
  QTest::keyClick(density, '2');
  EXPECT_EQ(spy.count(), 1);
  density->setText(QStringLiteral("9"));
  EXPECT_TRUE(density->modifiedFlag());
}

TEST_F(MaskedEditTest, ContextMenuEnablingFollowsTheFieldState) {
  MaskedEdit* name = addField(FieldKind::Text, 19);
  auto enabled = [](MaskedEdit* field) {
    std::unique_ptr<QMenu> menu(field->createFieldMenu(nullptr));
    QStringList captions;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        captions << QStringLiteral("|");
      } else if (action->isEnabled()) {
        captions << action->text();
      } else {
        captions << QStringLiteral("-");
      }
    }
    return captions.join(QLatin1Char(' '));
  };

  EXPECT_EQ(enabled(name), QStringLiteral("- | - - - - | -"));
  QGuiApplication::clipboard()->setText(QStringLiteral("Tree"));
  EXPECT_EQ(enabled(name), QStringLiteral("- | - - &Insert - | -"));
  caretAt(name, 0);
  QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(enabled(name), QStringLiteral("&Undo | - - &Insert - | Select all"));
  name->setSelection(0, 2);
  EXPECT_EQ(enabled(name), QStringLiteral("&Undo | &Cut &Copy &Insert &Delete | Select all"));

  name->setReadOnly(true);
  EXPECT_EQ(enabled(name), QStringLiteral("- | - &Copy - &Delete | Select all"));

  // The menu's items act on the field.
  name->setReadOnly(false);
  std::unique_ptr<QMenu> menu(name->createFieldMenu(nullptr));
  menu->actions().at(5)->trigger();  // &Delete
  EXPECT_EQ(name->text(), QStringLiteral("ee"));
  EXPECT_TRUE(name->modifiedFlag());
}

}  // namespace
