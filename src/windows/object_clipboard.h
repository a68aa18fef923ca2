#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "datafiles/lo_text.h"

// Objects on the desktop's clipboard, so that another running copy of the
// program (or a text editor) can take them: as text, the record lines of the
// exact form, and in a type of our own, the records' raw bytes.

inline constexpr char kRecordsMimeType[] = "application/x-rererarovi-records";

// Puts the records on the clipboard in both forms.
void PutObjectsOnClipboard(const std::vector<TRecordBytes>& records);
// The clipboard holds something a paste may try: records of our own type or
// any text.
bool ClipboardHasObjects();
// The records on the clipboard: of our own type, else read from its text.
// Raises LoTextError for text that is not records (none for no text).
std::vector<TRecordBytes> ObjectsOnClipboard();
// The same from a clipboard's two forms as another program handed them over.
std::vector<TRecordBytes> ObjectsFrom(const QByteArray& own_type, const QString& text);
