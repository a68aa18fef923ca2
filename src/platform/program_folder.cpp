#include "platform/program_folder.h"

#include <cerrno>
#include <system_error>

#include "errors/app_error.h"
#include "platform/binary_file.h"

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw FileError(error.value(), "/proc/self/exe");
  return exe.parent_path();
}

std::filesystem::path NotesFilePath() { return ProgramFolder() / "loinfo.txt"; }

std::filesystem::path NowhereFolder() { return "/dev/null/nowhere"; }
