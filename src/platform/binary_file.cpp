#include "platform/binary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "errors/app_error.h"

namespace {

struct FaultPlan {
  int count = 0;
  int fail_at = 0;
  int fail_code = 0;
  int short_at = 0;
  std::size_t short_bytes = 0;
};

FaultPlan& Plan() {
  static FaultPlan plan;
  return plan;
}

// Counts one operation; raises the planned failure when it is due.
void CountOperation() {
  FaultPlan& plan = Plan();
  ++plan.count;
  if (plan.fail_at != 0 && plan.count == plan.fail_at) {
    plan.fail_at = 0;
    throw InOutError(plan.fail_code);
  }
}

std::optional<std::size_t> PlannedShortWrite() {
  FaultPlan& plan = Plan();
  if (plan.short_at != 0 && plan.count == plan.short_at) {
    plan.short_at = 0;
    return plan.short_bytes;
  }
  return std::nullopt;
}

bool ParentFolderMissing(const std::filesystem::path& path) {
  std::filesystem::path parent = path.parent_path();
  if (parent.empty()) return false;
  struct stat st {};
  return ::stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
}

}  // namespace

int FileErrorCode(int error_number, const std::filesystem::path& path) {
  switch (error_number) {
    case ENOENT:
      return ParentFolderMissing(path) ? 3 : 2;
    case ENOTDIR:
    case ENAMETOOLONG:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return 5;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return 101;
    case EBADF:
      return 103;
    default:
      return error_number;
  }
}

BinaryFile::~BinaryFile() {
  if (fd_ >= 0) ::close(fd_);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void BinaryFile::OpenWithFlags(const std::filesystem::path& path, int flags) {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  CountOperation();
  if (path.empty()) throw InOutError(2);
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw InOutError(FileErrorCode(errno, path));
  // A folder opened read-only succeeds on this platform; the runtime refuses it.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw InOutError(5);
  }
  fd_ = fd;
}

void BinaryFile::OpenExisting(const std::filesystem::path& path) { OpenWithFlags(path, O_RDWR); }

void BinaryFile::OpenReadOnly(const std::filesystem::path& path) { OpenWithFlags(path, O_RDONLY); }

void BinaryFile::Create(const std::filesystem::path& path) {
  OpenWithFlags(path, O_RDWR | O_CREAT | O_TRUNC);
}

void BinaryFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
  if (fd_ < 0) throw InOutError(103);
  CountOperation();
  ssize_t got;
  do {
    got = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  if (got < 0) throw InOutError(FileErrorCode(errno, {}));
  if (static_cast<std::size_t>(got) < size) throw InOutError(100);
}

void BinaryFile::WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) {
  if (fd_ < 0) throw InOutError(103);
  CountOperation();
  std::size_t to_write = size;
  if (auto planned = PlannedShortWrite()) to_write = std::min(*planned, size);
  ssize_t put;
  do {
    put = ::pwrite(fd_, buffer, to_write, static_cast<off_t>(offset));
  } while (put < 0 && errno == EINTR);
  if (put < 0) throw InOutError(FileErrorCode(errno, {}));
  if (static_cast<std::size_t>(put) < size) throw InOutError(101);
}

void BinaryFile::Flush() {
  if (fd_ < 0) throw InOutError(103);
  CountOperation();
  if (::fsync(fd_) != 0) throw InOutError(FileErrorCode(errno, {}));
}

void BinaryFile::Close() {
  if (fd_ < 0) throw InOutError(103);
  int fd = fd_;
  fd_ = -1;
  // The handle is released even when the close is reported as failed.
  int rc = ::close(fd);
  int error_number = errno;
  CountOperation();
  if (rc != 0 && error_number != EINTR) throw InOutError(FileErrorCode(error_number, {}));
}

namespace file_faults {
void Reset() { Plan() = FaultPlan{}; }
void FailOperation(int nth, int code) {
  Plan().fail_at = Plan().count + nth;
  Plan().fail_code = code;
}
void ShortWrite(int nth, std::size_t bytes) {
  Plan().short_at = Plan().count + nth;
  Plan().short_bytes = bytes;
}
int OperationCount() { return Plan().count; }
}  // namespace file_faults
