// Random bytes into the RTF reader: it must neither crash, hang nor leak, and
// what it reads must survive our own writer and reader unchanged.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Fonts in QTextDocument need a GUI application; no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTextDocument document;
  if (!RtfToDocument(bytes, document)) return 0;
  QTextDocument again;
  if (!RtfToDocument(DocumentToRtf(document), again)) std::abort();
  if (again.toRawText() != document.toRawText()) {
    fprintf(stderr, "first:  %s\nsecond: %s\n",
            document.toRawText().toUtf8().toHex(0x20).constData(),
            again.toRawText().toUtf8().toHex(0x20).constData());
    std::abort();
  }
  return 0;
}
