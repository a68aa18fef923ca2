#pragma once

#include <filesystem>

// Game files often come from a case-insensitive file system, so their names
// may arrive in any case ("OBJDAT.DAT"). These helpers never raise.

// True when something exists at `path` (a file, a folder, ...).
bool PathExists(const std::filesystem::path& path);

// `path` itself when it exists; otherwise the entry of the same folder whose
// name equals its file name ignoring ASCII case (the first such name in
// byte order when several do); otherwise `path` unchanged.
std::filesystem::path FindIgnoringCase(const std::filesystem::path& path);
