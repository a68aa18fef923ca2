#include "settings/settings_file.h"

#include "errors/app_error.h"
#include "platform/whole_file.h"

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::optional<FolderLock> LockFolder(const std::filesystem::path& file, FolderLock::Mode mode) {
  std::optional<FolderLock> lock;
  try {
    lock.emplace(FolderOf(file), mode);
  } catch (const InOutError&) {
  }
  return lock;
}

std::optional<ProfileLines> ReadSettingsLines(const std::filesystem::path& file) {
  try {
    return ProfileLines(ReadWholeFile(file));
  } catch (const WholeFileError& error) {
    // No file, or no folder for it: nothing is stored yet.
    if (error.step() == WholeFileError::Step::Open && (error.Is(2) || error.Is(3))) {
      return std::nullopt;
    }
    // The message names the file: the bare reason would read as the Lo file's.
    const std::string reason = error.NotRegularFile() ? "it is not a regular file" : error.what();
    throw SettingsReadError("Unable to read " + file.string() + ": " + reason);
  }
}

void EditSettingsLines(const std::filesystem::path& file,
                       const std::function<void(ProfileLines&)>& edit) {
  const SettingsWriteError failure("Unable to write to " + file.string());
  const auto fail = [&](const WholeFileError& error) {
    // A pipe or device in the file's place is never read or replaced.
    if (error.NotRegularFile()) {
      throw SettingsWriteError(failure.what() + std::string(": it is not a regular file"));
    }
    throw failure;
  };
  try {
    MakeFolders(FolderOf(file));
  } catch (const InOutError&) {
    throw failure;
  }
  const auto lock = LockFolder(file, FolderLock::Mode::Exclusive);
  std::string contents;
  try {
    contents = ReadWholeFile(file);
  } catch (const WholeFileError& error) {
    if (!(error.step() == WholeFileError::Step::Open && error.Is(2))) fail(error);
  }
  ProfileLines lines(contents);
  edit(lines);
  try {
    ReplaceWholeFile(file, lines.Contents());
  } catch (const WholeFileError& error) {
    fail(error);
  }
}
