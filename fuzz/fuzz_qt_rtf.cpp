// Random bytes into the RTF reader: it must neither crash, hang nor leak,
// read the same whatever pieces the file comes in, and what it reads must
// survive our own writer and reader unchanged.
#include <QGuiApplication>
#include <QTextDocument>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "rtf/byte_source.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

namespace {

// The bytes in pieces of a few bytes each.
class TrickleSource : public ByteSource {
 public:
  TrickleSource(QByteArrayView bytes, qsizetype piece) : bytes_(bytes), piece_(piece) {}
  qsizetype read(char* buffer, qsizetype size) override {
    const qsizetype count = std::min({size, piece_, bytes_.size() - position_});
    std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(count));
    position_ += count;
    return count;
  }
  void rewind() override { position_ = 0; }

 private:
  QByteArrayView bytes_;
  qsizetype piece_;
  qsizetype position_ = 0;
};

void Report(const char* what, const QTextDocument& first, const QTextDocument& second) {
  fprintf(stderr, "%s\nfirst:  %s\nsecond: %s\n", what,
          first.toRawText().toUtf8().toHex(0x20).constData(),
          second.toRawText().toUtf8().toHex(0x20).constData());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Fonts in QTextDocument need a GUI application; no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTextDocument document;
  const bool read = RtfToDocument(bytes, document);
  QTextDocument pieces;
  TrickleSource source(bytes, size > 0 ? 1 + data[0] % 5 : 1);
  if (RtfToDocument(source, pieces) != read) std::abort();
  if (pieces.toRawText() != document.toRawText()) Report("read in pieces", document, pieces);
  if (!read) return 0;
  QTextDocument again;
  if (!RtfToDocument(DocumentToRtf(document), again)) std::abort();
  if (again.toRawText() != document.toRawText()) Report("written and read again", document, again);
  return 0;
}
