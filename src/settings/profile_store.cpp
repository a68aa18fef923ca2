#include "settings/profile_store.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "errors/app_error.h"
#include "platform/atomic_file.h"
#include "settings/profile_lines.h"

namespace {

// The longest value a read returns, as on the desktop's profile files.
constexpr std::size_t kMaxValueLength = 2047;

std::string Limited(std::string text) {
  if (text.size() > kMaxValueLength) text.resize(kMaxValueLength);
  return text;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string::npos; }

}  // namespace

ruriVizid::ruriVizid(std::filesystem::path file) : file_(std::move(file)) {}

std::string ruriVizid::ReadSetting(const std::string& section, const std::string& key,
                                   const std::string& default_value) const {
  std::string contents;
  if (ReadWholeFile(file_, contents) != 0) return Limited(default_value);
  std::optional<std::string> value = ProfileLines(contents).Find(section, key);
  return Limited(value ? std::move(*value) : default_value);
}

void ruriVizid::WriteSetting(const std::string& section, const std::string& key,
                             const std::string& value) {
  const SettingsWriteError failure("Unable to write to " + file_.string());
  // A line break would split the entry and plant lines of its own in the file.
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) throw failure;
  std::string contents;
  // A file that exists but cannot be read must not be replaced by one entry.
  const int read_error = ReadWholeFile(file_, contents);
  if (read_error != 0 && read_error != ENOENT) throw failure;
  ProfileLines lines(contents);
  lines.Set(section, key, value);
  if (ReplaceFileAtomically(file_, lines.Contents()) != 0) throw failure;
}

void ruriVizid::DeleteSetting(const std::string& section, const std::string& key) {
  std::string contents;
  if (ReadWholeFile(file_, contents) != 0) return;
  ProfileLines lines(contents);
  if (!lines.Remove(section, key)) return;
  ReplaceFileAtomically(file_, lines.Contents());  // a failed removal is ignored
}

std::filesystem::path DefaultSettingsFilePath() {
  std::filesystem::path folder;
  // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  if (config_home != nullptr && config_home[0] == '/') {
    folder = config_home;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
      const passwd* user = ::getpwuid(::getuid());
      home = (user != nullptr && user->pw_dir != nullptr) ? user->pw_dir : "/";
    }
    folder = std::filesystem::path(home) / ".config";
  }
  return folder / "zodaZa.INI";
}
