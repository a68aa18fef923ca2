#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/binary_file.h"

namespace {

using Step = WholeFileError::Step;

// The file the rename must replace: the target when `path` is a symbolic link,
// so the link stays a link.
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
  return error ? path : target;
}

// Refuses what an in-place write would refuse: a folder in the file's place,
// a file this process may not write (the rename alone would replace it).
void CheckReplaceable(const std::filesystem::path& path, struct stat& existing, bool& exists) {
  exists = ::stat(path.c_str(), &existing) == 0;
  if (!exists) return;
  if (S_ISDIR(existing.st_mode)) throw WholeFileError(Step::Open, 5);
  if (::access(path.c_str(), W_OK) != 0) {
    throw WholeFileError(Step::Open, FileErrorCode(errno, path));
  }
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  return path.parent_path() /
         ("." + path.filename().string() + "." + std::to_string(::getpid()) + ".tmp");
}

// Makes the rename itself durable; a failure here leaves a complete file either way.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& path) {
  BinaryFile file;
  try {
    file.OpenReadOnly(path);
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Open, e.code());
  }
  try {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) throw InOutError(FileErrorCode(error.value(), path));
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!bytes.empty()) file.ReadAt(0, bytes.data(), bytes.size());
    file.Close();
    return bytes;
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Transfer, e.code());
  }
}

void ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path target = ResolveLink(path);
  struct stat existing {};
  bool exists = false;
  CheckReplaceable(target, existing, exists);

  const std::filesystem::path temp = TemporaryBeside(target);
  BinaryFile file;
  try {
    file.Create(temp);
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Open, e.code());
  }
  try {
    // The new file takes the permissions the old one had.
    if (exists && ::chmod(temp.c_str(), existing.st_mode & 07777) != 0) {
      throw InOutError(FileErrorCode(errno, temp));
    }
    if (!bytes.empty()) file.WriteAt(0, bytes.data(), bytes.size());
    file.Flush();
    file.Close();
    if (::rename(temp.c_str(), target.c_str()) != 0) {
      throw InOutError(FileErrorCode(errno, target));
    }
  } catch (const InOutError& e) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    throw WholeFileError(Step::Transfer, e.code());
  }
  SyncFolder(target.parent_path());
}
