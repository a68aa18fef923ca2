#define _CRT_RAND_S  // rand_s: the system's random numbers (RtlGenRandom)
#include "platform/temporary_file.h"

#include <windows.h>

#include <cstdlib>
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
  unsigned int random[2] = {};
  for (unsigned int& word : random) {
    // Without the system's randomness the exclusive create still refuses a planted name.
    if (::rand_s(&word) != 0) word = ::GetTickCount() ^ (::GetCurrentProcessId() * 0x9E3779B9u);
  }
  constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int word : random) {
    for (int shift = 28; shift >= 0; shift -= 4) hex += kDigits[(word >> shift) & 0xF];
  }
  // Appended piece by piece: GCC 12 warns (wrongly) of overlapping copies in
  // `"." + string + ...` when optimising.
  std::string name = ".";
  name += target.filename().string();
  name += '.';
  name += hex;
  name += kTemporarySuffix;
  return name;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

}  // namespace

std::filesystem::path CreateTemporaryBeside(const std::filesystem::path& target, BinaryFile& file) {
  for (int attempt = 1;; ++attempt) {
    const std::filesystem::path temp = target.parent_path() / TemporaryName(target);
    try {
      // While this handle is open, no other save can open it alone and so
      // take it for a stale one (RemoveStaleTemporaries).
      file.CreateNew(temp);
    } catch (const InOutError& e) {
      const bool taken = e.code() == ERROR_FILE_EXISTS || e.code() == ERROR_ALREADY_EXISTS;
      if (!taken || attempt == kTemporaryNameTries) throw;
      continue;
    }
    return temp;
  }
}

// A temporary that some save still has open cannot be opened alone; one
// that can was left by a save that was killed, and goes when this handle
// closes.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
  const std::string pattern = "." + target.filename().string() + ".*" + kTemporarySuffix;
  WIN32_FIND_DATAA entry{};
  const HANDLE search = ::FindFirstFileA((FolderOf(target) / pattern).string().c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
      continue;
    }
    const HANDLE stale =
        ::CreateFileA((FolderOf(target) / entry.cFileName).string().c_str(), DELETE, 0, nullptr,
                      OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (stale != INVALID_HANDLE_VALUE) ::CloseHandle(stale);
  } while (::FindNextFileA(search, &entry));
  ::FindClose(search);
}

void DiscardTemporary(const std::filesystem::path& temporary) {
  ::DeleteFileA(temporary.string().c_str());
}

void PlanTemporaryNames(std::vector<std::string> names) {
  PlannedNames().assign(names.begin(), names.end());
}
