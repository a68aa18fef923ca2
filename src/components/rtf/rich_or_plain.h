#pragma once

#include <QByteArrayView>

class QTextDocument;

enum class TextKind { Rich, Plain };

// Reads a file's bytes into the document, replacing its content: as RTF when
// they start as RTF and read as such, otherwise as plain text.
TextKind ReadRichOrPlainText(QByteArrayView bytes, QTextDocument& document);
