#pragma once

#include <filesystem>

// The folder that holds the running program's executable (from
// /proc/self/exe). Raises InOutError when the system does not tell.
std::filesystem::path ProgramFolder();

// Where the notes file "loinfo.txt" is kept: beside the program when the
// program's folder is writable (a copy run from a folder of its own);
// otherwise, as for an installed program in /usr/bin, in the user's data
// folder for the program (UserDataFolder()). Raises InOutError like
// ProgramFolder().
std::filesystem::path NotesFilePath();

// The same choice from its inputs: `xdg_data_home` and `home` are the
// environment's values (null when unset).
std::filesystem::path ChooseNotesFilePath(const std::filesystem::path& program_folder,
                                          bool program_folder_writable, const char* xdg_data_home,
                                          const char* home);

// $XDG_DATA_HOME/rererarovi, else ~/.local/share/rererarovi (a relative
// XDG_DATA_HOME is ignored, as the XDG rules say). Empty when neither
// XDG_DATA_HOME nor HOME gives a folder.
std::filesystem::path UserDataFolder(const char* xdg_data_home, const char* home);

// Before the notes are saved: creates the user's data folder for the program
// when `notes_path` lies in it, readable by the user alone. Any other missing
// folder is left missing, so the save reports it. Failures are left to the
// save, which reports "Cannot create file".
void PrepareNotesFolder(const std::filesystem::path& notes_path);

// A folder below which no file can be created by anyone, root included: it
// lies under a device file. A library that insists on keeping files of its
// own is pointed here, so that it writes nothing.
std::filesystem::path NowhereFolder();
