#include "placement/outer_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

namespace {

TEST(OuterFrame, CentredOnTheAreaAndKeptInsideIt) {
  EXPECT_EQ(CentredInside(QSize(440, 300), QRect(0, 0, 1280, 1024)), QPoint(420, 362));
  EXPECT_EQ(CentredInside(QSize(441, 301), QRect(0, 0, 1280, 1024)), QPoint(419, 361));
  // A second screen to the right of the first.
  EXPECT_EQ(CentredInside(QSize(440, 300), QRect(1280, 0, 1920, 1080)), QPoint(2020, 390));
  // Larger than the area: the top-left corner stays on it.
  EXPECT_EQ(CentredInside(QSize(900, 700), QRect(0, 0, 800, 600)), QPoint(0, 0));
  EXPECT_EQ(CentredInside(QSize(900, 700), QRect(-800, -600, 800, 600)), QPoint(-800, -600));
}

// Whatever the platform's decoration, the frame is what ends up centred.
// Once one window has been framed, the next one's frame is known before it
// is shown (the explode effect of the about box ends on it).
TEST(OuterFrame, TheFrameIsCentredAndKnownBeforeTheShowOnceOneWindowWasFramed) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget first;
  first.setFixedSize(314, 192);
  CentreOnScreen(first);
  first.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
  EXPECT_EQ(first.frameGeometry().topLeft(), CentredInside(first.frameGeometry().size(), area));

  QWidget second;
  second.setFixedSize(441, 301);
  CentreOnScreen(second);
  const QRect promised = OuterFrame(second);
  second.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
  EXPECT_EQ(second.frameGeometry(), promised);
  EXPECT_EQ(promised.topLeft(), CentredInside(promised.size(), area));
}

}  // namespace
