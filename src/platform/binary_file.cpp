#include "platform/binary_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

bool ParentFolderMissing(const std::filesystem::path& path) {
  std::filesystem::path parent = path.parent_path();
  if (parent.empty()) return false;
  struct stat st {};
  return ::stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
}

}  // namespace

InOutError FileError(int error_number, const std::filesystem::path& path) {
  switch (error_number) {
    case ENOENT:
      return InOutError(ParentFolderMissing(path) ? 3 : 2);
    case ENOTDIR:
    case ENAMETOOLONG:
      return InOutError(3);
    case EMFILE:
    case ENFILE:
      return InOutError(4);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return InOutError(5);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return InOutError(101);
    case EBADF:
      return InOutError(103);
    default:
      return InOutError::Unlisted(error_number);
  }
}

bool BinaryFile::IsOpen() const { return fd_ >= 0; }

BinaryFile::~BinaryFile() {
  if (fd_ >= 0) ::close(fd_);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : fd_(other.fd_), identity_(other.identity_), regular_(other.regular_) {
  other.fd_ = -1;
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    identity_ = other.identity_;
    regular_ = other.regular_;
    other.fd_ = -1;
  }
  return *this;
}

void BinaryFile::OpenWithFlags(const std::filesystem::path& path, int flags) {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  CountFileOperation(FileOperation::Open, path);
  if (path.empty()) throw InOutError(2);
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw FileError(errno, path);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int error_number = errno;
    ::close(fd);
    throw FileError(error_number, path);
  }
  // A folder opened read-only succeeds on this platform; the runtime refuses it.
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw InOutError(5);
  }
  fd_ = fd;
  identity_ = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  regular_ = S_ISREG(st.st_mode);
}

void BinaryFile::OpenExisting(const std::filesystem::path& path) { OpenWithFlags(path, O_RDWR); }

// O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer.
// It changes nothing for a regular file.
void BinaryFile::OpenReadOnly(const std::filesystem::path& path) {
  OpenWithFlags(path, O_RDONLY | O_NONBLOCK);
}

void BinaryFile::Create(const std::filesystem::path& path) {
  OpenWithFlags(path, O_RDWR | O_CREAT | O_TRUNC);
}

void BinaryFile::CreateNew(const std::filesystem::path& path) {
  OpenWithFlags(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW);
}

void BinaryFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
  if (ReadUpTo(offset, buffer, size) < size) throw InOutError(100);
}

std::size_t BinaryFile::ReadUpTo(std::uint64_t offset, void* buffer, std::size_t size) {
  if (fd_ < 0) throw InOutError(103);
  CountFileOperation(FileOperation::Read);
  ssize_t got;
  do {
    got = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  if (got < 0) throw FileError(errno, {});
  return static_cast<std::size_t>(got);
}

void BinaryFile::WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) {
  if (fd_ < 0) throw InOutError(103);
  CountFileOperation(FileOperation::Write);
  std::size_t to_write = size;
  if (auto planned = PlannedShortWrite()) to_write = std::min(*planned, size);
  ssize_t put = 0;
  if (to_write > 0) {
    do {
      put = ::pwrite(fd_, buffer, to_write, static_cast<off_t>(offset));
    } while (put < 0 && errno == EINTR);
  }
  if (put < 0) throw FileError(errno, {});
  if (static_cast<std::size_t>(put) < size) throw InOutError(101);
}

void BinaryFile::Truncate(std::uint64_t size) {
  if (fd_ < 0) throw InOutError(103);
  CountFileOperation(FileOperation::Truncate);
  int rc;
  do {
    rc = ::ftruncate(fd_, static_cast<off_t>(size));
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) throw FileError(errno, {});
}

std::uint64_t BinaryFile::Size() {
  if (fd_ < 0) throw InOutError(103);
  CountFileOperation(FileOperation::Stat);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) throw FileError(errno, {});
  return static_cast<std::uint64_t>(st.st_size);
}

void BinaryFile::Flush() {
  if (fd_ < 0) throw InOutError(103);
  CountFileOperation(FileOperation::Flush);
  if (::fsync(fd_) != 0) throw FileError(errno, {});
}

void BinaryFile::Close() {
  if (fd_ < 0) throw InOutError(103);
  int fd = fd_;
  fd_ = -1;
  // The handle is released even when the close is reported as failed.
  int rc = ::close(fd);
  int error_number = errno;
  CountFileOperation(FileOperation::Close);
  if (rc != 0 && error_number != EINTR) throw FileError(error_number, {});
}

bool BinaryFile::ShareNoticingOthers() {
  if (fd_ < 0) return false;
  // Alone when an exclusive lock is granted at once; then keep a shared one
  // so the next editor sees us. The lock only informs: nothing waits on it.
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    ::flock(fd_, LOCK_SH | LOCK_NB);
    return false;
  }
  const bool held_elsewhere = errno == EWOULDBLOCK;
  ::flock(fd_, LOCK_SH | LOCK_NB);
  return held_elsewhere;
}
