#pragma once

#include <filesystem>

// The folder that holds the running program's executable (from
// /proc/self/exe). Raises InOutError when the system does not tell.
std::filesystem::path ProgramFolder();

// The notes file beside the program: ProgramFolder() / "loinfo.txt".
std::filesystem::path NotesFilePath();
