#include "notes/notes_location.h"

#include <system_error>

#include "platform/program_folder.h"

namespace {

constexpr const char* kNotesFileName = "loinfo.txt";

}  // namespace

std::filesystem::path ChooseNotesFile(const NotesSurroundings& around) {
  const bool beside = around.notes_beside_program || around.program_folder_writable ||
                      around.user_data_folder.empty();
  return (beside ? around.program_folder : around.user_data_folder) / kNotesFileName;
}

std::filesystem::path NotesFileFor(const std::filesystem::path& program_folder) {
  // symlink_status: a link named like the notes is the user's, even when its
  // target is missing; a folder that cannot be searched counts as holding them.
  std::error_code ignored;
  const auto found = std::filesystem::symlink_status(program_folder / kNotesFileName, ignored);
  return ChooseNotesFile({program_folder, IsWritableFolder(program_folder),
                          found.type() != std::filesystem::file_type::not_found, UserDataFolder()});
}

std::filesystem::path NotesFilePath() { return NotesFileFor(ProgramFolder()); }

bool NotesFileThere(const std::filesystem::path& notes_path) {
  std::error_code ignored;
  return std::filesystem::exists(notes_path, ignored);
}

void PrepareNotesFolder(const std::filesystem::path& notes_path) {
  const std::filesystem::path folder = UserDataFolder();
  if (!folder.empty() && notes_path.parent_path() == folder) CreatePrivateFolders(folder);
}
