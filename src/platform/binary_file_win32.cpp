#include "platform/binary_file.h"

#include <windows.h>

#include <algorithm>

namespace {

HANDLE Native(void* handle) { return static_cast<HANDLE>(handle); }

// One ReadFile or WriteFile moves at most this much.
constexpr std::size_t kMaxTransfer = 1u << 30;

// Moves the file pointer to `offset`; false with GetLastError set.
bool SeekTo(HANDLE file, std::uint64_t offset) {
  LONG high = static_cast<LONG>(offset >> 32);
  const DWORD low =
      ::SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return low != INVALID_SET_FILE_POINTER || ::GetLastError() == NO_ERROR;
}

}  // namespace

InOutError FileError(int error_number, const std::filesystem::path&) {
  switch (error_number) {
    case ERROR_FILE_NOT_FOUND:
      return InOutError(2);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_DRIVE:
      return InOutError(3);
    case ERROR_TOO_MANY_OPEN_FILES:
      return InOutError(4);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return InOutError(5);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return InOutError(101);
    case ERROR_INVALID_HANDLE:
      return InOutError(103);
    default:
      // 32: another program holds the file without sharing it.
      return InOutError::Unlisted(error_number);
  }
}

bool BinaryFile::IsOpen() const { return Native(fd_) != INVALID_HANDLE_VALUE; }

BinaryFile::~BinaryFile() {
  if (IsOpen()) ::CloseHandle(Native(fd_));
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : fd_(other.fd_), identity_(other.identity_), regular_(other.regular_) {
  other.fd_ = INVALID_HANDLE_VALUE;
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) ::CloseHandle(Native(fd_));
    fd_ = other.fd_;
    identity_ = other.identity_;
    regular_ = other.regular_;
    other.fd_ = INVALID_HANDLE_VALUE;
  }
  return *this;
}

void BinaryFile::OpenWithFlags(const std::filesystem::path& path, unsigned long access,
                               unsigned long disposition) {
  if (IsOpen()) {
    ::CloseHandle(Native(fd_));
    fd_ = INVALID_HANDLE_VALUE;
  }
  CountFileOperation(FileOperation::Open, path);
  if (path.empty()) throw InOutError(2);
  // Other programs may read and write the file meanwhile, as the game's own
  // tools expect; renaming over it needs delete sharing too (temporaries).
  const DWORD sharing =
      FILE_SHARE_READ | FILE_SHARE_WRITE | (disposition == CREATE_NEW ? FILE_SHARE_DELETE : 0);
  const HANDLE file = ::CreateFileA(path.string().c_str(), access, sharing, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw FileError(static_cast<int>(::GetLastError()), path);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) {
    // A pipe or a console has no such information; it is no regular file.
    info = {};
  }
  fd_ = file;
  identity_ = {info.dwVolumeSerialNumber,
               (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  regular_ = ::GetFileType(file) == FILE_TYPE_DISK;
}

void BinaryFile::OpenExisting(const std::filesystem::path& path) {
  OpenWithFlags(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
}

void BinaryFile::OpenReadOnly(const std::filesystem::path& path) {
  OpenWithFlags(path, GENERIC_READ, OPEN_EXISTING);
}

void BinaryFile::Create(const std::filesystem::path& path) {
  OpenWithFlags(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
}

// The name must be free; whatever is planted there counts as taken.
void BinaryFile::CreateNew(const std::filesystem::path& path) {
  OpenWithFlags(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
}

void BinaryFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
  if (ReadUpTo(offset, buffer, size) < size) throw InOutError(100);
}

std::size_t BinaryFile::ReadUpTo(std::uint64_t offset, void* buffer, std::size_t size) {
  if (!IsOpen()) throw InOutError(103);
  CountFileOperation(FileOperation::Read);
  if (!SeekTo(Native(fd_), offset)) throw FileError(static_cast<int>(::GetLastError()), {});
  DWORD got = 0;
  if (!::ReadFile(Native(fd_), buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &got,
                  nullptr)) {
    const DWORD error = ::GetLastError();
    // The end of a pipe is its end, not a failure.
    if (error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF) {
      throw FileError(static_cast<int>(error), {});
    }
  }
  return got;
}

void BinaryFile::WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) {
  if (!IsOpen()) throw InOutError(103);
  CountFileOperation(FileOperation::Write);
  std::size_t to_write = std::min(size, kMaxTransfer);
  if (auto planned = PlannedShortWrite()) to_write = std::min(*planned, to_write);
  if (!SeekTo(Native(fd_), offset)) throw FileError(static_cast<int>(::GetLastError()), {});
  DWORD put = 0;
  if (to_write > 0 &&
      !::WriteFile(Native(fd_), buffer, static_cast<DWORD>(to_write), &put, nullptr)) {
    throw FileError(static_cast<int>(::GetLastError()), {});
  }
  if (put < size) throw InOutError(101);
}

void BinaryFile::Truncate(std::uint64_t size) {
  if (!IsOpen()) throw InOutError(103);
  CountFileOperation(FileOperation::Truncate);
  if (!SeekTo(Native(fd_), size) || !::SetEndOfFile(Native(fd_))) {
    throw FileError(static_cast<int>(::GetLastError()), {});
  }
}

std::uint64_t BinaryFile::Size() {
  if (!IsOpen()) throw InOutError(103);
  CountFileOperation(FileOperation::Stat);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(Native(fd_), &size)) {
    throw FileError(static_cast<int>(::GetLastError()), {});
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

void BinaryFile::Flush() {
  if (!IsOpen()) throw InOutError(103);
  CountFileOperation(FileOperation::Flush);
  if (!::FlushFileBuffers(Native(fd_))) throw FileError(static_cast<int>(::GetLastError()), {});
}

void BinaryFile::Close() {
  if (!IsOpen()) throw InOutError(103);
  const HANDLE file = Native(fd_);
  fd_ = INVALID_HANDLE_VALUE;
  // The handle is released even when the close is reported as failed.
  const BOOL closed = ::CloseHandle(file);
  const DWORD error = ::GetLastError();
  CountFileOperation(FileOperation::Close);
  if (!closed) throw FileError(static_cast<int>(error), {});
}

// Both editors share reading and writing, so neither stops the other; there
// is no advisory lock to ask, and another editor goes unnoticed here.
bool BinaryFile::ShareNoticingOthers() { return false; }
