// Notes are read from the file a piece at a time and, when large, in steps
// between user events. Neither where the pieces end nor where a step stops
// may change what is read.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QTextDocument>

#include "rtf/byte_source.h"
#include "rtf/plain_text.h"
#include "rtf/rich_or_plain.h"
#include "rtf/rtf_reader.h"
#include "rtf_test_support.h"
#include "trickle_source.h"

namespace {

// Every token shape with its parts cut anywhere: words with negative and
// long parameters, over-long words, \'hh, \uN with its fallback, \binN over
// braces, double-byte pairs with raw trail bytes, CR LF inside text.
QByteArray TrickyRtf() {
  QByteArray rtf =
      "\xEF\xBB\xBF  {\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
      "{\\f1\\fcharset128 MS Gothic;}}{\\colortbl;\\red255\\green0\\blue0;}\r\n";
  for (int i = 0; i < 20; ++i) {
    rtf +=
        "\\f0\\fs20 Plain {\\b bold}\\fs-24  \\uc2\\u8364xx caf\\'e9 {\\f1 \\'83e\\'83X}"
        "\\abcdefghijklmnopqrstuvwxyzabcdefghij0123456789 {\\*\\unknown skipped}"
        "\\bin3 {}xafter\r\n{\\cf1\\highlight1 red}\\line\\tab end\\par\r\n";
  }
  return rtf + "}";
}

std::vector<TextRun> RunsOf(ByteSource& source) {
  QTextDocument document;
  ReadRichOrPlainText(source, document);
  return Runs(document);
}

std::vector<TextRun> RunsOf(QByteArrayView bytes) {
  MemorySource source(bytes);
  return RunsOf(source);
}

// A plain text whose first bad UTF-8 byte lies pieces away from its start.
QByteArray LongLatin1Text() {
  QByteArray text;
  while (text.size() < 600 * 1024) text += "line \xE2\x82\xAC one\r\n";
  return text + "caf\xE9\r\n";
}

TEST(StreamedReading, PiecesEndingAnywhereReadTheSameDocument) {
  const QByteArray rtf = TrickyRtf();
  const std::vector<TextRun> whole = RunsOf(rtf);
  ASSERT_GT(whole.size(), 40u);
  for (const qsizetype piece : {1, 2, 3, 5, 64}) {
    TrickleSource source(rtf, piece);
    EXPECT_EQ(RunsOf(source), whole) << "pieces of " << piece;
  }
  for (const char* sample :
       {"abiword.rtf", "libreoffice.rtf", "pandoc.rtf", "word_backgrounds.rtf"}) {
    const QByteArray bytes = Sample(sample);
    TrickleSource source(bytes, 7);
    EXPECT_EQ(RunsOf(source), RunsOf(bytes)) << sample;
  }
  // Plain text: a CR LF, a three-byte character and a byte-order mark cut apart.
  const QByteArray plain = "\xEF\xBB\xBFone\r\ntwo \xE2\x82\xAC\r\rthree\r\n";
  for (const qsizetype piece : {1, 2, 4}) {
    TrickleSource source(plain, piece);
    QTextDocument document;
    EXPECT_EQ(ReadRichOrPlainText(source, document), TextKind::Plain);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("one\ntwo \u20AC\n\nthree")) << piece;
  }
  // A character cut off by the end of the file is no UTF-8: all of it is 1252.
  TrickleSource cut("ab\xE2\x82", 1);
  QTextDocument document;
  ReadRichOrPlainText(cut, document);
  EXPECT_EQ(document.toPlainText(), QStringLiteral("ab\u00E2\u201A"));
}

// Reads with a deadline that has always passed: one step at a time.
int ReadInSteps(ByteSource& source, QTextDocument& document) {
  TextReading reading(source, document);
  int steps = 1;
  while (!reading.readUntil(QDeadlineTimer(0))) ++steps;
  return steps;
}

TEST(StreamedReading, StepsReadTheSameDocumentAsOneGo) {
  QByteArray rtf = TrickyRtf();
  rtf.chop(1);
  while (rtf.size() < 1024 * 1024) rtf += "{\\i more} text\\par\r\n";
  rtf += "}";
  {
    MemorySource source(rtf);
    QTextDocument document;
    EXPECT_GT(ReadInSteps(source, document), 10);
    EXPECT_EQ(Runs(document), RunsOf(rtf));
  }
  {
    // Plain text that turns out not to be UTF-8 near its end starts again.
    const QByteArray text = LongLatin1Text();
    TrickleSource source(text, 64 * 1024);
    QTextDocument document;
    EXPECT_GT(ReadInSteps(source, document), 10);
    EXPECT_EQ(document.toPlainText(), DecodePlainText(text).chopped(1));
    EXPECT_TRUE(
        document.toPlainText().endsWith(QStringLiteral("\u00E2\u201A\u00AC one\ncaf\u00E9")));
  }
  {
    // RTF nested too deep: its plain text, once the reader gives up.
    const QByteArray deep = "{\\rtf1 text\\par" + QByteArray(kMaxRtfDepth * 2, '{');
    MemorySource source(deep);
    QTextDocument document;
    ReadInSteps(source, document);
    EXPECT_EQ(document.toPlainText(), QString::fromLatin1(deep));
  }
}

TEST(StreamedReading, UndoComesBackOnlyWhenTheReadingEnds) {
  QTextDocument document;
  const QByteArray rtf = TrickyRtf();
  MemorySource source(rtf);
  {
    TextReading reading(source, document);
    EXPECT_FALSE(document.isUndoRedoEnabled());
    reading.readUntil(QDeadlineTimer::Forever);
  }
  EXPECT_TRUE(document.isUndoRedoEnabled());
}

}  // namespace
