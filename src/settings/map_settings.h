#pragma once

#include <array>
#include <filesystem>
#include <string>

// The map's own settings for one Lo file: a backdrop picture laid under the
// markers and the grid step to snap to. They live in a file of the program's
// own (never the shared zodaZa.INI), one section per Lo file, keyed by the
// Lo file's absolute path.

// The world coordinates a backdrop picture's edges stand for.
struct TBackdropEdges {
  double left = 0.0;
  double bottom = 0.0;
  double right = 0.0;
  double top = 0.0;
};

inline constexpr int kDefaultBackdropOpacity = 60;

// The grid steps a map snaps to, in world units; 0 is no grid.
inline constexpr std::array<double, 8> kMapGridSteps = {0.0, 0.5, 1.0, 2.0, 5.0, 10.0, 25.0, 50.0};
bool IsGridStep(double step);

struct TMapSettings {
  // The picture file; empty when the Lo file has no backdrop.
  std::string backdrop;
  TBackdropEdges edges;
  int opacity = kDefaultBackdropOpacity;  // percent, 0 ... 100
  double grid_step = 0.0;                 // 0: no grid to snap to
};

// "" when the edges make a picture that can be drawn: finite, left < right
// and bottom < top; else what is wrong with them.
std::string BackdropEdgesProblem(const TBackdropEdges& edges);

class MapSettingsStore {
 public:
  explicit MapSettingsStore(std::filesystem::path file);

  // The settings stored for `lo_file`, or the defaults when the file, or its
  // section, is missing. A value that does not read (a damaged number, a grid
  // step that is none of the steps) takes its default; an opacity outside
  // 0 ... 100 is brought inside. A file that is there but cannot be read
  // raises SettingsReadError "Unable to read <file>: <reason>".
  TMapSettings Load(const std::filesystem::path& lo_file) const;

  // Replaces what is stored for `lo_file`; the other Lo files' sections and
  // every line not ours keep their bytes. The file is replaced atomically,
  // its folder created as needed. Raises SettingsWriteError "Unable to write
  // to <file>" (and never replaces a file that is there but cannot be read).
  void Save(const std::filesystem::path& lo_file, const TMapSettings& settings);

  const std::filesystem::path& FilePath() const { return file_; }

 private:
  std::filesystem::path file_;
};

// rererarovi/maps.ini in $XDG_CONFIG_HOME, else in ~/.config.
std::filesystem::path DefaultMapSettingsPath();

// The section name that stands for `lo_file`: its absolute path as it is,
// matched with regard to case; only the bytes the profile form would lose or
// confuse (brackets, control characters, "%", a blank at the end) are
// written as %xx.
std::string MapSettingsSection(const std::filesystem::path& lo_file);
