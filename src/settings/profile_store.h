#pragma once

#include <filesystem>
#include <string>

#include "errors/app_error.h"

// The settings store: a profile (INI) file read and written entry by entry.
// Every call reads or writes the file afresh; nothing is cached. Each call
// holds an advisory lock on the file's folder, so several instances of the
// program may write at once without losing each other's entries. A pipe or
// device in the file's place is never opened for reading or writing.
class ruriVizid {
 public:
  explicit ruriVizid(std::filesystem::path file);

  // The entry's value, or `default_value` when the file, its folder, the
  // section or the key is missing. A file that is there but cannot be read (no
  // permission, an I/O error, a folder or pipe in its place) raises
  // SettingsReadError "Unable to read %s: " (full path) and the reason ("File
  // access denied", "I/O error 5", "it is not a regular file").
  std::string ReadSetting(const std::string& section, const std::string& key,
                          const std::string& default_value) const;
  // Creates folders, file, section and key as needed. Raises SettingsWriteError
  // "Unable to write to %s" (full path) when the file cannot be written, with
  // ": it is not a regular file" added when a pipe or device is in its place.
  void WriteSetting(const std::string& section, const std::string& key, const std::string& value);
  // Removes the entry when present; failures are ignored.
  void DeleteSetting(const std::string& section, const std::string& key);

  const std::filesystem::path& FilePath() const { return file_; }

 private:
  std::filesystem::path file_;
};

// zodaZa.INI in $XDG_CONFIG_HOME, else ~/.config; on Windows in the Windows folder.
std::filesystem::path DefaultSettingsFilePath();
