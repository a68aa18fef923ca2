#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "errors/app_error.h"
#include "platform/file_faults.h"

// An untyped byte file. Every access names its absolute offset and is one
// system call (pread/pwrite; on Windows SetFilePointer with ReadFile or
// WriteFile); nothing is buffered or cached. Every operation
// passes the fault seam (file_faults.h).
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
//   101 "Disk full"             a write stored only in part, no space, quota,
//                               file size limit
//   103 "I/O error 103"         any access while the file is not open
//   n   "I/O error n"           any other system error, n being its errno
//                               (an input/output error is "I/O error 5")
// On Windows the codes are GetLastError's, which the table's codes come
// from: 2 and 3 as they are, 5 also for a read-only file or a folder, 32 a
// file another program holds without sharing, 112 (disk full) as 101.
class BinaryFile {
 public:
  // Which file an open handle is: what the path named when it was opened.
  struct Identity {
    std::uint64_t device = 0;  // the volume
    std::uint64_t inode = 0;   // the file on it
    bool operator==(const Identity&) const = default;
  };

  BinaryFile() = default;
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;
  BinaryFile(BinaryFile&& other) noexcept;
  BinaryFile& operator=(BinaryFile&& other) noexcept;

  // Opens an existing file for reading and writing; never creates it.
  void OpenExisting(const std::filesystem::path& path);
  // Opens an existing file for reading only. Never waits for a writer when
  // the path names a pipe (see IsRegularFile).
  void OpenReadOnly(const std::filesystem::path& path);
  // Creates the file, or empties it when it exists; opened for reading and writing.
  void Create(const std::filesystem::path& path);
  // Creates a file that must not exist yet, never through a symbolic link
  // (a link at the name counts as taken). A taken name raises "I/O error 17".
  void CreateNew(const std::filesystem::path& path);

  void ReadAt(std::uint64_t offset, void* buffer, std::size_t size);
  // Reads what there is, up to `size` bytes; 0 at the end of the file.
  std::size_t ReadUpTo(std::uint64_t offset, void* buffer, std::size_t size);
  void WriteAt(std::uint64_t offset, const void* buffer, std::size_t size);
  // Cuts or extends the file to `size` bytes.
  void Truncate(std::uint64_t size);
  // The file's length now (fstat).
  std::uint64_t Size();
  // Flushes what was written to the disk (fsync).
  void Flush();
  // Closing a file that is not open raises 103, like any other access.
  void Close();

  bool IsOpen() const;
  // Taken when the file was opened.
  Identity Id() const { return identity_; }
  bool IsRegularFile() const { return regular_; }
#ifdef _WIN32
  void* Handle() const { return fd_; }
#else
  int Descriptor() const { return fd_; }
#endif

  // Holds a shared advisory lock while the file is open and tells whether
  // another handle held one already (another editor has the file open).
  // The system drops the lock when the holder ends, however it ends.
  bool ShareNoticingOthers();

 private:
#ifdef _WIN32
  void OpenWithFlags(const std::filesystem::path& path, unsigned long access,
                     unsigned long disposition);
  void* fd_ = reinterpret_cast<void*>(-1);  // a HANDLE; INVALID_HANDLE_VALUE when closed
#else
  void OpenWithFlags(const std::filesystem::path& path, int flags);
  int fd_ = -1;
#endif
  Identity identity_;
  bool regular_ = false;
};

// The error for a failed system call on `path`: the table's condition when
// errno names one, else "I/O error n" (see above). `path` tells a missing
// file (2) from a missing folder (3).
InOutError FileError(int error_number, const std::filesystem::path& path);
