#include "platform/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/binary_file.h"
#include "platform/file_system.h"
#include "platform/temporary_file.h"

namespace {

using Step = WholeFileError::Step;

// Links followed before giving up, as the system's own limit on a path.
constexpr int kMaxLinkHops = 40;

// The file the rename must replace: the target when `path` is a symbolic link,
// so the link stays a link, also when its target does not exist yet (a link
// a dotfile manager made before the first save).
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
  std::filesystem::path resolved = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(resolved, error)) return resolved;
    const std::filesystem::path target = std::filesystem::read_symlink(resolved, error);
    if (error) return resolved;
    resolved = target.is_absolute() ? target : resolved.parent_path() / target;
  }
  return resolved;  // a loop: the stat that follows reports it
}

struct ExistingFile {
  bool exists = false;
  struct stat st {};
};

// Refuses what an in-place write would refuse: a folder or a non-regular file
// in the file's place, a file this process may not write (the rename alone
// would replace it).
ExistingFile CheckReplaceable(const std::filesystem::path& path) {
  ExistingFile existing;
  try {
    CountFileOperation(FileOperation::Stat);
    existing.exists = ::stat(path.c_str(), &existing.st) == 0;
    if (!existing.exists && errno != ENOENT) throw FileError(errno, path);
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Open, e);
  }
  if (!existing.exists) return existing;
  if (S_ISDIR(existing.st.st_mode)) throw WholeFileError(Step::Open, InOutError(5));
  if (!S_ISREG(existing.st.st_mode)) throw WholeFileError(Step::Open, InOutError(5), true);
  if (::access(path.c_str(), W_OK) != 0) {
    throw WholeFileError(Step::Open, FileError(errno, path));
  }
  return existing;
}

// The folder refuses new files but the file itself may be written: empty it
// and write it where it is; its mode and owner stay as they are.
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
  const std::filesystem::path target = ResolveLink(path);
  const ExistingFile existing = CheckReplaceable(target);
  RemoveStaleTemporaries(target);

  BinaryFile file;
  std::filesystem::path temp;
  try {
    temp = CreateTemporaryBeside(target, file);
  } catch (const InOutError& e) {
    if (e.Is(5) && existing.exists) return RewriteInPlace(target, bytes);
    throw WholeFileError(Step::Open, e);
  }
  try {
    if (existing.exists) {
      // The new file takes the permissions (and, where allowed, the owner) the old one had.
      if (::fchmod(file.Descriptor(), existing.st.st_mode & 07777) != 0)
        throw FileError(errno, temp);
      if (::fchown(file.Descriptor(), existing.st.st_uid, existing.st.st_gid) != 0) {
        // Only the superuser may give a file away; a user's own file is the usual case.
      }
    }
    if (!bytes.empty()) file.WriteAt(0, bytes.data(), bytes.size());
    file.Flush();
    RenameReplacing(temp, target);
  } catch (const InOutError& e) {
    DiscardTemporary(temp);
    throw WholeFileError(Step::Transfer, e);
  }
  // The new content is in place and on disk; what follows cannot undo that.
  try {
    file.Close();
    SyncFolder(target.parent_path());
  } catch (const InOutError&) {
  }
}
