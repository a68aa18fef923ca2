#include "placement/placement_adapter.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

TWindowPlacement Placement(int show, int left, int top, int right, int bottom, int flags = 0) {
  return {flags, show, {left, top, right, bottom}};
}

void ExpectRect(const TWindowPlacement& got, int left, int top, int right, int bottom) {
  EXPECT_EQ(got.normal.left, left);
  EXPECT_EQ(got.normal.top, top);
  EXPECT_EQ(got.normal.right, right);
  EXPECT_EQ(got.normal.bottom, bottom);
}

// Saving and restoring again and again must not move or grow the window by
// its decoration, whether or not another framed window is on screen.
TEST(PlacementAdapter, NormalPlacementComesBackAsGiven) {
  for (bool otherWindowShown : {false, true}) {
    QWidget other;
    if (otherWindowShown) other.show();
    QWidget window;
    ApplyWindowPlacement(window, Placement(1, 120, 80, 927, 683));
    window.show();
    const TWindowPlacement got = QueryWindowPlacement(window);
    EXPECT_EQ(got.show_state, 1);
    EXPECT_EQ(got.flags, 0);
    ExpectRect(got, 120, 80, 927, 683);
    EXPECT_EQ(window.frameGeometry().size(), QSize(807, 603));
  }
}

TEST(PlacementAdapter, MaximisedWindowKeepsItsNormalRectangle) {
  QWidget window;
  ApplyWindowPlacement(window, Placement(3, 50, 60, 450, 360));
  EXPECT_FALSE(window.isVisible());  // applying never shows a window
  window.show();
  EXPECT_TRUE(window.isMaximized());
  const TWindowPlacement got = QueryWindowPlacement(window);
  EXPECT_EQ(got.show_state, 3);
  ExpectRect(got, 50, 60, 450, 360);

  // Back to normal: the stored rectangle, not the maximised one.
  ApplyWindowPlacement(window, Placement(1, 70, 90, 370, 290));
  EXPECT_FALSE(window.isMaximized());
  ExpectRect(QueryWindowPlacement(window), 70, 90, 370, 290);
}

TEST(PlacementAdapter, MinimisedFromMaximisedIsFlagged) {
  QWidget window;
  ApplyWindowPlacement(window,
                       Placement(2, 10, 20, 310, 220, TWindowPlacement::kRestoreToMaximized));
  const TWindowPlacement got = QueryWindowPlacement(window);
  EXPECT_EQ(got.show_state, 2);
  EXPECT_EQ(got.flags, TWindowPlacement::kRestoreToMaximized);
  ExpectRect(got, 10, 20, 310, 220);

  ApplyWindowPlacement(window, Placement(2, 10, 20, 310, 220));
  EXPECT_EQ(QueryWindowPlacement(window).flags, 0);
  EXPECT_TRUE(window.isMinimized());
}

}  // namespace
