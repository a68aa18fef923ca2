#include "dialogs/font_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

QComboBox* Box(FontDialog& dialog, const char* name) {
  return dialog.findChild<QComboBox*>(QString::fromLatin1(name));
}

void Press(FontDialog& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

void ChooseSize(FontDialog& dialog, int points) {
  Box(dialog, "size")->setCurrentIndex(Box(dialog, "size")->findData(points));
}

// Runs the dialog; `while_open` acts in it and must close it.
bool RunDialog(FontDialog& dialog, const std::function<void()>& while_open) {
  QTimer::singleShot(0, &dialog, while_open);
  return dialog.execute();
}

TEST(FontDialog, AnyWholeSizeFrom8To32ChosenOrTypedAndScalableFamilies) {
  FontDialog dialog;
  QComboBox* sizes = Box(dialog, "size");
  ASSERT_GT(sizes->count(), 0);
  EXPECT_EQ(sizes->itemData(0).toInt(), 8);
  EXPECT_EQ(sizes->itemData(sizes->count() - 1).toInt(), 32);
  // A font outside the range is shown at the nearest size in it.
  dialog.setSelection(QFont(QStringLiteral("Liberation Sans"), 72), Qt::black);
  EXPECT_EQ(dialog.currentFont().pointSize(), 32);
  dialog.setSelection(QFont(QStringLiteral("Liberation Sans"), 5), Qt::black);
  EXPECT_EQ(dialog.currentFont().pointSize(), 8);

  // Typed: every whole size in range is taken; others leave OK and Apply off.
  QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  QPushButton* apply = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply);
  for (int size : {8, 13, 30, 32}) {
    sizes->lineEdit()->clear();
    QTest::keyClicks(sizes->lineEdit(), QString::number(size));
    EXPECT_EQ(dialog.currentFont().pointSize(), size);
    EXPECT_TRUE(ok->isEnabled() && apply->isEnabled()) << size;
  }
  for (const char* typed : {"7", "", "3", "99"}) {
    sizes->lineEdit()->clear();
    QTest::keyClicks(sizes->lineEdit(), QString::fromLatin1(typed));
    EXPECT_FALSE(ok->isEnabled() || apply->isEnabled()) << typed;
  }

  QComboBox* families = Box(dialog, "family");
  ASSERT_GT(families->count(), 0);
  for (int i = 0; i < families->count(); ++i) {
    EXPECT_TRUE(QFontDatabase::isScalable(families->itemText(i)))
        << families->itemText(i).toStdString();
  }
}

TEST(FontDialog, OffersTheScriptsOfTheFaceAndKeepsThePickedOne) {
  const QList<int> dejavu = FontDialog::scriptsOf(QStringLiteral("DejaVu Sans"));
  EXPECT_TRUE(dejavu.contains(0) && dejavu.contains(161) && dejavu.contains(204));
  EXPECT_EQ(FontDialog::scriptsOf(QStringLiteral("No Such Face")), QList<int>{0});

  FontDialog dialog;
  EXPECT_EQ(dialog.selectedCharSet(), -1);  // no script picked: text keeps its own
  EXPECT_TRUE(RunDialog(dialog, [&] {
    Box(dialog, "family")->setEditText(QStringLiteral("DejaVu Sans"));
    QComboBox* scripts = Box(dialog, "script");
    EXPECT_EQ(scripts->count(), dejavu.size());
    EXPECT_EQ(dialog.currentCharSet(), -1);
    scripts->setCurrentIndex(scripts->findText(QStringLiteral("Cyrillic")));
    emit scripts->activated(scripts->currentIndex());  // as a click picks it
    Press(dialog, QDialogButtonBox::Ok);
  }));
  EXPECT_EQ(dialog.selectedCharSet(), 204);
  // Opened again, the picked script is still the one chosen.
  EXPECT_FALSE(RunDialog(dialog, [&] {
    EXPECT_EQ(Box(dialog, "script")->currentText(), QStringLiteral("Cyrillic"));
    EXPECT_EQ(dialog.currentCharSet(), 204);
    Press(dialog, QDialogButtonBox::Cancel);
  }));
}

TEST(FontDialog, ApplyKeepsTheFontAndCancelAfterwardsDoesNotUndoIt) {
  FontDialog dialog;
  EXPECT_EQ(dialog.selectedFont().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(dialog.selectedFont().pointSize(), 8);
  // Cancel without Apply keeps the font it opened with.
  EXPECT_FALSE(RunDialog(dialog, [&] {
    ChooseSize(dialog, 20);
    Press(dialog, QDialogButtonBox::Cancel);
  }));
  EXPECT_EQ(dialog.selectedFont().pointSize(), 8);

  QSignalSpy applied(&dialog, &FontDialog::applied);
  EXPECT_FALSE(RunDialog(dialog, [&] {
    Box(dialog, "family")->setEditText(QStringLiteral("Liberation Serif"));
    ChooseSize(dialog, 14);
    Box(dialog, "style")->setCurrentText(QStringLiteral("Bold Italic"));
    dialog.findChild<QCheckBox*>(QStringLiteral("underline"))->setChecked(true);
    Box(dialog, "color")->setCurrentText(QStringLiteral("Red"));
    Press(dialog, QDialogButtonBox::Apply);
    EXPECT_TRUE(dialog.isVisible());  // Apply leaves the dialog open
    dialog.findChild<QCheckBox*>(QStringLiteral("strikeOut"))->setChecked(true);
    Press(dialog, QDialogButtonBox::Cancel);
  }));
  EXPECT_EQ(applied.count(), 1);
  // The dialog keeps what was applied, not what was changed after it.
  const QFont kept = dialog.selectedFont();
  EXPECT_EQ(kept.family(), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(kept.pointSize(), 14);
  EXPECT_TRUE(kept.bold() && kept.italic() && kept.underline());
  EXPECT_FALSE(kept.strikeOut());
  EXPECT_EQ(dialog.selectedColor(), QColor(255, 0, 0));

  // Next time it opens with that font; OK takes the changes.
  QFont shown;
  EXPECT_TRUE(RunDialog(dialog, [&] {
    shown = dialog.currentFont();
    ChooseSize(dialog, 8);
    Press(dialog, QDialogButtonBox::Ok);
  }));
  EXPECT_EQ(shown.pointSize(), 14);
  EXPECT_EQ(dialog.selectedFont().pointSize(), 8);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(FontDialog, EnterMeansOkEvenAfterARunEndedWithCancel) {
  FontDialog dialog;
  RunDialog(dialog, [&] {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->setFocus();
    Press(dialog, QDialogButtonBox::Cancel);
  });
  EXPECT_TRUE(RunDialog(dialog, [&] {
    QApplication::setActiveWindow(&dialog);
    ChooseSize(dialog, 10);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    if (dialog.isVisible()) dialog.reject();  // Enter did nothing: fail, do not hang
  }));
  EXPECT_EQ(dialog.selectedFont().pointSize(), 10);
}

}  // namespace
