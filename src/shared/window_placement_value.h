#pragma once

// A top-level window's placement as plain numbers, the way the settings file
// keeps it. The core stores it and the components query and apply it on a
// window; both include this header and nothing else of each other.

struct TWindowRect {
  int left = 0;
  int top = 0;
  int right = 0;   // left + width
  int bottom = 0;  // top + height

  bool operator==(const TWindowRect&) const = default;
};

struct TWindowPlacement {
  static constexpr int kRestoreToMaximized = 2;  // flag: minimised from maximised
  static constexpr int kShowNormal = 1;
  static constexpr int kShowMinimized = 2;
  static constexpr int kShowMaximized = 3;

  int flags = 0;
  int show_state = kShowNormal;
  // The window frame in its normal (neither minimised nor maximised) state,
  // in screen coordinates.
  TWindowRect normal;

  bool operator==(const TWindowPlacement&) const = default;
};

struct TScreenSize {
  int width = 0;
  int height = 0;
};
