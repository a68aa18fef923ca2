#include "rtf/plain_text.h"

#include <QStringDecoder>
#include <QTextDocument>
#include <QVariant>

#include "rtf/code_pages.h"
#include "rtf/rtf_format.h"

namespace {

QString NormalizeBreaks(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text[i];
    if (ch == u'\r') {
      out += u'\n';
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace

QString DecodePlainText(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) {
    text.clear();
    text.reserve(bytes.size());
    for (char byte : bytes) text += QChar(DecodeByte(1252, static_cast<unsigned char>(byte)));
  }
  return NormalizeBreaks(text);
}

void PlainTextToDocument(QByteArrayView bytes, QTextDocument& document) {
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  QString text = DecodePlainText(bytes);
  // The break at the very end closes the last line; it starts no empty
  // paragraph (which "Save" would write as one more line each time).
  if (text.endsWith(u'\n')) text.chop(1);
  document.setPlainText(text);
  document.setProperty(kRtfFontTableProperty, QVariant());  // no tables of a file to keep
  document.setProperty(kRtfColorTableProperty, QVariant());
  document.setUndoRedoEnabled(undo);
}
