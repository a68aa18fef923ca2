#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Backup copies of Lo files: before the first write to a file in a run, the
// file as it was opened goes to the backups folder as "<file name>.<time
// opened>" (LoEXAMPL.dat.2026-12-07T15-04-05). The newest kKeptCopies of
// each file name are kept.

inline constexpr std::size_t kKeptCopies = 20;

// $XDG_DATA_HOME/rererarovi/backups, else ~/.local/share/rererarovi/backups
// (on Windows %LOCALAPPDATA%\rererarovi\backups); empty when the
// environment names none of them.
std::filesystem::path BackupFolderFromEnvironment();

struct TBackupCopy {
  std::filesystem::path path;
  std::string time_text;  // "2026-12-07 15:04:05", as the list shows it
  std::uint64_t size = 0;
  int differing_records = 0;  // against the file now
};

// How a comparison names a copy: "the backup of 15:04", after the time
// the file was opened.
std::string BackupCopyName(const TBackupCopy& copy);

// Records that differ between two Lo files' bytes: a record only one of them
// holds counts, as does one whose 20 bytes differ.
int DifferingRecords(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b);

class TBackupKeeper {
 public:
  // No folder: no copies are made (tests that do not look at them).
  void SetFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
  const std::filesystem::path& Folder() const { return folder_; }
  void SetClock(std::function<std::time_t()> clock) { clock_ = std::move(clock); }

  // A file was opened: its bytes, or why they could not be read.
  void Opened(const std::filesystem::path& file, std::vector<std::uint8_t> bytes);
  void OpenedUnread(const std::filesystem::path& file, const std::string& reason);
  // Before a write to the open file: makes its copy, once per file in a run.
  // When no copy can be made, the text to tell the user (once per file);
  // never raises.
  std::optional<std::string> BeforeWrite();
  // Before a write to another file the editor writes (objdat.nam): copies
  // it as it is now, once per file in a run; as BeforeWrite otherwise.
  std::optional<std::string> BeforeWriteTo(const std::filesystem::path& file);
  // The open file's copies, newest first, compared with `now`. Raises
  // InOutError when the folder cannot be listed (a missing one has none).
  std::vector<TBackupCopy> Copies(const std::vector<std::uint8_t>& now) const;

 private:
  void MakeCopy(const std::filesystem::path& file, std::time_t time,
                const std::vector<std::uint8_t>& bytes);
  std::filesystem::path folder_;
  std::function<std::time_t()> clock_ = [] { return std::time(nullptr); };
  std::filesystem::path file_;
  std::time_t opened_at_ = 0;
  std::vector<std::uint8_t> bytes_;
  std::optional<std::string> unread_reason_;
  std::set<std::filesystem::path> done_;  // copied, or told why not
};
