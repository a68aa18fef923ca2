#include "effects/outline_effect.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QString>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = OutlineCanvas::Clock;

// Writes down what the effect would draw, and when, instead of drawing it.
class RecordingCanvas : public OutlineCanvas {
 public:
  QString steps;  // "w" per wait, "s" per shown set of outlines
  std::vector<Clock::time_point> deadlines;
  std::vector<QList<QRect>> shown;
  void showOutlines(const QList<QRect>& visible) override {
    steps += QLatin1Char('s');
    shown.push_back(visible);
  }
  void waitUntil(Clock::time_point deadline) override {
    steps += QLatin1Char('w');
    deadlines.push_back(deadline);
  }
};

// Collects the regions the overlay is asked to repaint.
class PaintRecorder : public QObject {
 public:
  QRegion painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

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

TEST(OutlineEffect, Plays81StepsForFortyOutlinesOnItsOwnClock) {
  const QList<QRect> outlines = OpeningEffectOutlines(QPoint(100, 50), QRect(289, 157, 807, 603));
  RecordingCanvas canvas;
  const Clock::time_point start = Clock::time_point() + 10s;
  PlayOutlines(outlines, 6ms, canvas, start);

  // A pause before every step, the last one with nothing left to draw.
  QString expected;
  for (int i = 0; i < 80; ++i) expected += QStringLiteral("ws");
  expected += QLatin1Char('w');
  EXPECT_EQ(canvas.steps, expected);
  // Step k ends at start + k pauses, however long drawing took.
  ASSERT_EQ(canvas.deadlines.size(), 81u);
  for (std::size_t k = 0; k < canvas.deadlines.size(); ++k) {
    EXPECT_EQ(canvas.deadlines[k] - start, static_cast<int>(k + 1) * 6ms) << k;
  }
  // The trail builds up outline by outline, then goes in the same order.
  ASSERT_EQ(canvas.shown.size(), 80u);
  EXPECT_EQ(canvas.shown[0], outlines.first(1));
  EXPECT_EQ(canvas.shown[39], outlines);
  EXPECT_EQ(canvas.shown[40], outlines.sliced(1));
  EXPECT_TRUE(canvas.shown[79].isEmpty());
}

TEST(OutlineEffect, OverlayCoversTheOutlinesAndRepaintsOnlyWhatChanges) {
  const QList<QRect> outlines = OpeningEffectOutlines(QPoint(700, 500), QRect(289, 157, 807, 603));
  // From the pointer inside the frame out to the frame: the frame is the bounds.
  const QRect bounds = OutlineBounds(outlines);
  EXPECT_EQ(bounds, QRect(289, 157, 807, 603));
  // Outlines too small to draw do not count.
  EXPECT_EQ(OutlineBounds({QRect(0, 0, 0, 5), QRect(10, 10, 4, 4)}), QRect(10, 10, 4, 4));

  OutlineEffect overlay(bounds);
  PaintRecorder recorder;
  overlay.installEventFilter(&recorder);
  overlay.show();
  overlay.setVisibleOutlines(outlines.first(2));
  QApplication::processEvents();
  recorder.painted = QRegion();

  overlay.setVisibleOutlines(outlines.first(3));
  QApplication::processEvents();
  const QRect third = outlines[2].translated(-bounds.topLeft());
  EXPECT_EQ(recorder.painted.boundingRect(), third);
  EXPECT_FALSE(recorder.painted.contains(third.center()));

  // The first one goes: its pixels leave the window's shape, nothing else repaints.
  recorder.painted = QRegion();
  overlay.setVisibleOutlines(outlines.sliced(1, 2));
  QApplication::processEvents();
  const QRect first = outlines[0].translated(-bounds.topLeft());
  EXPECT_TRUE((recorder.painted - QRegion(first)).isEmpty());
  EXPECT_FALSE(overlay.mask().contains(first.topLeft()));
  EXPECT_TRUE(overlay.mask().contains(third.topLeft()));
}

TEST(OutlineEffect, DoesNothingOnTheOffscreenPlatform) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
  EXPECT_FALSE(OutlineEffect::isAvailable());
  const auto before = QApplication::topLevelWidgets().size();
  // A pause this long would be felt if the effect ran.
  OutlineEffect::play(OpeningEffectOutlines(QPoint(0, 0), QRect(10, 10, 300, 200)),
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
