#include "placement/placement_adapter.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

WidgetPlacement Placement(int show, int left, int top, int right, int bottom, int flags = 0) {
  WidgetPlacement placement;
  placement.flags = flags;
  placement.showState = show;
  placement.left = left;
  placement.top = top;
  placement.right = right;
  placement.bottom = bottom;
  return placement;
}

void ExpectRect(const WidgetPlacement& got, int left, int top, int right, int bottom) {
  EXPECT_EQ(got.left, left);
  EXPECT_EQ(got.top, top);
  EXPECT_EQ(got.right, right);
  EXPECT_EQ(got.bottom, bottom);
}

// Saving and restoring again and again must not move or grow the window by
// its decoration, whether or not another framed window is on screen.
TEST(PlacementAdapter, NormalPlacementComesBackAsGiven) {
  for (bool otherWindowShown : {false, true}) {
    QWidget other;
    if (otherWindowShown) other.show();
    QWidget window;
    ApplyPlacement(window, Placement(1, 120, 80, 927, 683));
    window.show();
    const WidgetPlacement got = QueryPlacement(window);
    EXPECT_EQ(got.showState, 1);
    EXPECT_EQ(got.flags, 0);
    ExpectRect(got, 120, 80, 927, 683);
    EXPECT_EQ(window.frameGeometry().size(), QSize(807, 603));
  }
}

TEST(PlacementAdapter, MaximisedWindowKeepsItsNormalRectangle) {
  QWidget window;
  ApplyPlacement(window, Placement(3, 50, 60, 450, 360));
  EXPECT_FALSE(window.isVisible());  // applying never shows a window
  window.show();
  EXPECT_TRUE(window.isMaximized());
  const WidgetPlacement got = QueryPlacement(window);
  EXPECT_EQ(got.showState, 3);
  ExpectRect(got, 50, 60, 450, 360);

  // Back to normal: the stored rectangle, not the maximised one.
  ApplyPlacement(window, Placement(1, 70, 90, 370, 290));
  EXPECT_FALSE(window.isMaximized());
  ExpectRect(QueryPlacement(window), 70, 90, 370, 290);
}

TEST(PlacementAdapter, MinimisedFromMaximisedIsFlagged) {
  QWidget window;
  ApplyPlacement(window, Placement(2, 10, 20, 310, 220, WidgetPlacement::kRestoreToMaximized));
  const WidgetPlacement got = QueryPlacement(window);
  EXPECT_EQ(got.showState, 2);
  EXPECT_EQ(got.flags, WidgetPlacement::kRestoreToMaximized);
  ExpectRect(got, 10, 20, 310, 220);

  ApplyPlacement(window, Placement(2, 10, 20, 310, 220));
  EXPECT_EQ(QueryPlacement(window).flags, 0);
  EXPECT_TRUE(window.isMinimized());
}

}  // namespace
