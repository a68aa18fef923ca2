#include "rtf/plain_text.h"

#include <gtest/gtest.h>

#include <QTextDocument>

#include "rtf/rich_or_plain.h"
#include "rtf/rtf_reader.h"
#include "rtf_test_support.h"

namespace {

TEST(PlainText, EveryKindOfLineBreakIsOneBreak) {
  const QString expected = QStringLiteral("one\ntwo\n\nfour");
  EXPECT_EQ(DecodePlainText("one\r\ntwo\r\n\r\nfour"), expected);
  EXPECT_EQ(DecodePlainText("one\ntwo\n\nfour"), expected);
  EXPECT_EQ(DecodePlainText("one\rtwo\r\rfour"), expected);
  EXPECT_EQ(DecodePlainText("one\r\ntwo\n\rfour"), expected);
}

TEST(PlainText, Utf8WhenValidElseCodePage1252) {
  EXPECT_EQ(DecodePlainText("\xEF\xBB\xBF\xE2\x82\xAC \xCE\xA9"), QStringLiteral("\u20AC \u03A9"));
  // Not UTF-8: each byte in 1252, so 0x80 is the euro sign.
  EXPECT_EQ(DecodePlainText("caf\xE9 \x80 \x93q\x94"),
            QStringLiteral("caf\u00E9 \u20AC \u201Cq\u201D"));
}

TEST(PlainText, ALineBreakAtTheEndEndsTheLastLine) {
  QTextDocument document;
  for (const char* text : {"one\r\ntwo\r\n", "one\ntwo\n", "one\ntwo"}) {
    PlainTextToDocument(text, document);
    EXPECT_EQ(Paragraphs(document), (QStringList{QStringLiteral("one"), QStringLiteral("two")}))
        << text;
  }
  // Empty lines before the last break stay.
  PlainTextToDocument("one\n\n", document);
  EXPECT_EQ(Paragraphs(document), (QStringList{QStringLiteral("one"), QString()}));
  PlainTextToDocument("\n", document);
  EXPECT_EQ(Paragraphs(document), QStringList{QString()});
}

TEST(PlainText, FilesThatAreNotRtfLoadAsPlainText) {
  QTextDocument document;
  EXPECT_EQ(ReadRichOrPlainText("first\r\n{\\rtf1 second}", document), TextKind::Plain);
  EXPECT_EQ(Paragraphs(document),
            (QStringList{QStringLiteral("first"), QStringLiteral("{\\rtf1 second}")}));
  EXPECT_EQ(ReadRichOrPlainText("{\\rtf1 rich\\par}", document), TextKind::Rich);
  EXPECT_EQ(Paragraphs(document), QStringList{QStringLiteral("rich")});
  // RTF nested too deep for us falls back to its plain text.
  const QByteArray deep = "{\\rtf1" + QByteArray(kMaxRtfDepth * 2, '{');
  EXPECT_EQ(ReadRichOrPlainText(deep, document), TextKind::Plain);
  EXPECT_EQ(document.toPlainText(), QString::fromLatin1(deep));
}

}  // namespace
