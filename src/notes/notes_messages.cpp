#include "notes/notes_messages.h"

#include <string>

#include "platform/whole_file.h"

namespace {

AppError NotesError(const WholeFileError& error, const std::filesystem::path& notes_path,
                    const char* cannot_open, const char* stream_failed) {
  if (error.step() != WholeFileError::Step::Open) return AppError(stream_failed);
  return AppError(cannot_open + notes_path.string() +
                  (error.NotRegularFile() ? ": it is not a regular file" : ""));
}

}  // namespace

AppError NotesLoadError(const WholeFileError& error, const std::filesystem::path& notes_path) {
  return NotesError(error, notes_path, "Cannot open file ", "Failed to Load Stream");
}

AppError NotesSaveError(const WholeFileError& error, const std::filesystem::path& notes_path) {
  return NotesError(error, notes_path, "Cannot create file ", "Failed to Save Stream");
}

AppError NotesStillReadingError() {
  return AppError("The notes file is still being read; nothing was saved");
}
