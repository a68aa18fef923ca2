#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Whole-file access for small files a user may lose (settings, notes).

// Reads the whole file into `contents`. Returns 0, or the errno of the step
// that failed (ENOENT when the file does not exist); `contents` is then empty.
int ReadWholeFile(const std::filesystem::path& file, std::string& contents);

// Replaces the file's contents atomically: writes a temporary file beside it,
// flushes it to disk and renames it over the file, so a crash or a full disk
// never leaves the file empty or half-written. Creates missing parent folders
// and keeps an existing file's permission bits. A file this process may not
// write is refused (EACCES), as an in-place write would be. A symbolic link is
// followed and its target replaced. Returns 0, or the errno of the step that
// failed; the old file is untouched then and no temporary file is left behind.
int ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents);
