#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

namespace {

// Closes the descriptor on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting the error a deferred write may only show here.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// The file the rename must replace: the target when `file` is a symbolic link.
std::filesystem::path ResolveTarget(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::is_symlink(file, error)) {
    std::filesystem::path target = std::filesystem::weakly_canonical(file, error);
    if (!error) return target;
  }
  return file;
}

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& file) {
  static std::atomic<unsigned> counter{0};
  std::string name = "." + file.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter++);
  return file.parent_path() / name;
}

int FillTemporary(FileDescriptor& fd, std::string_view contents, const struct stat* old_state) {
  if (old_state != nullptr && ::fchmod(fd.get(), old_state->st_mode & 07777) != 0) return errno;
  if (int error = WriteAll(fd.get(), contents)) return error;
  if (::fsync(fd.get()) != 0) return errno;
  return fd.Close();
}

// Creates `temporary` (never an existing file) and fills it; removes it again
// when filling fails.
int WriteTemporary(const std::filesystem::path& temporary, std::string_view contents,
                   const struct stat* old_state) {
  FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) return errno;
  const int error = FillTemporary(fd, contents, old_state);
  if (error != 0) ::unlink(temporary.c_str());
  return error;
}

}  // namespace

int ReadWholeFile(const std::filesystem::path& file, std::string& contents) {
  contents.clear();
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return errno;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      contents.clear();
      return error;
    }
    if (got == 0) return 0;
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}

int ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents) {
  const std::filesystem::path target = ResolveTarget(file);
  std::error_code error;
  if (target.has_parent_path()) {
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) return error.value();
  }
  struct stat old_state {};
  const bool had_file = ::stat(target.c_str(), &old_state) == 0;
  // A file the user made read-only stays as it is, although the rename could replace it.
  if (had_file && ::access(target.c_str(), W_OK) != 0) return errno;

  std::filesystem::path temporary;
  int result = EEXIST;
  for (int attempt = 0; attempt < 100 && result == EEXIST; ++attempt) {
    temporary = TemporaryNameBeside(target);
    result = WriteTemporary(temporary, contents, had_file ? &old_state : nullptr);
  }
  if (result != 0) return result;
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    result = errno;
    ::unlink(temporary.c_str());
    return result;
  }
  // Make the rename itself durable; a failure here leaves a complete file either way.
  FileDescriptor folder(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return 0;
}
