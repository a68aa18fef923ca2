#include "platform/program_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "errors/app_error.h"
#include "platform/binary_file.h"

namespace {

constexpr const char* kProgramDataFolderName = "rererarovi";

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw FileError(error.value(), "/proc/self/exe");
  return exe.parent_path();
}

bool IsWritableFolder(const std::filesystem::path& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path UserDataFolder(const char* xdg_data_home, const char* home) {
  if (IsSet(xdg_data_home) && std::filesystem::path(xdg_data_home).is_absolute()) {
    return std::filesystem::path(xdg_data_home) / kProgramDataFolderName;
  }
  if (IsSet(home)) {
    return std::filesystem::path(home) / ".local" / "share" / kProgramDataFolderName;
  }
  return {};
}

std::filesystem::path UserDataFolder() {
  return UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

void CreatePrivateFolders(const std::filesystem::path& folder) {
  std::error_code ignored;
  if (std::filesystem::exists(folder, ignored)) return;
  const mode_t previous = ::umask(077);
  std::filesystem::create_directories(folder, ignored);
  ::umask(previous);
}

std::filesystem::path NowhereFolder() { return "/dev/null/nowhere"; }

std::filesystem::path SettingsFileFolder() {
  // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  if (config_home != nullptr && config_home[0] == '/') return config_home;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* user = ::getpwuid(::getuid());
    home = (user != nullptr && user->pw_dir != nullptr) ? user->pw_dir : "/";
  }
  return std::filesystem::path(home) / ".config";
}
