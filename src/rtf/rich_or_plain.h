#pragma once

#include <QByteArrayView>
#include <QDeadlineTimer>
#include <memory>

class ByteSource;
class PlainTextReading;
class QTextDocument;
class RtfReading;

enum class TextKind { Rich, Plain };

// Reads a file's bytes into the document, replacing its content: as RTF when
// they start as RTF and read as such, otherwise as plain text. The source is
// read a piece at a time; errors it raises pass through, the document then
// holding part of the file.
TextKind ReadRichOrPlainText(ByteSource& source, QTextDocument& document);
TextKind ReadRichOrPlainText(QByteArrayView bytes, QTextDocument& document);

// ReadRichOrPlainText in steps, so that a long file can be read between user
// events; the document holds the file once readUntil has returned true.
class TextReading {
 public:
  TextReading(ByteSource& source, QTextDocument& document);
  ~TextReading();
  TextReading(const TextReading&) = delete;
  TextReading& operator=(const TextReading&) = delete;

  // Reads on until the whole file is in (true) or the deadline has passed.
  bool readUntil(const QDeadlineTimer& deadline);
  TextKind kind() const { return plain_ != nullptr ? TextKind::Plain : TextKind::Rich; }

 private:
  ByteSource& source_;
  QTextDocument& document_;
  std::unique_ptr<RtfReading> rich_;
  std::unique_ptr<PlainTextReading> plain_;
  bool done_ = false;
};
