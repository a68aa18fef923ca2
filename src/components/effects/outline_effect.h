#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <chrono>

// What an outline effect draws on: the outlines on screen after each step,
// and the wait before each step.
class OutlineCanvas {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~OutlineCanvas() = default;
  virtual void showOutlines(const QList<QRect>& visible) = 0;
  // Returns at `deadline`, or at once when it has passed.
  virtual void waitUntil(Clock::time_point deadline) = 0;
};

// Plays n outlines in 2n + 1 steps, each after a pause: the outlines appear
// one after another so that a trail builds up, then go again in the same
// order, and a last pause ends the effect with nothing on screen. Step k
// waits until `start` + k·pause, so time spent drawing does not add up.
void PlayOutlines(const QList<QRect>& outlines, std::chrono::milliseconds pause,
                  OutlineCanvas& canvas, OutlineCanvas::Clock::time_point start);

// Outlines drawn over the screen in the style of an inverted focus
// rectangle: a frameless, see-through window that takes no input, stays on
// top and covers only the outlines' bounds.
class OutlineEffect : public QWidget, public OutlineCanvas {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kDefaultPause{6};

  // `area` is the part of the screen the overlay covers, in screen coordinates.
  explicit OutlineEffect(const QRect& area);

  // Plays the effect and returns when it is over. Outlines are in screen
  // coordinates. Does nothing where the platform cannot draw it.
  static void play(const QList<QRect>& outlines, std::chrono::milliseconds pause = kDefaultPause);

  // False on platforms without a screen to draw on ("offscreen", "minimal")
  // and where windows cannot be placed at screen positions (Wayland).
  static bool isAvailable();

  // The outlines currently on screen, in screen coordinates. Only the edges
  // of outlines that come or go are repainted.
  void setVisibleOutlines(const QList<QRect>& outlines);
  const QList<QRect>& visibleOutlines() const { return visible_; }

  // OutlineCanvas
  void showOutlines(const QList<QRect>& visible) override { setVisibleOutlines(visible); }
  void waitUntil(Clock::time_point deadline) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRegion edgesOnOverlay(const QList<QRect>& outlines) const;

  QRect area_;
  QList<QRect> visible_;
};

// The smallest rectangle holding every outline.
QRect OutlineBounds(const QList<QRect>& outlines);

// The outlines of the editor window's opening effect: step k = 1 ... steps has
// left px + k(L - px)/steps, top py + k(T - py)/steps, width k(R - L)/steps and
// height k(B - T)/steps, where R = L + width and B = T + height of `frame`.
// Divisions truncate toward zero, as integer division does.
QList<QRect> OpeningEffectOutlines(QPoint pointer, const QRect& frame, int steps = 40);
