// Random bytes into the RTF reader: it must neither crash, hang nor leak,
// read the same whatever pieces the file comes in, and what it reads must
// survive our own writer and reader unchanged.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"
#include "trickle_source.h"

namespace {

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
