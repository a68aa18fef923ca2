#include "components/masked_edit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
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

TEST_F(MaskedEditTest, IntegerMinusOnlyAtTheStartOrOverASelectionFromTheStart) {
  MaskedEdit* field = addField(FieldKind::Integer, 6, QStringLiteral("5"));
  caretAt(field, 1);
  QTest::keyClick(field, '-');
  EXPECT_EQ(field->text(), QStringLiteral("5"));

  // Taking the focus selects the whole text, so "-" replaces it.
  field->clearFocus();
  field->setFocus();
  ASSERT_EQ(field->selectedText(), QStringLiteral("5"));
  QTest::keyClick(field, '-');
  EXPECT_EQ(field->text(), QStringLiteral("-"));

  QTest::keyClicks(field, QStringLiteral("12"));
  caretAt(field, 0);
  QTest::keyClick(field, '-');  // a second minus
  QTest::keyClick(field, '7');  // a digit in front of the minus
  QTest::keyClick(field, 'a');
  QTest::keyClick(field, '.');
  EXPECT_EQ(field->text(), QStringLiteral("-12"));

  field->setText(QStringLiteral("12"));
  caretAt(field, 0);
  QTest::keyClick(field, '-');
  EXPECT_EQ(field->text(), QStringLiteral("-12"));
}

TEST_F(MaskedEditTest, MaximumLengthStopsTypingButOverwriteStillWorks) {
  MaskedEdit* type = addField(FieldKind::Integer, 6, QStringLiteral("123456"));
  caretAt(type, 6);
  QTest::keyClick(type, '7');
  EXPECT_EQ(type->text(), QStringLiteral("123456"));
  EXPECT_FALSE(type->modifiedFlag());

  MaskedEdit* name = addField(FieldKind::Text, 19, QString(19, QLatin1Char('n')));
  caretAt(name, 19);
  QTest::keyClick(name, 'x');
  EXPECT_EQ(name->text(), QString(19, QLatin1Char('n')));

  // The text set by the program is cut to the maximum.
  name->setText(QString(20, QLatin1Char('a')));
  EXPECT_EQ(name->text(), QString(19, QLatin1Char('a')));

  // Overwriting keeps the length, so a full field can still be changed.
  caretAt(type, 0);
  QTest::keyClick(type, Qt::Key_Insert);
  QTest::keyClicks(type, QStringLiteral("98"));
  EXPECT_EQ(type->text(), QStringLiteral("983456"));
}

TEST_F(MaskedEditTest, DecimalSeparatorFollowsTheProperty) {
  MaskedEdit* x = addField(FieldKind::Decimal, 11, QStringLiteral("1.5"));
  caretAt(x, 3);
  QTest::keyClick(x, '.');
  EXPECT_EQ(x->text(), QStringLiteral("1.5"));

  x->setDecimalSeparator(QLatin1Char(','));
  x->setText(QStringLiteral("15"));
  caretAt(x, 1);
  QTest::keyClick(x, '.');
  EXPECT_EQ(x->text(), QStringLiteral("15"));
  QTest::keyClick(x, ',');
  EXPECT_EQ(x->text(), QStringLiteral("1,5"));
  QTest::keyClick(x, ',');
  EXPECT_EQ(x->text(), QStringLiteral("1,5"));
}

TEST_F(MaskedEditTest, DecimalMinusAndSeparatorPlacement) {
  MaskedEdit* x = addField(FieldKind::Decimal, 11, QStringLiteral("25"));
  caretAt(x, 1);
  QTest::keyClick(x, '-');
  EXPECT_EQ(x->text(), QStringLiteral("25"));
  caretAt(x, 0);
  QTest::keyClick(x, '-');
  EXPECT_EQ(x->text(), QStringLiteral("-25"));

  // The separator may not go in front of the minus; a digit neither.
  caretAt(x, 0);
  QTest::keyClick(x, '.');
  QTest::keyClick(x, '3');
  EXPECT_EQ(x->text(), QStringLiteral("-25"));
  caretAt(x, 2);
  QTest::keyClick(x, '.');
  EXPECT_EQ(x->text(), QStringLiteral("-2.5"));

  // Unlike an integer field, a decimal field takes "-" only with the caret
  // at the start: a selection ending elsewhere does not do.
  x->setText(QStringLiteral("5"));
  x->clearFocus();
  x->setFocus();
  QTest::keyClick(x, '-');
  EXPECT_EQ(x->text(), QStringLiteral("5"));
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
}

TEST_F(MaskedEditTest, TextFieldTakesPrintableCharactersOnly) {
  MaskedEdit* name = addField(FieldKind::Text, 19);
  caretAt(name, 0);
  QTest::keyClicks(name, QStringLiteral("Tree -1.5,x"));
  QTest::keyClick(name, Qt::Key_Escape);
  QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);  // select all, not a character
  EXPECT_EQ(name->text(), QStringLiteral("Tree -1.5,x"));
  EXPECT_EQ(name->selectedText(), QStringLiteral("Tree -1.5,x"));
}

