#include "platform/private_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/binary_file.h"
#include "platform/file_system.h"

void MakePrivateFolders(const std::filesystem::path& folder) {
  CountFileOperation(FileOperation::MakeFolder);
  std::error_code error;
  const mode_t previous = ::umask(077);
  std::filesystem::create_directories(folder, error);
  ::umask(previous);
  if (error) throw FileError(error.value(), folder);
}

std::vector<TFolderFile> RegularFilesIn(const std::filesystem::path& folder) {
  CountFileOperation(FileOperation::Lookup);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) throw FileError(errno, folder);
  std::vector<TFolderFile> files;
  while (const dirent* entry = ::readdir(dir)) {
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode))
      files.push_back({entry->d_name, static_cast<std::uint64_t>(st.st_size)});
  }
  ::closedir(dir);
  return files;
}

void RemoveFile(const std::filesystem::path& file) {
  CountFileOperation(FileOperation::Remove);
  if (::unlink(file.c_str()) != 0) throw FileError(errno, file);
}

std::string LocalTimeStamp(std::time_t time) {
  std::tm local{};
  ::localtime_r(&time, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H-%M-%S", &local);
  return text;
}
