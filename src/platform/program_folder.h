#pragma once

#include <filesystem>

// The folder that holds the running program's executable (from
// /proc/self/exe). Raises InOutError when the system does not tell.
std::filesystem::path ProgramFolder();

// True when this process may create and remove files in `folder`.
bool IsWritableFolder(const std::filesystem::path& folder);

// $XDG_DATA_HOME/rererarovi, else ~/.local/share/rererarovi (a relative
// XDG_DATA_HOME is ignored, as the XDG rules say). Empty when neither
// XDG_DATA_HOME nor HOME gives a folder. `xdg_data_home` and `home` are the
// environment's values (null when unset).
std::filesystem::path UserDataFolder(const char* xdg_data_home, const char* home);
// The same from the environment as it is now.
std::filesystem::path UserDataFolder();

// Creates `folder` and the missing folders above it readable by the user
// alone (0700, as the XDG rules ask of folders they create). Best effort:
// a failure is left to whoever writes into it next.
void CreatePrivateFolders(const std::filesystem::path& folder);

// A folder below which no file can be created by anyone, root included: it
// lies under a device file. A library that insists on keeping files of its
// own is pointed here, so that it writes nothing.
std::filesystem::path NowhereFolder();
