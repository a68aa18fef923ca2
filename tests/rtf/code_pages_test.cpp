#include "rtf/code_pages.h"

#include <gtest/gtest.h>

#include "rtf_test_support.h"

namespace {

QString Text(const QByteArray& rtf) { return Paragraphs(*ReadRtf(rtf)).join(u'|'); }

// One letter of each character set the reader decodes, written as a word
// processor writes it: a font with that \fcharset and the letter's bytes.
TEST(CodePages, OneLetterOfEachSupportedSetDecodes) {
  const struct {
    int char_set;
    const char* bytes;
    char16_t letter;
  } cases[] = {
      {0, "\\'e9", u'\u00E9'},        {238, "\\'8a", u'\u0160'},
      {204, "\\'c0", u'\u0410'},      {161, "\\'d9", u'\u03A9'},
      {162, "\\'d0", u'\u011E'},      {177, "\\'e0", u'\u05D0'},
      {178, "\\'c7", u'\u0627'},      {186, "\\'c0", u'\u0104'},
      {163, "\\'d5", u'\u01A0'},      {222, "\\'a1", u'\u0E01'},
      {128, "\\'82\\'a0", u'\u3042'}, {134, "\\'c4\\'e3", u'\u4F60'},
      {129, "\\'b0\\'a1", u'\uAC00'}, {136, "\\'a4\\'a4", u'\u4E2D'},
  };
  for (const auto& [char_set, bytes, letter] : cases) {
    const QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0\\fcharset" + QByteArray::number(char_set) +
                           " F;}}\\f0 " + bytes + "}";
    EXPECT_EQ(Text(rtf), QString(QChar(letter))) << rtf.toStdString();
    if (!IsDoubleByteCodePage(CodePageForCharSet(char_set))) {
      // The writer's fallback byte for the letter is the same byte.
      const int byte = QByteArray::fromHex(QByteArray(bytes).mid(2)).at(0) & 0xFF;
      EXPECT_EQ(EncodeChar(CodePageForCharSet(char_set), letter), byte) << char_set;
    }
  }
}

TEST(CodePages, DoubleByteTextInEveryShape) {
  // The document's code page, raw bytes, a pair split by nothing else.
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg932 \x82\xa0\x82\xa2}"), QStringLiteral("\u3042\u3044"));
  // An escaped lead byte whose trail byte is a plain letter, as word
  // processors write Shift-JIS.
  EXPECT_EQ(Text("{\\rtf1\\ansicpg932 \\'83e\\'83X}"), QStringLiteral("\u30C6\u30B9"));
  // Single-byte katakana between pairs.
  EXPECT_EQ(Text("{\\rtf1\\ansicpg932 \\'b1\\'82\\'a0}"), QStringLiteral("\uFF71\u3042"));
  // A lead byte with no trail byte is no letter; the text goes on.
  EXPECT_EQ(Text("{\\rtf1\\ansicpg936 \\'c4{x}}"), QStringLiteral("\uFFFDx"));
  EXPECT_EQ(Text("{\\rtf1\\ansicpg949 a\\'b0"), QStringLiteral("a\uFFFD"));
  // Johab has no converter: its bytes read in the document's code page.
  EXPECT_EQ(Text("{\\rtf1{\\fonttbl{\\f0\\fcharset130 J;}}\\f0 \\'e9}"), QStringLiteral("\u00E9"));
}

}  // namespace
