#include "platform/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "errors/app_error.h"
#include "platform/binary_file.h"

namespace {

constexpr const char* kNotesFileName = "loinfo.txt";
constexpr const char* kProgramDataFolderName = "rererarovi";

bool IsWritableFolder(const std::filesystem::path& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw FileError(error.value(), "/proc/self/exe");
  return exe.parent_path();
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

std::filesystem::path ChooseNotesFilePath(const std::filesystem::path& program_folder,
                                          bool program_folder_writable, const char* xdg_data_home,
                                          const char* home) {
  if (!program_folder_writable) {
    const std::filesystem::path data_folder = UserDataFolder(xdg_data_home, home);
    if (!data_folder.empty()) return data_folder / kNotesFileName;
  }
  // With no data folder to go to, the save reports the read-only folder.
  return program_folder / kNotesFileName;
}

std::filesystem::path NotesFilePath() {
  const std::filesystem::path folder = ProgramFolder();
  return ChooseNotesFilePath(folder, IsWritableFolder(folder), std::getenv("XDG_DATA_HOME"),
                             std::getenv("HOME"));
}

void PrepareNotesFolder(const std::filesystem::path& notes_path) {
  const std::filesystem::path folder =
      UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  if (folder.empty() || notes_path.parent_path() != folder) return;
  std::error_code ignored;
  if (std::filesystem::exists(folder, ignored)) return;
  const mode_t previous = ::umask(077);  // the XDG rules ask for 0700 on folders they create
  std::filesystem::create_directories(folder, ignored);
  ::umask(previous);
}

std::filesystem::path NowhereFolder() { return "/dev/null/nowhere"; }
