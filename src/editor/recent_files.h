#pragma once

#include <filesystem>
#include <vector>

class TEditingSession;

// "Open Recent": the Lo files opened last, most recent first, kept in a file
// of the program's own (never the shared zodaZa.INI).
inline constexpr int kRecentFileCount = 8;

class RecentFilesStore {
 public:
  explicit RecentFilesStore(std::filesystem::path file);

  // At most kRecentFileCount files, most recent first; none when the file is
  // missing. A file that is there but cannot be read raises SettingsReadError.
  std::vector<std::filesystem::path> Load() const;
  // `lo_file` (made absolute) goes to the front, once; the ninth goes.
  // Raises SettingsWriteError "Unable to write to <file>".
  void Add(const std::filesystem::path& lo_file);
  // Takes `lo_file` off the list.
  void Remove(const std::filesystem::path& lo_file);

  const std::filesystem::path& FilePath() const { return file_; }

 private:
  void Store(const std::vector<std::filesystem::path>& files);
  std::filesystem::path file_;
};

// rererarovi/recent.ini in $XDG_CONFIG_HOME, else in ~/.config.
std::filesystem::path DefaultRecentFilesPath();

// Opens a file of the list as "Open a Lo File" does after its dialog. One
// that is no longer there is taken off the list and reported: AppError
// "<path> is no longer there; it was taken off Open Recent".
void OpenRecentFile(TEditingSession& session, RecentFilesStore& store,
                    const std::filesystem::path& lo_file);
