#pragma once

#include <QSize>

class QWidget;

// A top-level window's placement as the settings file keeps it.
struct WidgetPlacement {
  static constexpr int kRestoreToMaximized = 2;  // flag: minimised from maximised
  static constexpr int kShowNormal = 1;
  static constexpr int kShowMinimized = 2;
  static constexpr int kShowMaximized = 3;

  int flags = 0;
  int showState = kShowNormal;
  // The window frame in its normal (neither minimised nor maximised) state,
  // in screen coordinates; right = left + width, bottom = top + height.
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool operator==(const WidgetPlacement&) const = default;
};

WidgetPlacement QueryPlacement(const QWidget& window);

// Gives the window its normal frame rectangle, then minimises or maximises it
// as the show state says. A hidden window stays hidden and takes the state
// when it is shown. Where the frame's size is not yet known (a window never
// shown), the size is corrected once the window manager has framed it.
void ApplyPlacement(QWidget& window, const WidgetPlacement& placement);

QSize PrimaryScreenSize();
