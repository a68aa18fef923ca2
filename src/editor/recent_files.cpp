#include "editor/recent_files.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "editor/editing_session.h"
#include "errors/app_error.h"
#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "settings/settings_file.h"

namespace {

constexpr char kSection[] = "Recent";

std::string Key(int i) { return "File" + std::to_string(i + 1); }

}  // namespace

RecentFilesStore::RecentFilesStore(std::filesystem::path file) : file_(std::move(file)) {}

std::vector<std::filesystem::path> RecentFilesStore::Load() const {
  std::optional<ProfileLines> lines;
  {
    const auto lock = LockFolder(file_, FolderLock::Mode::Shared);
    lines = ReadSettingsLines(file_);
  }
  std::vector<std::filesystem::path> files;
  if (!lines) return files;
  for (int i = 0; i < kRecentFileCount; ++i) {
    const std::optional<std::string> value = lines->Find(kSection, Key(i));
    if (value && !value->empty()) files.emplace_back(*value);
  }
  return files;
}

void RecentFilesStore::Add(const std::filesystem::path& lo_file) {
  const std::filesystem::path file = std::filesystem::absolute(lo_file).lexically_normal();
  // A line break would split the entry; such a file is not remembered.
  if (file.string().find_first_of("\r\n") != std::string::npos) return;
  std::vector<std::filesystem::path> files = Load();
  std::erase(files, file);
  files.insert(files.begin(), file);
  if (files.size() > kRecentFileCount) files.resize(kRecentFileCount);
  Store(files);
}

void RecentFilesStore::Remove(const std::filesystem::path& lo_file) {
  std::vector<std::filesystem::path> files = Load();
  if (std::erase(files, lo_file) > 0) Store(files);
}

void RecentFilesStore::Store(const std::vector<std::filesystem::path>& files) {
  EditSettingsLines(file_, [&](ProfileLines& lines) {
    for (int i = 0; i < kRecentFileCount; ++i) {
      if (static_cast<std::size_t>(i) < files.size()) {
        lines.Set(kSection, Key(i),
                  EncodeProfileValue(files[static_cast<std::size_t>(i)].string()));
      } else {
        lines.Remove(kSection, Key(i));
      }
    }
  });
}

std::filesystem::path DefaultRecentFilesPath() {
  return DefaultSettingsFilePath().parent_path() / "rererarovi" / "recent.ini";
}

void OpenRecentFile(TEditingSession& session, RecentFilesStore& store,
                    const std::filesystem::path& lo_file) {
  std::error_code error;
  if (!std::filesystem::exists(lo_file, error) && !error) {
    store.Remove(lo_file);
    throw AppError(lo_file.string() + " is no longer there; it was taken off Open Recent");
  }
  session.Files().OpenLoFileNamed(lo_file);
}
