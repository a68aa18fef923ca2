#include "rtf/rich_or_plain.h"

#include "rtf/byte_source.h"
#include "rtf/plain_text.h"
#include "rtf/rtf_reader.h"

TextReading::TextReading(ByteSource& source, QTextDocument& document)
    : source_(source), document_(document) {
  rich_ = std::make_unique<RtfReading>(source, document);
}

TextReading::~TextReading() = default;

bool TextReading::readUntil(const QDeadlineTimer& deadline) {
  if (done_) return true;
  if (plain_ == nullptr) {
    const RtfReading::Progress progress = rich_->readUntil(deadline);
    if (progress == RtfReading::Progress::More) return false;
    if (progress == RtfReading::Progress::Done) return done_ = true;
    // Not RTF, or RTF we cannot read: its text, from the start.
    rich_.reset();
    source_.rewind();
    plain_ = std::make_unique<PlainTextReading>(source_, document_);
  }
  return done_ = plain_->readUntil(deadline);
}

TextKind ReadRichOrPlainText(ByteSource& source, QTextDocument& document) {
  TextReading reading(source, document);
  reading.readUntil(QDeadlineTimer::Forever);
  return reading.kind();
}

TextKind ReadRichOrPlainText(QByteArrayView bytes, QTextDocument& document) {
  MemorySource source(bytes);
  return ReadRichOrPlainText(source, document);
}
