#include "settings/tool_windows.h"

#include <charconv>
#include <vector>

#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "settings/settings_file.h"

namespace {

constexpr char kShown[] = "shown";
constexpr char kFrame[] = "frame";

// "left,top,right,bottom"; nothing unless four whole numbers make a
// rectangle of some size.
std::optional<TWindowRect> ReadFrame(const std::string& text) {
  std::vector<int> numbers;
  const char* at = text.data();
  const char* end = at + text.size();
  while (at < end && numbers.size() < 5) {
    int value = 0;
    const auto [next, error] = std::from_chars(at, end, value);
    if (error != std::errc()) return std::nullopt;
    numbers.push_back(value);
    at = next;
    if (at < end && *at++ != ',') return std::nullopt;
  }
  if (numbers.size() != 4) return std::nullopt;
  const TWindowRect frame{numbers[0], numbers[1], numbers[2], numbers[3]};
  if (frame.right <= frame.left || frame.bottom <= frame.top) return std::nullopt;
  return frame;
}

}  // namespace

ToolWindowStore::ToolWindowStore(std::filesystem::path file) : file_(std::move(file)) {}

TToolWindowPlace ToolWindowStore::Load(const std::string& window) const {
  std::optional<ProfileLines> lines;
  {
    const auto lock = LockFolder(file_, FolderLock::Mode::Shared);
    lines = ReadSettingsLines(file_);
  }
  TToolWindowPlace place;
  if (!lines) return place;
  place.shown = lines->Find(window, kShown).value_or("0") == "1";
  if (const auto frame = lines->Find(window, kFrame)) place.frame = ReadFrame(*frame);
  return place;
}

void ToolWindowStore::Save(const std::string& window, const TToolWindowPlace& place) {
  EditSettingsLines(file_, [&](ProfileLines& lines) {
    lines.Set(window, kShown, place.shown ? "1" : "0");
    if (!place.frame) return;
    const TWindowRect& r = *place.frame;
    lines.Set(window, kFrame,
              std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                  "," + std::to_string(r.bottom));
  });
}

std::filesystem::path DefaultToolWindowsPath() {
  return DefaultSettingsFilePath().parent_path() / "rererarovi" / "windows.ini";
}
