#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "windows/rererarovi1.h"

TEST(StartupWindow, ShowsTheWarningAndHandsOverToTheEditor) {
  TForm1 form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Orvo Ri Dizo Rirori V2.1"));
  EXPECT_EQ(form.size(), QSize(314, 192));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(form.windowIcon().isNull());

  EXPECT_EQ(form.Memo1->geometry(), QRect(8, 0, 297, 153));
  EXPECT_EQ(form.Button5->geometry(), QRect(56, 160, 201, 25));
  const QStringList lines = form.Memo1->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[1], QStringLiteral("Make a backup of all of your LoXXXXXX.dat files before "));
  EXPECT_EQ(lines[3], QStringLiteral("Enter data carefully, there is limited range checking "));
  EXPECT_EQ(lines[5], QStringLiteral("Remember to SAVE when you are done with all of your "));
  EXPECT_EQ(lines[7], QStringLiteral("Good luck!"));
  EXPECT_FALSE(form.Memo1->isReadOnly());

  int shown = 0;
  form.ShowEditor = [&] { ++shown; };
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_TRUE(form.Button5->hasFocus());
  QTest::keyClick(&form, Qt::Key_Tab);
  EXPECT_TRUE(form.Memo1->hasFocus());

  // Enter presses the focused button.
  QTest::keyClick(&form, Qt::Key_Tab);
  QTest::keyClick(form.Button5, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(shown, 1);
}

TEST(StartupWindow, ClosingItAsksTheProgramToEnd) {
  TForm1 form;
  int closed = 0;
  form.OnClosed = [&] { ++closed; };
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.close();
  EXPECT_EQ(closed, 1);
}
