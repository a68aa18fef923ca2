#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/binary_file.h"

// Operations on names and folders, each one counted by the fault seam and
// failing with InOutError as BinaryFile does.

// What `path` names now (symbolic links followed); nothing when no file is
// there (missing file or folder).
std::optional<BinaryFile::Identity> IdentityAt(const std::filesystem::path& path);

// Moves `from` over `to`, replacing what `to` named, in one step.
void RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Moves `from` to `to` only when `to` does not exist yet; false (and `from`
// left in place) when it does.
bool RenameIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes the names in `folder` durable (after a rename).
void SyncFolder(const std::filesystem::path& folder);

// Creates `folder` and any missing folder above it.
void MakeFolders(const std::filesystem::path& folder);

// An advisory lock on a folder, held until the object goes. Exclusive locks
// wait for every other holder; shared ones only for an exclusive holder.
// The system drops it when the process ends, however it ends.
class FolderLock {
 public:
  enum class Mode { Shared, Exclusive };
  FolderLock(const std::filesystem::path& folder, Mode mode);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  FolderLock(FolderLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FolderLock& operator=(FolderLock&&) = delete;

 private:
  std::intptr_t fd_ = -1;  // the folder's descriptor; on Windows the mutex's handle
};
