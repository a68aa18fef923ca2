#include "settings/path_shortening.h"

namespace {

// Characters, not bytes: UTF-8 continuation bytes do not count.
std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

// Drops the first folder of `dir` behind an ellipsis: "\a\b\" -> "\...\b\",
// "\...\b\" -> "\...\", "a\" -> "...\", "...\" -> "".
std::string WithoutFirstFolder(std::string dir, char separator) {
  const std::string ellipsis = std::string("...") + separator;
  const bool leading = !dir.empty() && dir.front() == separator;
  if (leading) dir.erase(0, 1);
  if (dir.starts_with(ellipsis)) dir.erase(0, ellipsis.size());
  const std::size_t first = dir.find(separator);
  dir = first == std::string::npos ? std::string() : ellipsis + dir.substr(first + 1);
  if (leading) dir.insert(0, 1, separator);
  return dir;
}

}  // namespace

std::string ShortenPathForStatus(const std::string& path, char separator, std::size_t limit) {
  // Split into drive ("C:"), dir (up to the last separator or ":") and name.
  const std::size_t folder_end = path.find_last_of(std::string{separator, ':'});
  const std::string folder = folder_end == std::string::npos ? "" : path.substr(0, folder_end + 1);
  const std::string name = path.substr(folder.size());
  const bool has_drive = folder.size() >= 2 && folder[1] == ':';
  std::string drive = has_drive ? folder.substr(0, 2) : "";
  std::string dir = folder.substr(drive.size());

  const std::string root_ellipsis = std::string{separator} + "..." + separator;
  std::string shown = path;
  while (CharacterCount(shown) > limit && (!dir.empty() || !drive.empty())) {
    if (dir == root_ellipsis) {
      drive.clear();
      dir = root_ellipsis.substr(1);
    } else if (dir.empty()) {
      drive.clear();
    } else {
      std::string shorter = WithoutFirstFolder(dir, separator);
      // A bare root ("\") cannot get shorter; only the name is left to show.
      if (shorter == dir) break;
      dir = std::move(shorter);
    }
    shown = drive + dir + name;
  }
  return shown;
}
