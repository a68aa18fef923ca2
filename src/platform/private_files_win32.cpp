#include "platform/private_files.h"

#include <windows.h>

#include <system_error>

#include "platform/binary_file.h"

// The folders live in the user's own profile (%LOCALAPPDATA%), which
// Windows keeps from other users already; they take its permissions.
void MakePrivateFolders(const std::filesystem::path& folder) {
  CountFileOperation(FileOperation::MakeFolder);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw FileError(error.value(), folder);
}

std::vector<TFolderFile> RegularFilesIn(const std::filesystem::path& folder) {
  CountFileOperation(FileOperation::Lookup);
  WIN32_FIND_DATAA entry{};
  const HANDLE search = ::FindFirstFileA((folder / "*").string().c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {};  // an empty drive root
    throw FileError(static_cast<int>(error), folder);
  }
  std::vector<TFolderFile> files;
  do {
    constexpr DWORD kNotAFile =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if ((entry.dwFileAttributes & kNotAFile) == 0) {
      files.push_back({entry.cFileName, (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                            entry.nFileSizeLow});
    }
  } while (::FindNextFileA(search, &entry));
  ::FindClose(search);
  return files;
}

void RemoveFile(const std::filesystem::path& file) {
  CountFileOperation(FileOperation::Remove);
  if (!::DeleteFileA(file.string().c_str())) {
    throw FileError(static_cast<int>(::GetLastError()), file);
  }
}

std::string LocalTimeStamp(std::time_t time) {
  std::tm local{};
  ::localtime_s(&local, &time);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H-%M-%S", &local);
  return text;
}
