#pragma once

#include <QByteArrayView>
#include <QString>

class ByteSource;
class QTextDocument;

// Text of a file that is not rich text: UTF-8 when the bytes are valid UTF-8
// (a byte-order mark dropped), else code page 1252. CR, LF and CR LF each
// make one line break, returned as '\n'.
QString DecodePlainText(QByteArrayView bytes);

// Replaces the document's content with the plain text, unformatted, one
// paragraph per line; a line break at the end of the text ends its last line.
// The source is read from its start a piece at a time, a second time when
// it turns out not to be UTF-8.
void PlainTextToDocument(ByteSource& source, QTextDocument& document);
void PlainTextToDocument(QByteArrayView bytes, QTextDocument& document);
