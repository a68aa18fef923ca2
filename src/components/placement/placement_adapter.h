#pragma once

#include "window_placement_value.h"

class QWidget;

TWindowPlacement QueryWindowPlacement(const QWidget& window);

// Gives the window its normal frame rectangle, then minimises or maximises it
// as the show state says. A hidden window stays hidden and takes the state
// when it is shown. Where the frame's size is not yet known (a window never
// shown), the size is corrected once the window manager has framed it.
void ApplyWindowPlacement(QWidget& window, const TWindowPlacement& placement);

// The primary screen's size; zero without a screen.
TScreenSize PrimaryScreen();
