#include "rtf/plain_text.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariant>
#include <utility>

#include "rtf/byte_source.h"
#include "rtf/code_pages.h"
#include "rtf/rtf_format.h"

namespace {

constexpr qsizetype kReadPieceSize = 256 * 1024;

enum class Encoding { Utf8, CodePage1252 };

// Decodes a file piece by piece into text with '\n' for every line break.
// A character or a CR LF cut at a piece's end is joined with the next piece.
class PlainTextDecoder {
 public:
  explicit PlainTextDecoder(Encoding encoding) : encoding_(encoding) {}

  QString decode(QByteArrayView piece) {
    if (started_) return decodeText(piece);
    // A byte-order mark can only be told once three bytes are in.
    head_ += piece.toByteArray();
    return head_.size() < 3 ? QString() : start();
  }

  // After the last piece: what is still held. A UTF-8 character the file
  // cut off is never finished.
  QString finish() {
    QString text = started_ ? QString() : start();
    if (!cut_.isEmpty()) error_ = true;
    cut_.clear();
    return text;
  }

  bool hasError() const { return error_ || utf8_.hasError(); }

 private:
  // How many bytes at the end start a UTF-8 character that goes on past them.
  static qsizetype UnfinishedTail(QByteArrayView bytes) {
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
      const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
      if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
      if (byte < 0xC0) return 0;
      const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
      return length > back ? back : 0;
    }
    return 0;
  }

  QString start() {
    started_ = true;
    const QByteArray head = std::exchange(head_, QByteArray());
    QByteArrayView text(head);
    if (text.startsWith("\xEF\xBB\xBF")) text = text.sliced(3);
    return decodeText(text);
  }

  QString decodeText(QByteArrayView piece) {
    if (encoding_ == Encoding::CodePage1252) return withBreaks(FromCodePage1252(piece));
    QByteArray joined;
    if (!cut_.isEmpty()) {
      joined = cut_ + piece.toByteArray();
      piece = joined;
    }
    const qsizetype whole = piece.size() - UnfinishedTail(piece);
    cut_ = piece.sliced(whole).toByteArray();
    return withBreaks(utf8_(piece.first(whole)));
  }

  static QString FromCodePage1252(QByteArrayView bytes) {
    const std::array<char16_t, 256>& chars = *SingleByteChars(1252);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes) *out++ = QChar(chars[static_cast<unsigned char>(byte)]);
    return text;
  }

  QString withBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
      if (ch == u'\r') {
        out += u'\n';
        afterCr_ = true;
        continue;
      }
      if (!(ch == u'\n' && afterCr_)) out += ch;
      afterCr_ = false;
    }
    return out;
  }

  Encoding encoding_;
  // Each piece decoded on its own; a byte-order mark inside the text stays.
  QStringDecoder utf8_{QStringDecoder::Utf8,
                       QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
  QByteArray head_;  // the first bytes, until there are three
  QByteArray cut_;   // the start of a UTF-8 character the piece cut off
  bool started_ = false;
  bool afterCr_ = false;
  bool error_ = false;
};

// Appends text to the document; the break at the very end closes the last
// line and starts no empty paragraph (which "Save" would write as one more
// line each time).
class LineWriter {
 public:
  explicit LineWriter(QTextDocument& document) : cursor_(&document) {}

  void add(QString text) {
    if (text.isEmpty()) return;
    if (pendingBreak_) cursor_.insertText(QStringLiteral("\n"));
    pendingBreak_ = text.endsWith(u'\n');
    if (pendingBreak_) text.chop(1);
    cursor_.insertText(text);
  }

 private:
  QTextCursor cursor_;
  bool pendingBreak_ = false;
};

}  // namespace

QString DecodePlainText(QByteArrayView bytes) {
  QString text;
  for (const Encoding encoding : {Encoding::Utf8, Encoding::CodePage1252}) {
    PlainTextDecoder decoder(encoding);
    text = decoder.decode(bytes);
    text += decoder.finish();
    if (!decoder.hasError()) break;
  }
  return text;
}

struct PlainTextReading::Decoding {
  Decoding(Encoding encoding, QTextDocument& document) : decoder(encoding), lines(document) {}
  PlainTextDecoder decoder;
  LineWriter lines;
};

PlainTextReading::PlainTextReading(ByteSource& source, QTextDocument& document)
    : source_(source), document_(document), piece_(kReadPieceSize, Qt::Uninitialized) {
  decoding_ = std::make_unique<Decoding>(Encoding::Utf8, document);
}

PlainTextReading::~PlainTextReading() = default;

bool PlainTextReading::readUntil(const QDeadlineTimer& deadline) {
  while (decoding_ != nullptr) {
    PlainTextDecoder& decoder = decoding_->decoder;
    const qsizetype got = source_.read(piece_.data(), piece_.size());
    if (got > 0) {
      QString text = decoder.decode(QByteArrayView(piece_).first(got));
      if (!decoder.hasError()) {
        decoding_->lines.add(std::move(text));
        if (deadline.hasExpired()) return false;
        continue;
      }
    } else {
      QString text = decoder.finish();
      if (!decoder.hasError()) {
        decoding_->lines.add(std::move(text));
        decoding_.reset();
        return true;
      }
    }
    // Not UTF-8 after all: all again from the start, each byte in 1252.
    decoding_.reset();
    document_->clear();
    source_.rewind();
    decoding_ = std::make_unique<Decoding>(Encoding::CodePage1252, *document_);
  }
  return true;
}

void PlainTextToDocument(ByteSource& source, QTextDocument& document) {
  PlainTextReading(source, document).readUntil(QDeadlineTimer::Forever);
}

void PlainTextToDocument(QByteArrayView bytes, QTextDocument& document) {
  MemorySource source(bytes);
  PlainTextToDocument(source, document);
}