TEST_F(MaskedEditTest, PastesFollowTheKindRulesAndTheMaximumLength) {
  MaskedEdit* name = addField(FieldKind::Text, 19);
  caretAt(name, 0);
  paste(name, QString(25, QLatin1Char('p')));
  EXPECT_EQ(name->text(), QString());
  EXPECT_FALSE(name->modifiedFlag());
  paste(name, QStringLiteral("first line\nsecond"));
  EXPECT_EQ(name->text(), QStringLiteral("first line"));

  MaskedEdit* cls = addField(FieldKind::Integer, 6, QStringLiteral("-5"));
  caretAt(cls, 2);
  paste(cls, QStringLiteral("1a"));
  paste(cls, QStringLiteral("-3"));  // the field's own minus stays
  EXPECT_EQ(cls->text(), QStringLiteral("-5"));
  paste(cls, QStringLiteral("12"));
  EXPECT_EQ(cls->text(), QStringLiteral("-512"));
  cls->setSelection(0, 2);
  paste(cls, QStringLiteral("-7"));
  EXPECT_EQ(cls->text(), QStringLiteral("-712"));
  caretAt(cls, 4);
  paste(cls, QStringLiteral("999"));  // would make 7 characters
  EXPECT_EQ(cls->text(), QStringLiteral("-712"));

  MaskedEdit* x = addField(FieldKind::Decimal, 11, QStringLiteral("5"));
  caretAt(x, 1);
  paste(x, QStringLiteral("-1"));   // minus not at the start
  paste(x, QStringLiteral("1-2"));  // minus inside the pasted text
  paste(x, QStringLiteral("1e3"));
  EXPECT_EQ(x->text(), QStringLiteral("5"));
  paste(x, QStringLiteral(".25"));
  EXPECT_EQ(x->text(), QStringLiteral("5.25"));
  paste(x, QStringLiteral(".1"));  // a second separator
  EXPECT_EQ(x->text(), QStringLiteral("5.25"));
  caretAt(x, 0);
  paste(x, QStringLiteral("-1"));
  EXPECT_EQ(x->text(), QStringLiteral("-15.25"));
  caretAt(x, 0);
  paste(x, QStringLiteral("-"));  // the field holds one already
  EXPECT_EQ(x->text(), QStringLiteral("-15.25"));
}

TEST_F(MaskedEditTest, ClipboardKeysCopyCutAndPaste) {
  MaskedEdit* name = addField(FieldKind::Text, 19, QStringLiteral("abcdef"));
  QClipboard* clipboard = QGuiApplication::clipboard();
  name->setFocus();
  name->setSelection(1, 2);
  QTest::keyClick(name, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("bc"));
  name->setSelection(3, 1);
  QTest::keyClick(name, Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("d"));

  name->setSelection(0, 1);
  QTest::keyClick(name, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("a"));
  EXPECT_EQ(name->text(), QStringLiteral("bcdef"));
  name->setSelection(4, 1);
  QTest::keyClick(name, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("f"));
  EXPECT_EQ(name->text(), QStringLiteral("bcde"));

  QTest::keyClick(name, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(name->text(), QStringLiteral("bcdef"));
  EXPECT_FALSE(MaskedEdit::overwriteMode());  // Shift+Insert is not the Insert key

  // Shift+Insert goes through the same rules as Ctrl+V.
  MaskedEdit* type = addField(FieldKind::Integer, 6, QStringLiteral("1"));
  caretAt(type, 1);
  clipboard->setText(QStringLiteral("x"));
  QTest::keyClick(type, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(type->text(), QStringLiteral("1"));
}

TEST_F(MaskedEditTest, ReadOnlyFieldCanBeCopiedButNotChanged) {
  MaskedEdit* record = addField(FieldKind::Integer, 6, QStringLiteral("42"));
  record->setReadOnly(true);
  record->setFocus();
  EXPECT_FALSE(record->hasSelectedText());  // no select-all on focus
  record->selectAll();
  QTest::keyClick(record, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(record, Qt::Key_Delete);
  QTest::keyClick(record, '7');
  QGuiApplication::clipboard()->setText(QStringLiteral("9"));
  QTest::keyClick(record, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(record->text(), QStringLiteral("42"));
  QTest::keyClick(record, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("42"));
  EXPECT_FALSE(record->modifiedFlag());
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

  // A text from the program starts a new history.
  QTest::keyClick(name, 'd');
  name->setText(QStringLiteral("other"));
  EXPECT_FALSE(name->canUndoEdit());
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

  QTest::keyClick(density, Qt::Key_Delete);
  QTest::keyClick(density, Qt::Key_Backspace);
  QGuiApplication::clipboard()->setText(QStringLiteral("4"));
  QTest::keyClick(density, Qt::Key_V, Qt::ControlModifier);
  density->selectAll();
  QTest::keyClick(density, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(density, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(reports, 6);
  EXPECT_EQ(spy.count(), 12);
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

TEST_F(MaskedEditTest, ProgramTextReplacesOnlyWhenDifferent) {
  MaskedEdit* record = addField(FieldKind::Integer, 6, QStringLiteral("0"));
  QSignalSpy replaced(record, &MaskedEdit::textReplaced);
  QSignalSpy edited(record, &QLineEdit::textEdited);
  record->setText(QStringLiteral("0"));
  EXPECT_EQ(replaced.count(), 0);

  record->setFocus();
  record->setCursorPosition(1);
  record->setText(QStringLiteral("1234567"));
  ASSERT_EQ(replaced.count(), 1);
  EXPECT_EQ(replaced.at(0).at(0).toString(), QStringLiteral("123456"));
  EXPECT_EQ(record->cursorPosition(), 0);
  EXPECT_FALSE(record->hasSelectedText());
  // Equal after cutting: nothing happens.
  record->setText(QStringLiteral("12345678"));
  EXPECT_EQ(replaced.count(), 1);
  EXPECT_EQ(edited.count(), 0);
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
