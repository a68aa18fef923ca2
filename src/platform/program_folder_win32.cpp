#include "platform/program_folder.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "errors/app_error.h"
#include "platform/binary_file.h"

namespace {

constexpr const char* kProgramDataFolderName = "rererarovi";

}  // namespace

std::filesystem::path ProgramFolder() {
  std::string name(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) throw FileError(static_cast<int>(::GetLastError()), {});
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

// The one sure answer is to try: a new file that goes again when closed.
bool IsWritableFolder(const std::filesystem::path& folder) {
  const std::filesystem::path probe = folder / ".rererarovi-write-probe.tmp";
  const HANDLE file = ::CreateFileA(probe.string().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

// %LOCALAPPDATA%\rererarovi: the user's own files on this machine, which do
// not travel with a roaming profile (backups are of files on this machine).
std::filesystem::path UserDataFolder() {
  const char* local = std::getenv("LOCALAPPDATA");
  if (local == nullptr || *local == '\0') return {};
  return std::filesystem::path(local) / kProgramDataFolderName;
}

void CreatePrivateFolders(const std::filesystem::path& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
}

std::filesystem::path NowhereFolder() { return "\\\\.\\NUL\\nowhere"; }

// The Windows folder, as the old program kept zodaZa.INI there.
std::filesystem::path SettingsFileFolder() {
  char folder[MAX_PATH + 1] = {};
  const UINT length = ::GetWindowsDirectoryA(folder, sizeof folder);
  if (length == 0 || length > MAX_PATH) return "c:\\windows";
  return folder;
}
