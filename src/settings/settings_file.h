#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/file_system.h"
#include "settings/profile_lines.h"

// What the program's settings files share: each read-modify-write holds the
// folder's lock (another instance may write at the same time), and a read
// that fails is never taken for an empty file.

// The folder the file lies in ("." for a bare name).
std::filesystem::path FolderOf(const std::filesystem::path& file);
// The folder's lock; none when the folder cannot be locked (it is then used
// unlocked).
std::optional<FolderLock> LockFolder(const std::filesystem::path& file, FolderLock::Mode mode);
// The file's lines, or nothing when there is no file (nor folder). A file
// that is there but cannot be read raises SettingsReadError "Unable to read
// %s: " (full path) and the reason: what it holds is unknown, not empty, and
// a caller taking it for empty would write defaults over the user's entries.
std::optional<ProfileLines> ReadSettingsLines(const std::filesystem::path& file);
// Changes the file's lines under the folder's lock and replaces it
// atomically, creating folders and file as needed. Only a missing file
// starts empty: one that is there but cannot be read is never replaced.
// Raises SettingsWriteError "Unable to write to %s" (full path), with ": it
// is not a regular file" added when a pipe or device is in its place.
void EditSettingsLines(const std::filesystem::path& file,
                       const std::function<void(ProfileLines&)>& edit);
