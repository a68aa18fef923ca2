#pragma once

#include <filesystem>

// What decides where the notes are, as the system reports it.
struct NotesSurroundings {
  std::filesystem::path program_folder;
  bool program_folder_writable = false;
  // Something named "loinfo.txt" is beside the program, or the folder would
  // not tell (then the read or the save reports why).
  bool notes_beside_program = false;
  std::filesystem::path user_data_folder;  // empty when the environment gives none
};

// The notes are the "loinfo.txt" beside the program whenever that file
// exists: read from there and saved there, also when the folder is read-only
// (the file is then rewritten in place, or the save is refused when the file
// is read-only too; the notes never go elsewhere silently). Only when there
// is none and the folder is not writable (an installed program) are they
// kept in the user's data folder. With no data folder either they stay
// beside the program, where the save reports the folder.
std::filesystem::path ChooseNotesFile(const NotesSurroundings& around);

// The notes file of a program kept in `program_folder`, from what the file
// system and the environment (XDG_DATA_HOME, HOME) say now.
std::filesystem::path NotesFileFor(const std::filesystem::path& program_folder);

// The running program's notes file. Raises InOutError when the system does
// not tell where the program is.
std::filesystem::path NotesFilePath();

// True when something is at `notes_path` ("Notes" then reads it; a folder or
// a pipe in its place makes the read report it).
bool NotesFileThere(const std::filesystem::path& notes_path);

// Before a save: creates the user's data folder when `notes_path` lies in
// it. Any other missing folder stays missing, so the save reports it.
void PrepareNotesFolder(const std::filesystem::path& notes_path);
