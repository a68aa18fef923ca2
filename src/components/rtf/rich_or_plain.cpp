#include "rtf/rich_or_plain.h"

#include "rtf/byte_source.h"
#include "rtf/plain_text.h"
#include "rtf/rtf_reader.h"

TextKind ReadRichOrPlainText(ByteSource& source, QTextDocument& document) {
  if (RtfToDocument(source, document)) return TextKind::Rich;
  source.rewind();
  PlainTextToDocument(source, document);
  return TextKind::Plain;
}

TextKind ReadRichOrPlainText(QByteArrayView bytes, QTextDocument& document) {
  MemorySource source(bytes);
  return ReadRichOrPlainText(source, document);
}
