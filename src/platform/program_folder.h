#pragma once

#include <filesystem>

// The folder that holds the running program's executable (from
// /proc/self/exe; GetModuleFileNameA on Windows). Raises InOutError when the
// system does not tell.
std::filesystem::path ProgramFolder();

// True when this process may create and remove files in `folder`.
bool IsWritableFolder(const std::filesystem::path& folder);

#ifndef _WIN32
// $XDG_DATA_HOME/rererarovi, else ~/.local/share/rererarovi (a relative
// XDG_DATA_HOME is ignored, as the XDG rules say). Empty when neither
// XDG_DATA_HOME nor HOME gives a folder. `xdg_data_home` and `home` are the
// environment's values (null when unset).
std::filesystem::path UserDataFolder(const char* xdg_data_home, const char* home);
#endif
// The program's own files of this user (its backups), from the environment
// as it is now: as above; on Windows %LOCALAPPDATA%\rererarovi. Empty when
// the environment gives no folder.
std::filesystem::path UserDataFolder();

// Where the settings file zodaZa.INI is: $XDG_CONFIG_HOME (absolute only),
// else ~/.config of $HOME or of the user's entry; on Windows the Windows
// folder (GetWindowsDirectoryA).
std::filesystem::path SettingsFileFolder();

// Creates `folder` and the missing folders above it readable by the user
// alone (0700, as the XDG rules ask of folders they create). Best effort:
// a failure is left to whoever writes into it next.
void CreatePrivateFolders(const std::filesystem::path& folder);

// A folder below which no file can be created by anyone, root included: it
// lies under a device file. A library that insists on keeping files of its
// own is pointed here, so that it writes nothing.
std::filesystem::path NowhereFolder();
