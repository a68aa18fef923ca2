#include "notes/notes_saving.h"

#include <QByteArray>
#include <string_view>

#include "notes/notes_location.h"
#include "notes/notes_messages.h"
#include "platform/whole_file.h"
#include "rtf/rtf_writer.h"

void SaveNotes(const QTextDocument& document, const std::filesystem::path& notes_path) {
  const QByteArray rtf = DocumentToRtf(document);
  PrepareNotesFolder(notes_path);
  try {
    ReplaceWholeFile(notes_path, std::string_view(rtf.constData(), rtf.size()));
  } catch (const WholeFileError& error) {
    throw NotesSaveError(error, notes_path);
  }
}
