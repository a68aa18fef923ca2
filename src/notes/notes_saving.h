#pragma once

#include <filesystem>

class QTextDocument;

// Writes the whole document to the notes file as RTF. The old file is
// replaced only once the new one is complete (in place where the folder
// refuses a temporary but the file may be written); the user's data folder
// is created first when the notes live there. Raises AppError "Cannot create
// file %s" or "Failed to Save Stream" (NotesSaveError), the old file then as
// it was.
void SaveNotes(const QTextDocument& document, const std::filesystem::path& notes_path);
