#include "effects/explode_geometry.h"

#include <gtest/gtest.h>

namespace {

// Frame L=100, T=200, R=540, B=500; pointer (301, 50). The travel ends at
// (200.5, 500), halfway between the pointer and the frame's left edge.
const QRect kFrame(100, 200, 440, 300);
const QPoint kPointer(301, 50);

TEST(ExplodeGeometryTest, EightyOutlinesTravelThenGrowEachRoundedOnItsOwn) {
  const QList<QRect> outlines = ExplodeOutlines(kFrame, kPointer);
  ASSERT_EQ(outlines.size(), 80);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(outlines[i].size(), QSize(20, 10)) << i + 1;
  EXPECT_EQ(outlines[39], QRect(201, 500, 20, 10));  // 200.5 rounds up
  EXPECT_EQ(outlines[79], kFrame);
  // Travel: x = 301 - 2.5125 i, y = 50 + 11.25 i.
  EXPECT_EQ(outlines[0], QRect(298, 61, 20, 10));    // 298.4875, 61.25
  EXPECT_EQ(outlines[1], QRect(296, 73, 20, 10));    // 295.975, 72.5
  EXPECT_EQ(outlines[19], QRect(251, 275, 20, 10));  // 250.75: not 20 rounded steps of 3
  // Grow: x = 200.5 - 2.5125 i, y = 500 - 7.5 i, w = 20 + 10.5 i, h = 10 + 7.25 i.
  EXPECT_EQ(outlines[40], QRect(198, 493, 31, 17));    // 197.9875, 492.5, 30.5, 17.25
  EXPECT_EQ(outlines[41], QRect(195, 485, 41, 25));    // 195.475, 485, 41, 24.5
  EXPECT_EQ(outlines[59], QRect(150, 350, 230, 155));  // halfway: 150.25, 350, 230, 155
}

TEST(ExplodeGeometryTest, PointerLeftOfAndAboveTheScreenOrigin) {
  // Halves round up on the negative side too, so no step jumps by two.
  const QList<QRect> outlines = ExplodeOutlines(QRect(0, 0, 40, 20), QPoint(-1, -3));
  EXPECT_EQ(outlines[39].topLeft(), QPoint(0, 20));  // (-0.5, 20)
  EXPECT_EQ(outlines[0].topLeft(), QPoint(-1, -2));  // (-0.9875, -2.425)
  EXPECT_EQ(outlines[40], QRect(0, 20, 21, 10));     // (-0.4875, 19.5), 20.5 x 10.25
  EXPECT_EQ(outlines[79], QRect(0, 0, 40, 20));
}

}  // namespace
