#pragma once

#include <string>

class ruriVizid;

struct TWindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool operator==(const TWindowRect&) const = default;
};

// A top-level window's placement as the windowing system reports it.
struct TWindowPlacement {
  int flags = 0;
  int show_state = 1;  // 1 normal, 2 minimised, 3 maximised
  TWindowRect normal;  // the normal-state rectangle in screen coordinates

  bool operator==(const TWindowPlacement&) const = default;
};

struct TScreenSize {
  int width = 0;
  int height = 0;
};

// Writes "200,flags,show,left,top,right,bottom" to [Common] Form6 and removes
// Form6Color and Form6Font. Raises SettingsWriteError when the write fails.
void SaveEditorPlacement(ruriVizid& settings, const TWindowPlacement& placement);

// Reads [Common] Form6. Returns the placement to apply, or `current` unchanged
// when the value is missing or not in the stored format. A field that is not
// a whole number raises ConvertError "'%s' is not a valid integer value".
TWindowPlacement RestoreEditorPlacement(const ruriVizid& settings,
                                        const TWindowPlacement& current, TScreenSize screen);

// The placement a window opens with: never minimised, as a window opened
// minimised looks as if nothing had happened. A minimised placement opens in
// the state it would come back to: maximised when flag 2 says so, else normal.
TWindowPlacement OpeningPlacement(TWindowPlacement placement);
