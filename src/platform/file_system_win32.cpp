#include "platform/file_system.h"

#include <windows.h>

#include <functional>
#include <string>
#include <system_error>

namespace {

int LastError() { return static_cast<int>(::GetLastError()); }

}  // namespace

std::optional<BinaryFile::Identity> IdentityAt(const std::filesystem::path& path) {
  CountFileOperation(FileOperation::Stat);
  // No access asked: this only names the file, whoever holds it and however.
  const HANDLE file = ::CreateFileA(path.string().c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const int error = LastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw FileError(error, path);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const BOOL known = ::GetFileInformationByHandle(file, &info);
  const int error = LastError();
  ::CloseHandle(file);
  if (!known) throw FileError(error, path);
  return BinaryFile::Identity{
      info.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// Write-through: the rename is on the disk when the call returns.
void RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  CountFileOperation(FileOperation::Rename);
  if (!::MoveFileExA(from.string().c_str(), to.string().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw FileError(LastError(), to);
  }
}

bool RenameIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to) {
  CountFileOperation(FileOperation::Rename);
  if (::MoveFileExA(from.string().c_str(), to.string().c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const int error = LastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
  throw FileError(error, to);
}

// The renames are written through already; a folder has nothing more to flush.
void SyncFolder(const std::filesystem::path&) { CountFileOperation(FileOperation::SyncFolder); }

void MakeFolders(const std::filesystem::path& folder) {
  CountFileOperation(FileOperation::MakeFolder);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw FileError(error.value(), folder);
}

// A folder cannot be locked on this system: a mutex named after the folder,
// which every process of this user sees, stands for the lock. Both modes
// take it whole (shared holders wait for each other too, briefly).
FolderLock::FolderLock(const std::filesystem::path& folder, Mode) {
  CountFileOperation(FileOperation::Lock);
  std::string name = std::filesystem::absolute(folder.empty() ? "." : folder).string();
  for (char& c : name) {
    if (c == '\\' || c == '/' || c == ':') c = '_';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  name = "Local\\rererarovi-folder-" + std::to_string(std::hash<std::string>{}(name));
  const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) throw FileError(LastError(), folder);
  const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    const int error = LastError();
    ::CloseHandle(mutex);
    throw FileError(error, folder);
  }
  fd_ = reinterpret_cast<std::intptr_t>(mutex);
}

FolderLock::~FolderLock() {
  if (fd_ == -1) return;
  const HANDLE mutex = reinterpret_cast<HANDLE>(fd_);
  ::ReleaseMutex(mutex);
  ::CloseHandle(mutex);
}
