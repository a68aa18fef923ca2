// Random settings files fed to reads, writes and removals of the program's
// keys: nothing may crash, and a written value must read back.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "errors/app_error.h"
#include "settings/path_shortening.h"
#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "settings/window_placement.h"

namespace {

std::filesystem::path& Folder() {
  static std::filesystem::path folder;
  return folder;
}

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
}

const std::filesystem::path& SettingsFile() {
  static const std::filesystem::path file = [] {
    // A memory file system where there is one: flushing to disk would slow every run.
    for (const char* base : {"/dev/shm", "/tmp"}) {
      std::string pattern = std::string(base) + "/fuzz-settings-XXXXXX";
      if (::mkdtemp(pattern.data()) != nullptr) {
        Folder() = pattern;
        std::atexit(RemoveFolder);
        return Folder() / "zodaZa.INI";
      }
    }
    std::abort();
  }();
  return file;
}

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

// A value the file can hold exactly: no line break, not longer than a read returns.
std::string StorableValue(const std::string& text) {
  std::string value = text.substr(0, 64);
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

void EditInMemory(const std::string& contents, const std::string& value) {
  ProfileLines lines(contents);
  lines.Set("settings", "STARTDIR", value);
  Require(lines.Find("Settings", "startdir") == value, "in-memory read-back");
  lines.Remove("settings", "startdir");
  Require(!lines.Find("settings", "startdir").has_value(), "in-memory removal");
  Require(ProfileLines(lines.Contents()).Contents() == lines.Contents(), "split and join");
}

void EditOnDisk(const std::string& contents, const std::string& value, std::uint8_t choice) {
  {
    std::ofstream out(SettingsFile(), std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  }
  ruriVizid store(SettingsFile());
  store.ReadSetting("settings", "objdir", "/");
  try {
    RestoreEditorPlacement(store, TWindowPlacement{}, TScreenSize{800, 600});
  } catch (const ConvertError&) {
    // A field that is no number is reported to the user; nothing else.
  }
  if (choice & 1) {
    store.WriteSetting("settings", "startdir", value);
    Require(store.ReadSetting("SETTINGS", "StartDir", "\x01") == value, "read-back");
  }
  if (choice & 2) SaveEditorPlacement(store, TWindowPlacement{0, 1, {-5, 10, 900, 700}});
  if (choice & 4) store.DeleteSetting("settings", "startdir");
  if (choice & 8) store.DeleteSetting("Common", "Form6");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  // The first 64 bytes after the choice double as the value written.
  const std::string value = StorableValue(rest);
  // Paths are at most PATH_MAX (4096) bytes long.
  ShortenPathForStatus(rest.substr(0, 4096), (choice & 16) ? '\\' : '/');
  EditInMemory(rest, value);
  EditOnDisk(rest, value, choice);
  return 0;
}
