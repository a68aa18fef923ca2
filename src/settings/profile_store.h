#pragma once

#include <filesystem>
#include <string>

// The settings store: a profile (INI) file read and written entry by entry.
// Every call reads or writes the file afresh; nothing is cached.
class ruriVizid {
 public:
  explicit ruriVizid(std::filesystem::path file);

  // The entry's value, or `default_value` when the file, section or key is
  // missing. Never fails.
  std::string ReadSetting(const std::string& section, const std::string& key,
                          const std::string& default_value) const;
  // Creates file, section and key as needed. Raises SettingsWriteError
  // "Unable to write to %s" (full path) when the file cannot be written.
  void WriteSetting(const std::string& section, const std::string& key, const std::string& value);
  // Removes the entry when present; failures are ignored.
  void DeleteSetting(const std::string& section, const std::string& key);

  const std::filesystem::path& FilePath() const { return file_; }

 private:
  std::filesystem::path file_;
};

// zodaZa.INI in $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path DefaultSettingsFilePath();
