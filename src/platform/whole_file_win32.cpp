#include "platform/whole_file.h"

#include <windows.h>

#include "platform/binary_file.h"
#include "platform/file_system.h"
#include "platform/temporary_file.h"

namespace {

using Step = WholeFileError::Step;

// Refuses what an in-place write would refuse: a folder in the file's place,
// a read-only file (the rename alone would replace it). True when it exists.
bool CheckReplaceable(const std::filesystem::path& path) {
  DWORD attributes;
  try {
    CountFileOperation(FileOperation::Stat);
    attributes = ::GetFileAttributesA(path.string().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_FILE_NOT_FOUND) return false;
      throw FileError(static_cast<int>(error), path);
    }
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Open, e);
  }
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
    throw WholeFileError(Step::Open, InOutError(5));
  }
  if (attributes & FILE_ATTRIBUTE_DEVICE) throw WholeFileError(Step::Open, InOutError(5), true);
  return true;
}

// The folder refuses new files but the file itself may be written: empty it
// and write it where it is.
void RewriteInPlace(const std::filesystem::path& path, std::string_view bytes) {
  BinaryFile file;
  try {
    file.OpenExisting(path);
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Open, e);
  }
  try {
    file.Truncate(0);
    if (!bytes.empty()) file.WriteAt(0, bytes.data(), bytes.size());
    file.Flush();
    file.Close();
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Transfer, e);
  }
}

}  // namespace

void ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes) {
  const bool exists = CheckReplaceable(path);
  RemoveStaleTemporaries(path);

  BinaryFile file;
  std::filesystem::path temp;
  try {
    temp = CreateTemporaryBeside(path, file);
  } catch (const InOutError& e) {
    if (e.Is(5) && exists) return RewriteInPlace(path, bytes);
    throw WholeFileError(Step::Open, e);
  }
  try {
    if (!bytes.empty()) file.WriteAt(0, bytes.data(), bytes.size());
    file.Flush();
    // MoveFileEx, written through: the old file is replaced in one step.
    RenameReplacing(temp, path);
  } catch (const InOutError& e) {
    DiscardTemporary(temp);
    throw WholeFileError(Step::Transfer, e);
  }
  // The new content is in place and on disk; what follows cannot undo that.
  try {
    file.Close();
    SyncFolder(path.parent_path());
  } catch (const InOutError&) {
  }
}
