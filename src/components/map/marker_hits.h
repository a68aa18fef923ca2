#pragma once

#include <QPoint>
#include <QPointF>

struct MapState;

// Which marker a press means when several lie under the pointer. The
// selected marker lies on top, so it wins a first click; a click on the same
// spot again takes the next marker of the stack, round and round.
class MarkerHits {
 public:
  explicit MarkerHits(const MapState& state) : state_(state) {}

  // The marker a click at `position` chooses, -1 for none.
  int ChooseAt(QPointF position) const;
  // The marker a press would drag: the selected one whenever it is under the
  // pointer, so a press on it never moves another marker of its stack.
  int DragTargetAt(QPointF position) const;
  // A click landed here: the next click on the same spot steps on.
  void Clicked(QPointF position) { last_click_ = position.toPoint(); }
  // The next click starts afresh.
  void Forget() { last_click_ = QPoint(-1000, -1000); }

 private:
  const MapState& state_;
  QPoint last_click_{-1000, -1000};
};
