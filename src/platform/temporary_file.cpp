#include "platform/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <deque>
#include <string>

namespace {

constexpr char kTemporarySuffix[] = ".tmp";
// Random names practically never collide; a few tries get past a planted name.
constexpr int kTemporaryNameTries = 16;

std::deque<std::string>& PlannedNames() {
  static std::deque<std::string> names;
  return names;
}

// ".name.<16 hex digits>.tmp": a name no other program can guess in advance.
std::string TemporaryName(const std::filesystem::path& target) {
  if (!PlannedNames().empty()) {
    std::string planned = std::move(PlannedNames().front());
    PlannedNames().pop_front();
    return planned;
  }
  unsigned char random[8] = {};
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    // Without the system's randomness the exclusive create still refuses a planted name.
    const auto mixed = static_cast<unsigned long long>(::getpid()) * 0x9E3779B97F4A7C15ull ^
                       static_cast<unsigned long long>(::time(nullptr));
    for (std::size_t i = 0; i < sizeof random; ++i)
      random[i] = static_cast<unsigned char>(mixed >> (8 * i));
  }
  constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : random) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return "." + target.filename().string() + "." + hex + kTemporarySuffix;
}

bool IsTemporaryOf(const std::string& name, const std::string& file_name) {
  const std::string prefix = "." + file_name + ".";
  const std::string suffix = kTemporarySuffix;
  return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) &&
         name.ends_with(suffix);
}

std::filesystem::path TargetFolder(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

}  // namespace

std::filesystem::path CreateTemporaryBeside(const std::filesystem::path& target, BinaryFile& file) {
  for (int attempt = 1;; ++attempt) {
    const std::filesystem::path temp = target.parent_path() / TemporaryName(target);
    try {
      file.CreateNew(temp);
    } catch (const InOutError& e) {
      if (e.code() != EEXIST || attempt == kTemporaryNameTries) throw;
      continue;
    }
    // The lock tells RemoveStaleTemporaries of other saves that this one is alive.
    ::flock(file.Descriptor(), LOCK_EX | LOCK_NB);
    return temp;
  }
}

// A save holds an exclusive lock on its temporary until it is renamed or
// removed; one that nobody holds was left by a save that was killed.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
  DIR* dir = ::opendir(TargetFolder(target).c_str());
  if (dir == nullptr) return;
  const std::string file_name = target.filename().string();
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryOf(entry->d_name, file_name)) continue;
    const int fd =
        ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat open_st {}, named_st {};
    // Only the very file that was checked goes: the name must still be it.
    if (::fstat(fd, &open_st) == 0 && S_ISREG(open_st.st_mode) &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(::dirfd(dir), entry->d_name, &named_st, AT_SYMLINK_NOFOLLOW) == 0 &&
        named_st.st_dev == open_st.st_dev && named_st.st_ino == open_st.st_ino) {
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(dir);
}

void DiscardTemporary(const std::filesystem::path& temporary) { ::unlink(temporary.c_str()); }

void PlanTemporaryNames(std::vector<std::string> names) {
  PlannedNames().assign(names.begin(), names.end());
}
