#include "components/font_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {

QComboBox* Box(FontDialog& dialog, const char* name) {
  return dialog.findChild<QComboBox*>(QString::fromLatin1(name));
}

void Press(FontDialog& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

// Runs the dialog; `while_open` acts in it and must close it.
bool RunDialog(FontDialog& dialog, const std::function<void()>& while_open) {
  QTimer::singleShot(0, &dialog, while_open);
  return dialog.execute();
}

TEST(FontDialog, StartsWithTheNotesFont) {
  FontDialog dialog;
  EXPECT_EQ(dialog.selectedFont().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(dialog.selectedFont().pointSize(), 8);
  EXPECT_FALSE(dialog.selectedFont().bold() || dialog.selectedFont().italic());
  EXPECT_EQ(dialog.selectedColor(), QApplication::palette().color(QPalette::WindowText));
  EXPECT_EQ(dialog.currentFont().family(), QStringLiteral("MS Sans Serif"));
}

TEST(FontDialog, OffersOnlySizesFrom8To32AndScalableFamilies) {
  FontDialog dialog;
  QComboBox* sizes = Box(dialog, "size");
  ASSERT_GT(sizes->count(), 0);
  EXPECT_EQ(sizes->itemData(0).toInt(), 8);
  EXPECT_EQ(sizes->itemData(sizes->count() - 1).toInt(), 32);
  for (int i = 0; i < sizes->count(); ++i) {
    EXPECT_GE(sizes->itemData(i).toInt(), 8);
    EXPECT_LE(sizes->itemData(i).toInt(), 32);
  }
  EXPECT_FALSE(sizes->isEditable());
  // A font outside the range is shown at the nearest size offered.
  dialog.setSelection(QFont(QStringLiteral("Liberation Sans"), 72), Qt::black);
  EXPECT_EQ(dialog.currentFont().pointSize(), 32);
  dialog.setSelection(QFont(QStringLiteral("Liberation Sans"), 5), Qt::black);
  EXPECT_EQ(dialog.currentFont().pointSize(), 8);

  QComboBox* families = Box(dialog, "family");
  ASSERT_GT(families->count(), 0);
  for (int i = 0; i < families->count(); ++i) {
    EXPECT_TRUE(QFontDatabase::isScalable(families->itemText(i)))
        << families->itemText(i).toStdString();
  }
}

TEST(FontDialog, ApplyKeepsTheFontAndCancelAfterwardsDoesNotUndoIt) {
  FontDialog dialog;
  QSignalSpy applied(&dialog, &FontDialog::applied);
  QFont seen_on_apply;
  QObject::connect(&dialog, &FontDialog::applied, [&] { seen_on_apply = dialog.currentFont(); });
  const bool accepted = RunDialog(dialog, [&] {
    Box(dialog, "family")->setEditText(QStringLiteral("Liberation Serif"));
    Box(dialog, "size")->setCurrentIndex(Box(dialog, "size")->findData(14));
    Box(dialog, "style")->setCurrentText(QStringLiteral("Bold Italic"));
    dialog.findChild<QCheckBox*>(QStringLiteral("underline"))->setChecked(true);
    Box(dialog, "color")->setCurrentText(QStringLiteral("Red"));
    Press(dialog, QDialogButtonBox::Apply);
    EXPECT_TRUE(dialog.isVisible());  // Apply leaves the dialog open
    dialog.findChild<QCheckBox*>(QStringLiteral("strikeOut"))->setChecked(true);
    Press(dialog, QDialogButtonBox::Cancel);
  });
  EXPECT_FALSE(accepted);
  EXPECT_EQ(applied.count(), 1);
  EXPECT_EQ(seen_on_apply.family(), QStringLiteral("Liberation Serif"));
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
    Box(dialog, "size")->setCurrentIndex(Box(dialog, "size")->findData(8));
    Press(dialog, QDialogButtonBox::Ok);
  }));
  EXPECT_EQ(shown.pointSize(), 14);
  EXPECT_EQ(dialog.selectedFont().pointSize(), 8);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(FontDialog, CancelWithoutApplyKeepsTheFontItOpenedWith) {
  FontDialog dialog;
  EXPECT_FALSE(RunDialog(dialog, [&] {
    Box(dialog, "size")->setCurrentIndex(Box(dialog, "size")->findData(20));
    Press(dialog, QDialogButtonBox::Cancel);
  }));
  EXPECT_EQ(dialog.selectedFont().pointSize(), 8);
  EXPECT_EQ(dialog.selectedFont().family(), QStringLiteral("MS Sans Serif"));
}

}  // namespace
