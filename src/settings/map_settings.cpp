#include "settings/map_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "errors/app_error.h"
#include "platform/file_system.h"
#include "platform/whole_file.h"
#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "settings/settings_file.h"

namespace {

constexpr char kPicture[] = "picture";
constexpr char kLeft[] = "left";
constexpr char kBottom[] = "bottom";
constexpr char kRight[] = "right";
constexpr char kTop[] = "top";
constexpr char kOpacity[] = "opacity";
constexpr char kGrid[] = "grid";

// Written with '.' whatever the locale, in the shortest form that reads back
// as the same double.
std::string NumberText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::optional<double> ReadNumber(const std::optional<std::string>& text) {
  if (!text || text->empty()) return std::nullopt;
  double value = 0.0;
  const char* end = text->data() + text->size();
  const auto result = std::from_chars(text->data(), end, value);
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

char Hex(int digit) { return "0123456789abcdef"[digit & 15]; }

}  // namespace

bool IsGridStep(double step) {
  return std::find(kMapGridSteps.begin(), kMapGridSteps.end(), step) != kMapGridSteps.end();
}

std::string BackdropEdgesProblem(const TBackdropEdges& edges) {
  const double values[] = {edges.left, edges.bottom, edges.right, edges.top};
  if (!std::all_of(std::begin(values), std::end(values),
                   [](double v) { return std::isfinite(v); })) {
    return "its edges are not numbers";
  }
  if (!(edges.left < edges.right)) return "its left edge is not left of its right edge";
  if (!(edges.bottom < edges.top)) return "its bottom edge is not below its top edge";
  return "";
}

namespace {

// `path` with the bytes `escaped` picks written as %xx.
template <typename Escaped>
std::string EscapedPath(const std::filesystem::path& lo_file, Escaped escaped) {
  const std::string path = std::filesystem::absolute(lo_file).lexically_normal().string();
  std::string section;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    const bool at_end = i + 1 == path.size();
    if (escaped(byte) || byte < 0x20 || byte == 0x7f || byte == '%' || byte == '[' || byte == ']' ||
        ((byte == ' ' || byte == '\t') && at_end)) {
      section += '%';
      section += Hex(byte >> 4);
      section += Hex(byte);
    } else {
      section += static_cast<char>(byte);
    }
  }
  return section;
}

// The name earlier versions gave the section: capitals escaped too. Read
// once, and replaced by the plain name on the next save.
std::string OldMapSettingsSection(const std::filesystem::path& lo_file) {
  return EscapedPath(lo_file, [](unsigned char byte) { return byte >= 'A' && byte <= 'Z'; });
}

}  // namespace

std::string MapSettingsSection(const std::filesystem::path& lo_file) {
  return EscapedPath(lo_file, [](unsigned char) { return false; });
}

MapSettingsStore::MapSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

TMapSettings MapSettingsStore::Load(const std::filesystem::path& lo_file) const {
  std::optional<ProfileLines> lines;
  {
    const auto lock = LockFolder(file_, FolderLock::Mode::Shared);
    lines = ReadSettingsLines(file_);
  }
  TMapSettings settings;
  if (!lines) return settings;
  lines->MatchSectionCase();
  std::string section = MapSettingsSection(lo_file);
  if (!lines->Find(section, kGrid) && !lines->Find(section, kPicture)) {
    section = OldMapSettingsSection(lo_file);
  }
  auto number = [&](const char* key) { return ReadNumber(lines->Find(section, key)); };

  settings.backdrop = lines->Find(section, kPicture).value_or("");
  const double nan = std::nan("");
  settings.edges = {number(kLeft).value_or(nan), number(kBottom).value_or(nan),
                    number(kRight).value_or(nan), number(kTop).value_or(nan)};
  if (settings.backdrop.empty()) settings.edges = {};
  if (const auto opacity = number(kOpacity); opacity && std::isfinite(*opacity)) {
    settings.opacity = static_cast<int>(std::lround(std::clamp(*opacity, 0.0, 100.0)));
  }
  if (const auto step = number(kGrid); step && IsGridStep(*step)) settings.grid_step = *step;
  return settings;
}

void MapSettingsStore::Save(const std::filesystem::path& lo_file, const TMapSettings& settings) {
  // A line break would split the entry and plant lines of its own.
  if (settings.backdrop.find_first_of("\r\n") != std::string::npos) {
    throw SettingsWriteError("Unable to write to " + file_.string());
  }
  const std::string section = MapSettingsSection(lo_file);
  EditSettingsLines(file_, [&](ProfileLines& lines) {
    lines.MatchSectionCase();
    if (OldMapSettingsSection(lo_file) != section)
      lines.RemoveSection(OldMapSettingsSection(lo_file));
    lines.Set(section, kGrid, NumberText(settings.grid_step));
    if (settings.backdrop.empty()) {
      for (const char* key : {kPicture, kLeft, kBottom, kRight, kTop, kOpacity}) {
        lines.Remove(section, key);
      }
      return;
    }
    lines.Set(section, kPicture, settings.backdrop);
    lines.Set(section, kLeft, NumberText(settings.edges.left));
    lines.Set(section, kBottom, NumberText(settings.edges.bottom));
    lines.Set(section, kRight, NumberText(settings.edges.right));
    lines.Set(section, kTop, NumberText(settings.edges.top));
    lines.Set(section, kOpacity, std::to_string(std::clamp(settings.opacity, 0, 100)));
  });
}

std::filesystem::path DefaultMapSettingsPath() {
  // The same configuration folder as the shared settings file, in a folder of our own.
  return DefaultSettingsFilePath().parent_path() / "rererarovi" / "maps.ini";
}
