#include "dialogs/prompt_position.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1024, 768);

TEST(PromptPosition, CentresOverTheActiveWindowDroppingHalfPixelsTowardZero) {
  EXPECT_EQ(PromptPosition(QRect(100, 50, 601, 401), QSize(300, 200), kScreen), QPoint(250, 150));
  // A prompt wider than the window: the offset is -50.5, which becomes -50.
  EXPECT_EQ(PromptPosition(QRect(200, 200, 100, 100), QSize(201, 201), kScreen), QPoint(150, 150));
}

TEST(PromptPosition, AlignsWithTheWindowsRightOrBottomEdgeInsteadOfLeavingTheScreen) {
  // Centred it would end at 1034 and 778.
  const QRect nearCorner(800, 600, 200, 150);
  EXPECT_EQ(PromptPosition(nearCorner, QSize(300, 200), kScreen), QPoint(700, 550));
  // Touching the edge exactly is still on the screen.
  EXPECT_EQ(PromptPosition(QRect(724, 0, 300, 300), QSize(300, 300), kScreen), QPoint(724, 0));
}

TEST(PromptPosition, NegativeLeftOrTopBecomesZero) {
  EXPECT_EQ(PromptPosition(QRect(-300, -100, 400, 200), QSize(300, 300), kScreen), QPoint(0, 0));
  // Aligning the right edge of a wide prompt with a small window can go
  // negative too.
  EXPECT_EQ(PromptPosition(QRect(900, 10, 100, 100), QSize(1000, 50), kScreen), QPoint(0, 35));
}

}  // namespace
