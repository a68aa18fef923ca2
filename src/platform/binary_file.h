#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// An untyped byte file. Every access names its absolute offset and is one
// system call (pread/pwrite); nothing is buffered or cached.
//
// Failures raise InOutError. How this platform's errors map to codes:
//   2   "File not found"        the file does not exist
//   3   "Invalid filename"      a folder on the path is missing or not a folder,
//                               or a name is too long
//   4   "Too many open files"   the process or system is out of descriptors
//   5   "File access denied"    no permission, read-only file system, a folder
//                               opened as a file
//   100 "Read beyond end of file"  a read got fewer bytes than asked (the bytes
//                               that arrived are stored first)
//   101 "Disk full"             a write stored only in part, no space, quota
//   103 "I/O error 103"         any access while the file is not open
//   n   "I/O error n"           anything else, n being the system's errno
class BinaryFile {
 public:
  BinaryFile() = default;
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;
  BinaryFile(BinaryFile&& other) noexcept;
  BinaryFile& operator=(BinaryFile&& other) noexcept;

  // Opens an existing file for reading and writing; never creates it.
  void OpenExisting(const std::filesystem::path& path);
  // Opens an existing file for reading only (for tools that must not write).
  void OpenReadOnly(const std::filesystem::path& path);
  // Creates the file, or empties it when it exists; opened for reading and writing.
  void Create(const std::filesystem::path& path);

  void ReadAt(std::uint64_t offset, void* buffer, std::size_t size);
  void WriteAt(std::uint64_t offset, const void* buffer, std::size_t size);
  // Flushes what was written to the disk (fsync).
  void Flush();
  // Closing a file that is not open raises 103, like any other access.
  void Close();

  bool IsOpen() const { return fd_ >= 0; }

 private:
  void OpenWithFlags(const std::filesystem::path& path, int flags);
  int fd_ = -1;
};

// Maps an errno value from open/pread/pwrite/close to the runtime's code.
// `path` is used to tell a missing file (2) from a missing folder (3).
int FileErrorCode(int error_number, const std::filesystem::path& path);

// Test seam: makes chosen file operations fail. Operations are counted from 1
// across every BinaryFile (open, read, write, flush and close each count once).
namespace file_faults {
void Reset();
// The nth operation from now fails with `code` (a runtime code, not errno).
void FailOperation(int nth, int code);
// The nth operation from now, when it is a write, stores only `bytes` bytes.
void ShortWrite(int nth, std::size_t bytes);
// Operations done since the last Reset.
int OperationCount();
}  // namespace file_faults
