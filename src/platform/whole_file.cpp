#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/binary_file.h"

namespace {

using Step = WholeFileError::Step;

// Flushes a file's data (or a folder's entries) to the disk. Returns errno, 0 on success.
int SyncToDisk(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error_number = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return error_number;
}

// Whether the file could be emptied in place: it is no folder and we may write it.
void CheckReplaceable(const std::filesystem::path& path, struct stat& existing, bool& exists) {
  exists = ::stat(path.c_str(), &existing) == 0;
  if (!exists) return;
  if (S_ISDIR(existing.st_mode)) throw WholeFileError(Step::Open, 5);
  if (::access(path.c_str(), W_OK) != 0)
    throw WholeFileError(Step::Open, FileErrorCode(errno, path));
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  std::filesystem::path temp = path;
  temp += "." + std::to_string(::getpid()) + ".tmp";
  return temp;
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
  struct stat existing {};
  bool exists = false;
  CheckReplaceable(path, existing, exists);

  const std::filesystem::path temp = TemporaryBeside(path);
  BinaryFile file;
  try {
    file.Create(temp);
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Open, e.code());
  }
  try {
    if (!bytes.empty()) file.WriteAt(0, bytes.data(), bytes.size());
    file.Close();
    if (const int error_number = SyncToDisk(temp)) {
      throw InOutError(FileErrorCode(error_number, temp));
    }
    // The new file takes the permissions the old one had.
    if (exists) ::chmod(temp.c_str(), existing.st_mode & 07777);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
      throw InOutError(FileErrorCode(errno, path));
    }
  } catch (const InOutError& e) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    throw WholeFileError(Step::Transfer, e.code());
  }
  SyncToDisk(path.parent_path().empty() ? "." : path.parent_path());
}
