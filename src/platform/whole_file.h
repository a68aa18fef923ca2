#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "errors/app_error.h"
#include "platform/binary_file.h"

// Whole-file access for small files a user may lose (the settings file, the
// notes file). Every step passes the fault seam (file_faults.h).

// A whole-file read or replace failed. step() tells whether the file could
// not be opened (or created) or its bytes could not be moved; code() is the
// runtime's error code as for BinaryFile (2 for a missing file, 3 for a
// missing folder, 5 for no access, ...). NotRegularFile(): the path names a
// pipe, a device or a socket, which is never read or replaced.
class WholeFileError : public InOutError {
 public:
  enum class Step { Open, Transfer };
  WholeFileError(Step step, const InOutError& cause, bool not_regular_file = false)
      : InOutError(cause), step_(step), not_regular_file_(not_regular_file) {}
  Step step() const { return step_; }
  bool NotRegularFile() const { return not_regular_file_; }

 private:
  Step step_;
  bool not_regular_file_;
};

// Reads a file from its start a piece at a time, so that a large file need
// not be held whole. Raises WholeFileError as ReadWholeFile does.
class FileReader {
 public:
  explicit FileReader(const std::filesystem::path& path);
  // Up to `size` of the next bytes; 0 at the end of the file as the open
  // file has it.
  std::size_t Read(char* buffer, std::size_t size);
  // The next Read starts again from the first byte.
  void Rewind() { offset_ = 0; }
  // Reports a failure to close; the destructor closes silently.
  void Close();

 private:
  BinaryFile file_;
  std::uint64_t offset_ = 0;
};

// Reads every byte of the file, to its end as the open file has it (a
// writer changing its size meanwhile cannot cut the read short). Raises
// WholeFileError (Open when it cannot be opened for reading or is not a
// regular file, Transfer when reading fails).
std::string ReadWholeFile(const std::filesystem::path& path);

// Replaces the file's content with `bytes` without ever leaving it half
// written: the bytes go to a temporary file beside it (created exclusively
// under an unpredictable name, never through a link), are flushed to disk
// and only then renamed over it. Temporaries that a killed save left beside
// the file are removed first. An existing file's permission bits (and, where
// allowed, owner) are kept; a symbolic link is followed and its target
// replaced. Where the folder refuses a temporary but the file itself is
// writable, the file is emptied and rewritten in place instead (a failure
// then can leave it partly written). Missing folders are not created.
// Raises WholeFileError: Open when the file cannot be created or emptied
// (missing or read-only folder, a file this process may not write, a folder
// or a non-regular file in its place), Transfer when writing fails; the old
// file is then as it was and the temporary file is gone.
void ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes);

// The file operations of ReplaceWholeFile with some bytes, in their order:
// stat the file, create the temporary, write, flush, rename (the new content
// is in place from here on), close, sync the folder. The last two cannot
// fail the replace. ReadWholeFile: open, then reads until one gives nothing.
inline constexpr int kReplaceWrite = 3;
inline constexpr int kReplaceBeforeRename = 4;
inline constexpr int kReplaceOperations = 7;
