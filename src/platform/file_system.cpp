#include "platform/file_system.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

std::filesystem::path FolderOrCurrent(const std::filesystem::path& folder) {
  return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

std::optional<BinaryFile::Identity> IdentityAt(const std::filesystem::path& path) {
  CountFileOperation(FileOperation::Stat);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    return BinaryFile::Identity{static_cast<std::uint64_t>(st.st_dev),
                                static_cast<std::uint64_t>(st.st_ino)};
  }
  if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
  throw FileError(errno, path);
}

void RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  CountFileOperation(FileOperation::Rename);
  if (::rename(from.c_str(), to.c_str()) != 0) throw FileError(errno, to);
}

bool RenameIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to) {
  CountFileOperation(FileOperation::Rename);
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno != EINVAL && errno != ENOSYS) throw FileError(errno, to);
  // A file system without the no-replace rename: a hard link refuses a taken name too.
  if (::link(from.c_str(), to.c_str()) != 0) {
    if (errno == EEXIST) return false;
    throw FileError(errno, to);
  }
  ::unlink(from.c_str());
  return true;
}

void SyncFolder(const std::filesystem::path& folder) {
  CountFileOperation(FileOperation::SyncFolder);
  const int fd = ::open(FolderOrCurrent(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw FileError(errno, folder);
  const int rc = ::fsync(fd);
  const int error_number = errno;
  ::close(fd);
  if (rc != 0) throw FileError(error_number, folder);
}

void MakeFolders(const std::filesystem::path& folder) {
  CountFileOperation(FileOperation::MakeFolder);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw FileError(error.value(), folder);
}

FolderLock::FolderLock(const std::filesystem::path& folder, Mode mode) {
  CountFileOperation(FileOperation::Lock);
  const std::filesystem::path where = FolderOrCurrent(folder);
  fd_ = ::open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) throw FileError(errno, where);
  int rc;
  do {
    rc = ::flock(fd_, mode == Mode::Exclusive ? LOCK_EX : LOCK_SH);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    const int error_number = errno;
    ::close(fd_);
    fd_ = -1;
    throw FileError(error_number, where);
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}
