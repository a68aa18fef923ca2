#include "windows/placement_bridge.h"

#include <QSize>

#include "placement/placement_adapter.h"

TWindowPlacement QueryWindowPlacement(const QWidget& window) {
  const WidgetPlacement p = QueryPlacement(window);
  return {p.flags, p.showState, {p.left, p.top, p.right, p.bottom}};
}

void ApplyWindowPlacement(QWidget& window, const TWindowPlacement& placement) {
  const TWindowRect& r = placement.normal;
  ApplyPlacement(window, {placement.flags, placement.show_state, r.left, r.top, r.right, r.bottom});
}

TScreenSize PrimaryScreen() {
  const QSize size = PrimaryScreenSize();
  return {size.width(), size.height()};
}
