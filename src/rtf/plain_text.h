#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QString>
#include <memory>

#include "rtf/document_for_reading.h"

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

// PlainTextToDocument in steps, so that a long file can be read between
// user events: the document is cleared at once, then each readUntil adds
// what it read, up to the deadline (looked at after each piece). Undo stays
// off in the document while the reading lives.
class PlainTextReading {
 public:
  PlainTextReading(ByteSource& source, QTextDocument& document);
  ~PlainTextReading();
  PlainTextReading(const PlainTextReading&) = delete;
  PlainTextReading& operator=(const PlainTextReading&) = delete;

  // True once the whole file is in.
  bool readUntil(const QDeadlineTimer& deadline);

 private:
  struct Decoding;

  ByteSource& source_;
  DocumentForReading document_;
  QByteArray piece_;
  std::unique_ptr<Decoding> decoding_;  // null once done
};
