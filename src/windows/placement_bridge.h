#pragma once

#include "settings/window_placement.h"

class QWidget;

// Where the settings' placement and the window's meet: one conversion each
// way, in one place.
TWindowPlacement QueryWindowPlacement(const QWidget& window);
void ApplyWindowPlacement(QWidget& window, const TWindowPlacement& placement);
TScreenSize PrimaryScreen();
