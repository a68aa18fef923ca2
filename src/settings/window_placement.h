#pragma once

#include <string>

#include "window_placement_value.h"

class ruriVizid;

// Writes "200,flags,show,left,top,right,bottom" to [Common] Form6 and removes
// Form6Color and Form6Font. Raises SettingsWriteError when the write fails.
void SaveEditorPlacement(ruriVizid& settings, const TWindowPlacement& placement);

// Reads [Common] Form6. Returns the placement to apply, or `current` unchanged
// when the value is missing or not in the stored format. A field that is not
// a whole number raises ConvertError "'%s' is not a valid integer value".
TWindowPlacement RestoreEditorPlacement(const ruriVizid& settings, const TWindowPlacement& current,
                                        TScreenSize screen);

// The placement a window opens with: never minimised, as a window opened
// minimised looks as if nothing had happened. A minimised placement opens in
// the state it would come back to: maximised when flag 2 says so, else normal.
TWindowPlacement OpeningPlacement(TWindowPlacement placement);
