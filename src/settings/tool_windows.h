#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "window_placement_value.h"

// Where the tool windows (the level set, ...) stood and whether they were
// shown, so a new run opens them again there. Kept in a file of the
// program's own, one section per window, never in the shared zodaZa.INI.
struct TToolWindowPlace {
  bool shown = false;
  std::optional<TWindowRect> frame;  // nothing: never placed yet
  bool operator==(const TToolWindowPlace&) const = default;
};

class ToolWindowStore {
 public:
  explicit ToolWindowStore(std::filesystem::path file);

  // What is stored for `window`; not shown and unplaced when nothing is (a
  // damaged rectangle counts as none). A file that is there but cannot be
  // read raises SettingsReadError.
  TToolWindowPlace Load(const std::string& window) const;
  // Raises SettingsWriteError "Unable to write to <file>".
  void Save(const std::string& window, const TToolWindowPlace& place);

 private:
  std::filesystem::path file_;
};

// rererarovi/windows.ini in $XDG_CONFIG_HOME, else in ~/.config.
std::filesystem::path DefaultToolWindowsPath();
