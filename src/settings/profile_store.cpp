#include "settings/profile_store.h"

#include <optional>
#include <string_view>

#include "errors/app_error.h"
#include "platform/file_system.h"
#include "platform/program_folder.h"
#include "platform/whole_file.h"
#include "settings/profile_lines.h"
#include "settings/settings_file.h"

namespace {

// The longest value a read returns, as on the desktop's profile files.
constexpr std::size_t kMaxValueLength = 2047;

std::string Limited(std::string text) {
  if (text.size() > kMaxValueLength) text.resize(kMaxValueLength);
  return text;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string::npos; }

// The file's lines, or nothing when it cannot be read.
std::optional<ProfileLines> ReadLines(const std::filesystem::path& file) {
  try {
    return ProfileLines(ReadWholeFile(file));
  } catch (const WholeFileError&) {
    return std::nullopt;
  }
}

}  // namespace

ruriVizid::ruriVizid(std::filesystem::path file) : file_(std::move(file)) {}

std::string ruriVizid::ReadSetting(const std::string& section, const std::string& key,
                                   const std::string& default_value) const {
  std::optional<ProfileLines> lines;
  {
    const auto lock = LockFolder(file_, FolderLock::Mode::Shared);
    lines = ReadSettingsLines(file_);
  }
  std::optional<std::string> value = lines ? lines->Find(section, key) : std::nullopt;
  return Limited(value ? std::move(*value) : default_value);
}

void ruriVizid::WriteSetting(const std::string& section, const std::string& key,
                             const std::string& value) {
  // A line break would split the entry and plant lines of its own in the file.
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
    throw SettingsWriteError("Unable to write to " + file_.string());
  }
  EditSettingsLines(file_, [&](ProfileLines& lines) { lines.Set(section, key, value); });
}

void ruriVizid::DeleteSetting(const std::string& section, const std::string& key) {
  const auto lock = LockFolder(file_, FolderLock::Mode::Exclusive);
  std::optional<ProfileLines> lines = ReadLines(file_);
  if (!lines || !lines->Remove(section, key)) return;
  try {
    ReplaceWholeFile(file_, lines->Contents());
  } catch (const WholeFileError&) {
    // a failed removal is ignored
  }
}

std::filesystem::path DefaultSettingsFilePath() { return SettingsFileFolder() / "zodaZa.INI"; }
