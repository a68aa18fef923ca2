#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <chrono>

// Outlines drawn over the whole screen in the style of an inverted focus
// rectangle: a frameless, see-through window that takes no input and stays on
// top. Play() draws the outlines one after another, each after a short pause,
// so that a trail builds up; then it draws the same outlines again in the same
// order, which takes them away one by one.
class OutlineEffect : public QWidget {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kDefaultPause{6};

  // `area` is the part of the screen the overlay covers, in screen coordinates.
  explicit OutlineEffect(const QRect& area);

  // Plays the effect and returns when it is over. Outlines are in screen
  // coordinates. Does nothing where the platform cannot draw it.
  static void Play(const QList<QRect>& outlines, std::chrono::milliseconds pause = kDefaultPause);

  // False on platforms without a screen to draw on ("offscreen", "minimal")
  // and where windows cannot be placed at screen positions (Wayland).
  static bool IsAvailable();

  // The outlines currently on screen, in screen coordinates.
  void setVisibleOutlines(const QList<QRect>& outlines);
  const QList<QRect>& visibleOutlines() const { return visible_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect area_;
  QList<QRect> visible_;
};

// The outlines of the editor window's opening effect: step k = 1 ... steps has
// left px + k(L - px)/steps, top py + k(T - py)/steps, width k(R - L)/steps and
// height k(B - T)/steps, where R = L + width and B = T + height of `frame`.
// Divisions truncate toward zero, as integer division does.
QList<QRect> OpeningEffectOutlines(QPoint pointer, const QRect& frame, int steps = 40);
