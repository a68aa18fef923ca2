#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "errors/app_error.h"

// Whole-file access for small files a user may lose (the settings file, the
// notes file). Every step goes through BinaryFile, so its fault seam reaches
// these files too.

// A whole-file read or replace failed. step() tells whether the file could
// not be opened (or created) or its bytes could not be moved; code() is the
// runtime's error code as for BinaryFile (2 for a missing file, 3 for a
// missing folder, 5 for no access, ...).
class WholeFileError : public InOutError {
 public:
  enum class Step { Open, Transfer };
  WholeFileError(Step step, int code) : InOutError(code), step_(step) {}
  Step step() const { return step_; }

 private:
  Step step_;
};

// Reads every byte of the file. Raises WholeFileError (Open when it cannot
// be opened for reading, Transfer when reading fails).
std::string ReadWholeFile(const std::filesystem::path& path);

// Replaces the file's content with `bytes` without ever leaving it half
// written: the bytes go to a temporary file beside it, are flushed to disk
// and only then renamed over it. An existing file's permission bits are kept;
// a symbolic link is followed and its target replaced. Missing folders are
// not created. Raises WholeFileError: Open when the file cannot be created
// or emptied in place (missing or read-only folder, a file this process may
// not write, a folder in its place), Transfer when writing fails; the old
// file is then as it was and the temporary file is gone.
void ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes);
