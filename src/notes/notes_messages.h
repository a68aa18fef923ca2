#pragma once

#include <filesystem>

#include "errors/app_error.h"

class WholeFileError;

// The notes' failures as the user reads them. A pipe or device named like
// the notes file is never read or replaced; the message then says why.

// Reading: "Cannot open file %s" when the file cannot be opened, else
// "Failed to Load Stream".
AppError NotesLoadError(const WholeFileError& error, const std::filesystem::path& notes_path);

// Saving: "Cannot create file %s" when the file cannot be created or
// emptied, else "Failed to Save Stream".
AppError NotesSaveError(const WholeFileError& error, const std::filesystem::path& notes_path);

// Save while a large note is still being read: nothing is written.
AppError NotesStillReadingError();
