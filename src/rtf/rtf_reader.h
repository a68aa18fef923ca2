#pragma once

#include <QByteArrayView>
#include <QDeadlineTimer>
#include <memory>

#include "rtf/document_for_reading.h"

class ByteSource;
class QTextDocument;
class RtfReader;

// Groups nested deeper than this make the whole RTF unreadable.
inline constexpr int kMaxRtfDepth = 200;

// True when the bytes start as RTF: "{\rtf" after an optional UTF-8
// byte-order mark and blanks.
// The source is rewound after looking.
bool StartsAsRtf(ByteSource& source);
bool StartsAsRtf(QByteArrayView bytes);

// Reads RTF written by any word processor into `document`, replacing its
// content: the text with its faces, sizes, bold, italic, underline,
// strike-out, colours and character sets. Damaged RTF (unbalanced groups,
// a cut-off file) is read as far as it goes. Returns false, leaving the
// document empty, when the bytes do not start as RTF or nest deeper than
// kMaxRtfDepth.
// The source is read from its start, a piece at a time.
bool RtfToDocument(ByteSource& source, QTextDocument& document);
bool RtfToDocument(QByteArrayView bytes, QTextDocument& document);

// RtfToDocument in steps, so that a long file can be read between user
// events: the document is cleared at once, then each readUntil adds what it
// read. Once it fails the document is empty. Undo stays off in the document
// while the reading lives.
class RtfReading {
 public:
  enum class Progress { More, Done, Failed };
  RtfReading(ByteSource& source, QTextDocument& document);
  ~RtfReading();
  RtfReading(const RtfReading&) = delete;
  RtfReading& operator=(const RtfReading&) = delete;

  Progress readUntil(const QDeadlineTimer& deadline);

 private:
  DocumentForReading document_;
  std::unique_ptr<RtfReader> reader_;  // null when not RTF or finished
};
