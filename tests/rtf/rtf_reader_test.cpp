#include "rtf/rtf_reader.h"

#include <gtest/gtest.h>

#include "rtf/rtf_format.h"
#include "rtf_test_support.h"

namespace {

QStringList Lines(const QByteArray& rtf) { return Paragraphs(*ReadRtf(rtf)); }

QString ReaderText(const QByteArray& rtf) { return Lines(rtf).join(u'|'); }

TEST(RtfReader, EightBitTextFollowsTheFontsCharacterSet) {
  // 1252 by default: \'80 is the euro sign, never a Latin-1 control.
  EXPECT_EQ(ReaderText("{\\rtf1\\ansi \\'80\\'e9}"), QStringLiteral("\u20AC\u00E9"));
  EXPECT_EQ(ReaderText("{\\rtf1\\ansi\\ansicpg1251 \\'c0}"), QStringLiteral("\u0410"));
  EXPECT_EQ(ReaderText("{\\rtf1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}"
                 "{\\f2\\fcharset161 C;}{\\f3\\fcharset238 D;}{\\f4\\fcharset222 E;}}"
                 "\\f1\\'c0\\f2\\'d9\\f3\\'8a\\f4\\'a1\\f0\\'c0}"),
            QStringLiteral("\u0410\u03A9\u0160\u0E01\u00C0"));
  // Raw 8-bit bytes read the same way.
  EXPECT_EQ(ReaderText("{\\rtf1{\\fonttbl{\\f0\\fcharset161 G;}}\\f0 \xD9}"), QStringLiteral("\u03A9"));
  auto document = ReadRtf("{\\rtf1{\\fonttbl{\\f0\\fcharset204 Cyr;}}\\f0 x}");
  EXPECT_EQ(FormatOf(*document, QStringLiteral("x")).intProperty(kRtfCharSetProperty), 204);
}

TEST(RtfReader, UnicodeEscapesWithFallbacks) {
  EXPECT_EQ(ReaderText("{\\rtf1 \\u8364?\\u-10179?\\u-8704?}"), QStringLiteral("\u20AC\U0001F600"));
  EXPECT_EQ(ReaderText("{\\rtf1\\uc2 \\u937 ab c}"), QStringLiteral("\u03A9 c"));
  EXPECT_EQ(ReaderText("{\\rtf1\\uc0 \\u937 ab}"), QStringLiteral("\u03A9ab"));
  EXPECT_EQ(ReaderText("{\\rtf1 \\u937\\'d9x}"), QStringLiteral("\u03A9x"));
  // \ucN is part of the group's state.
  EXPECT_EQ(ReaderText("{\\rtf1{\\uc3 \\u937 abc}\\u937 de}"), QStringLiteral("\u03A9\u03A9e"));
  // A brace ends a fallback early; a lone surrogate is no character.
  EXPECT_EQ(ReaderText("{\\rtf1{\\uc5 \\u937{x}y}\\u-10179?z}"), QStringLiteral("\u03A9xy\uFFFDz"));
}

TEST(RtfReader, SkipsDestinationsThatHoldNoText) {
  EXPECT_EQ(ReaderText("{\\rtf1{\\info{\\title T}{\\author A}}{\\*\\unknown u{v}}"
                 "{\\header H}{\\footer F}x{\\footnote note}"
                 "{\\pict\\pngblip 89504e47}{\\object{\\objdata 01}}y"
                 "{\\stylesheet{\\s0 Normal;}}{\\*\\generator G;}z}"),
            QStringLiteral("xyz"));
  // Binary data is skipped by length, braces and all.
  EXPECT_EQ(ReaderText("{\\rtf1 a{\\pict\\bin6 }{\\{x}}b}"), QStringLiteral("ab"));
  // Fields keep only their result.
  EXPECT_EQ(ReaderText("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://x\"}"
                 "{\\fldrslt {\\ul link}}} here}"),
            QStringLiteral("see link here"));
  // Hidden text is not shown.
  EXPECT_EQ(ReaderText("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}"), QStringLiteral("abd"));
}

TEST(RtfReader, FontTablesInEveryShape) {
  const char* rtf =
      "{\\rtf1\\deff7{\\fonttbl\\f7\\fswiss Liberation Sans;\\f12\\froman "
      "{\\*\\panose 02020603050405020304}  Liberation Serif {\\*\\falt Times};"
      "{\\f30\\fmodern\\fcharset0{\\*\\fname x;}Liberation Mono;}}"
      "default \\f12 serif \\f30 mono \\f99 unknown}";
  auto document = ReadRtf(rtf);
  EXPECT_EQ(FamilyOf(FormatOf(*document, QStringLiteral("default"))),
            QStringLiteral("Liberation Sans"));
  EXPECT_EQ(FamilyOf(FormatOf(*document, QStringLiteral("serif"))),
            QStringLiteral("Liberation Serif"));
  EXPECT_EQ(FamilyOf(FormatOf(*document, QStringLiteral("mono"))),
            QStringLiteral("Liberation Mono"));
  EXPECT_EQ(Paragraphs(*document).front(), QStringLiteral("default serif mono unknown"));
}

TEST(RtfReader, CharacterFormattingAndItsGroups) {
  const char* rtf =
      "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "\\fs20 {\\b bold\\b0 notbold}{\\i it}{\\uldb dbl\\ulnone off}{\\ul0 no}"
      "{\\strike st\\strike0 ns}{\\cf1 red\\cf0 auto}\\cf2 blue{\\plain plain}\\pard after}";
  auto document = ReadRtf(rtf);
  EXPECT_TRUE(FormatOf(*document, QStringLiteral("bold")).font().bold());
  EXPECT_FALSE(FormatOf(*document, QStringLiteral("notbold")).font().bold());
  EXPECT_TRUE(FormatOf(*document, QStringLiteral("it")).fontItalic());
  EXPECT_TRUE(FormatOf(*document, QStringLiteral("dbl")).fontUnderline());
  EXPECT_FALSE(FormatOf(*document, QStringLiteral("off")).fontUnderline());
  EXPECT_FALSE(FormatOf(*document, QStringLiteral("no")).fontUnderline());
  EXPECT_TRUE(FormatOf(*document, QStringLiteral("st")).fontStrikeOut());
  EXPECT_FALSE(FormatOf(*document, QStringLiteral("ns")).fontStrikeOut());
  EXPECT_EQ(FormatOf(*document, QStringLiteral("red")).foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(FormatOf(*document, QStringLiteral("auto")).foreground().style(), Qt::NoBrush);
  EXPECT_EQ(FormatOf(*document, QStringLiteral("blue")).foreground().color(), QColor(0, 0, 255));
  EXPECT_EQ(FormatOf(*document, QStringLiteral("blue")).fontPointSize(), 10);
  // \plain goes back to 12 points without colour; \pard keeps the characters' format.
  EXPECT_EQ(FormatOf(*document, QStringLiteral("plain")).fontPointSize(), 12);
  EXPECT_EQ(FormatOf(*document, QStringLiteral("plain")).foreground().style(), Qt::NoBrush);
  EXPECT_EQ(FormatOf(*document, QStringLiteral("after")).foreground().color(), QColor(0, 0, 255));
}

TEST(RtfReader, ParagraphsBreaksAndSymbols) {
  EXPECT_EQ(Lines("{\\rtf1 one\\par two\\par}"),
            (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
  EXPECT_EQ(Lines("{\\rtf1 one\\par\\par three\\par\\par}"),
            (QStringList{QStringLiteral("one"), QString(), QStringLiteral("three"), QString()}));
  EXPECT_EQ(Lines("{\\rtf1 a\\\nb\\\r\nc}"),
            (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
  // Raw line ends only lay out the file.
  EXPECT_EQ(ReaderText("{\\rtf1 a\r\nb\rc\n}"), QStringLiteral("abc"));
  EXPECT_EQ(ReaderText("{\\rtf1 a\\line b\\tab c\\emdash\\endash\\lquote\\rquote\\ldblquote"
                 "\\rdblquote\\bullet\\~\\-\\_\\\\\\{\\}}"),
            QStringLiteral("a\u2028b\tc\u2014\u2013\u2018\u2019\u201C\u201D\u2022"
                           "\u00A0\u00AD\u2011\\{}"));
}

TEST(RtfReader, StopsAtTheGroupThatClosesTheDocument) {
  static const char kTrailing[] = "{\\rtf1 text}\0{\\b more}trailing";
  EXPECT_EQ(ReaderText(QByteArray(kTrailing, sizeof kTrailing - 1)), QStringLiteral("text"));
  EXPECT_EQ(ReaderText("\xEF\xBB\xBF \r\n{\\rtf1 bom}"), QStringLiteral("bom"));
}

TEST(RtfReader, DamagedInputIsReadAsFarAsItGoes) {
  EXPECT_EQ(ReaderText("{\\rtf1{\\b cut off"), QStringLiteral("cut off"));
  EXPECT_EQ(ReaderText("{\\rtf1 a\\"), QStringLiteral("a"));
  EXPECT_EQ(ReaderText("{\\rtf1 a\\'4"), QStringLiteral("a"));
  EXPECT_EQ(ReaderText("{\\rtf1 a\\bin99999999999 gone}"), QStringLiteral("a"));
  // Control characters are no text however they are escaped.
  EXPECT_EQ(ReaderText("{\\rtf1\\uc0 a\\u2 b\\'01c\\u127 d\x05}"), QStringLiteral("abcd"));
  EXPECT_EQ(ReaderText("{\\rtf1 a\\u99999999999 b}"), QStringLiteral("a\uFFFD"));
  EXPECT_EQ(ReaderText("{\\rtf1{\\colortbl;\\red300;}\\cf1 a\\cf99 b\\cf-5 c\\fs-4 d\\f-2 e}"),
            QStringLiteral("abcde"));
}

TEST(RtfReader, NestingBeyondTheLimitFails) {
  const QByteArray deep = "{\\rtf1 " + QByteArray(kMaxRtfDepth + 10, '{') + "x}";
  bool ok = true;
  auto document = ReadRtf(deep, &ok);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(document->isEmpty());
  const QByteArray fine = "{\\rtf1 " + QByteArray(kMaxRtfDepth - 10, '{') + "x}";
  EXPECT_EQ(Paragraphs(*ReadRtf(fine, &ok)).front(), QStringLiteral("x"));
  EXPECT_TRUE(ok);
}

}  // namespace
