#include "rtf/rich_or_plain.h"

#include "rtf/plain_text.h"
#include "rtf/rtf_reader.h"

TextKind ReadRichOrPlainText(QByteArrayView bytes, QTextDocument& document) {
  if (RtfToDocument(bytes, document)) return TextKind::Rich;
  PlainTextToDocument(bytes, document);
  return TextKind::Plain;
}
