#pragma once

#include <filesystem>

// The folder that holds the running program's executable (from
// /proc/self/exe). Raises InOutError when the system does not tell.
std::filesystem::path ProgramFolder();

// The notes file beside the program: ProgramFolder() / "loinfo.txt".
std::filesystem::path NotesFilePath();

// A folder below which no file can be created by anyone, root included: it
// lies under a device file. A library that insists on keeping files of its
// own is pointed here, so that it writes nothing.
std::filesystem::path NowhereFolder();
