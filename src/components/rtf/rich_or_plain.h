#pragma once

#include <QByteArrayView>

class ByteSource;
class QTextDocument;

enum class TextKind { Rich, Plain };

// Reads a file's bytes into the document, replacing its content: as RTF when
// they start as RTF and read as such, otherwise as plain text. The source is
// read a piece at a time; errors it raises pass through, the document then
// holding part of the file.
TextKind ReadRichOrPlainText(ByteSource& source, QTextDocument& document);
TextKind ReadRichOrPlainText(QByteArrayView bytes, QTextDocument& document);
