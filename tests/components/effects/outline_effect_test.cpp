#include "effects/outline_effect.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

namespace {

TEST(OpeningEffect, OutlinesGrowFromThePointerToTheFrame) {
  const QRect frame(289, 157, 807, 603);
  const QList<QRect> outlines = OpeningEffectOutlines(QPoint(100, 50), frame);
  ASSERT_EQ(outlines.size(), 40);
  EXPECT_EQ(outlines.last(), frame);
  // k = 1: 100 + 189/40, 50 + 107/40, 807/40, 603/40.
  EXPECT_EQ(outlines[0], QRect(104, 52, 20, 15));
  // k = 20: halfway.
  EXPECT_EQ(outlines[19], QRect(194, 103, 403, 301));

  // Pointer right of and below the window: negative steps truncate toward zero,
  // 50 + (-50)/40 = 49 (not 48), 30 + (-30)/40 = 30 (not 29), 100/40 = 2, 10/40 = 0.
  EXPECT_EQ(OpeningEffectOutlines(QPoint(50, 30), QRect(0, 0, 100, 10))[0], QRect(49, 30, 2, 0));
}

TEST(OutlineEffect, DoesNothingOnTheOffscreenPlatform) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
  EXPECT_FALSE(OutlineEffect::IsAvailable());
  const auto before = QApplication::topLevelWidgets().size();
  // A pause this long would be felt if the effect ran.
  OutlineEffect::Play(OpeningEffectOutlines(QPoint(0, 0), QRect(10, 10, 300, 200)),
                      std::chrono::milliseconds(60000));
  EXPECT_EQ(QApplication::topLevelWidgets().size(), before);
}

TEST(OutlineEffect, OverlayShowsOnlyDottedOutlinePixels) {
  OutlineEffect overlay(QRect(100, 100, 60, 60));
  overlay.setVisibleOutlines({QRect(110, 110, 20, 10)});
  // The window's shape holds only the outline's edges.
  EXPECT_TRUE(overlay.mask().contains(QPoint(10, 10)));
  EXPECT_TRUE(overlay.mask().contains(QPoint(29, 19)));
  EXPECT_FALSE(overlay.mask().contains(QPoint(15, 15)));
  EXPECT_FALSE(overlay.mask().contains(QPoint(30, 10)));

  const QImage image = overlay.grab().toImage();
  // Neighbouring edge pixels alternate dark and light, as a focus rectangle.
  for (int x = 10; x < 28; ++x) {
    EXPECT_NE(image.pixelColor(x, 10).lightness() > 128,
              image.pixelColor(x + 1, 10).lightness() > 128)
        << x;
  }
  EXPECT_EQ(image.pixelColor(15, 15).alpha(), 0);

  overlay.setVisibleOutlines({});
  EXPECT_FALSE(overlay.mask().contains(QPoint(10, 10)));
}

}  // namespace
