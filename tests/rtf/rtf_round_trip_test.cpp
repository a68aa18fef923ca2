#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

#include "rtf/rtf_format.h"
#include "rtf/rtf_writer.h"
#include "rtf_test_support.h"

namespace {

QTextCharFormat Format(const QString& family, double points) {
  QTextCharFormat format;
  format.setFontFamilies(QStringList{family});
  format.setFontPointSize(points);
  return format;
}

// A document with one run of each kind of formatting the notes can hold.
void FillFormatted(QTextDocument& document) {
  QTextCursor cursor(&document);
  QTextCharFormat plain = Format(QStringLiteral("Liberation Serif"), 12);
  cursor.insertText(QStringLiteral("plain "), plain);
  QTextCharFormat bold = plain;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText(QStringLiteral("bold "), bold);
  QTextCharFormat italic = plain;
  italic.setFontItalic(true);
  cursor.insertText(QStringLiteral("italic "), italic);
  QTextCharFormat underline = plain;
  underline.setFontUnderline(true);
  cursor.insertText(QStringLiteral("underline "), underline);
  QTextCharFormat strike = plain;
  strike.setFontStrikeOut(true);
  cursor.insertText(QStringLiteral("strike"), strike);
  cursor.insertBlock();
  QTextCharFormat red = Format(QStringLiteral("Liberation Sans"), 14);
  red.setForeground(QColor(255, 0, 0));
  cursor.insertText(QStringLiteral("red sans"), red);
  QTextCharFormat blue = Format(QStringLiteral("Liberation Mono"), 9.5);
  blue.setForeground(QColor(0, 0, 200));
  cursor.insertText(QStringLiteral("blue mono"), blue);
  cursor.insertBlock();
  cursor.insertBlock();
  QTextCharFormat greek = Format(QStringLiteral("DejaVu Sans"), 10);
  greek.setProperty(kRtfCharSetProperty, 161);
  cursor.insertText(QStringLiteral("\u20AC \u03A9\u03BC\u03AD\u03B3\u03B1 \U0001F600"), greek);
  cursor.insertBlock();
  cursor.insertText(QStringLiteral("a\\b{c}d\te\u2028f  two  spaces"), plain);
}

TEST(RtfRoundTrip, TextAndFormattingComeBack) {
  QTextDocument original;
  FillFormatted(original);
  const QByteArray rtf = DocumentToRtf(original);
  bool ok = false;
  auto read = ReadRtf(rtf, &ok);
  ASSERT_TRUE(ok) << rtf.toStdString();
  EXPECT_EQ(Paragraphs(*read),
            (QStringList{QStringLiteral("plain bold italic underline strike"),
                         QStringLiteral("red sansblue mono"), QString(),
                         QStringLiteral("\u20AC \u03A9\u03BC\u03AD\u03B3\u03B1 \U0001F600"),
                         QStringLiteral("a\\b{c}d\te\u2028f  two  spaces")}));

  const QTextCharFormat plain = FormatOf(*read, QStringLiteral("plain"));
  EXPECT_EQ(FamilyOf(plain), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(plain.fontPointSize(), 12);
  EXPECT_FALSE(plain.font().bold() || plain.fontItalic() || plain.fontUnderline() ||
               plain.fontStrikeOut());
  EXPECT_EQ(plain.foreground().style(), Qt::NoBrush);
  EXPECT_TRUE(FormatOf(*read, QStringLiteral("bold")).font().bold());
  EXPECT_TRUE(FormatOf(*read, QStringLiteral("italic")).fontItalic());
  EXPECT_TRUE(FormatOf(*read, QStringLiteral("underline")).fontUnderline());
  EXPECT_TRUE(FormatOf(*read, QStringLiteral("strike")).fontStrikeOut());

  const QTextCharFormat red = FormatOf(*read, QStringLiteral("red"));
  EXPECT_EQ(FamilyOf(red), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(red.fontPointSize(), 14);
  EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
  const QTextCharFormat blue = FormatOf(*read, QStringLiteral("blue"));
  EXPECT_EQ(FamilyOf(blue), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(blue.fontPointSize(), 9.5);
  EXPECT_EQ(blue.foreground().color(), QColor(0, 0, 200));

  const QTextCharFormat greek = FormatOf(*read, QStringLiteral("\u03A9"));
  EXPECT_EQ(FamilyOf(greek), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(greek.intProperty(kRtfCharSetProperty), 161);

  // Flat 7-bit RTF: non-ASCII as signed 16-bit \uN with one fallback byte in
  // the font's code page (the euro has one in Greek), surrogate pairs.
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"));
  EXPECT_TRUE(rtf.contains("{\\*\\generator "));
  EXPECT_TRUE(rtf.contains("\\u8364\\'80"));
  EXPECT_TRUE(rtf.contains("\\u-10179?\\u-8704?"));
  for (char byte : rtf) EXPECT_LT(static_cast<unsigned char>(byte), 0x80);
}

TEST(RtfRoundTrip, EmptyDocumentWritesRtfWithNoText) {
  bool ok = false;
  auto read = ReadRtf(DocumentToRtf(QTextDocument()), &ok);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(read->isEmpty());
  EXPECT_EQ(read->blockCount(), 1);
}

TEST(RtfRoundTrip, DefaultFontAndColourAreWrittenForUnformattedText) {
  QTextDocument document;
  QFont font(QStringLiteral("Liberation Mono"), 16);
  font.setItalic(true);
  document.setDefaultFont(font);
  document.setPlainText(QStringLiteral("typed\nlines"));
  auto read = ReadRtf(DocumentToRtf(document, QColor(0, 128, 0)));
  EXPECT_EQ(Paragraphs(*read), (QStringList{QStringLiteral("typed"), QStringLiteral("lines")}));
  const QTextCharFormat format = FormatOf(*read, QStringLiteral("lines"));
  EXPECT_EQ(FamilyOf(format), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(format.fontPointSize(), 16);
  EXPECT_TRUE(format.fontItalic());
  EXPECT_EQ(format.foreground().color(), QColor(0, 128, 0));
}

TEST(RtfRoundTrip, AColourTableKeepsItsNumbersAndItsEmptyEntries) {
  const QByteArray table = "{\\colortbl ;\\red255\\green0\\blue0;;\\red0\\green0\\blue255;}";
  const QByteArray saved =
      DocumentToRtf(*ReadRtf("{\\rtf1" + table + "{\\cf3 blue} {\\cf1 red}\\par}"));
  EXPECT_TRUE(saved.contains(table)) << saved.toStdString();
  EXPECT_TRUE(saved.contains("\\cf3 blue")) << saved.toStdString();
}

// A table of a great many entries the text does not use (a hostile note):
// the save keeps the text and its colours and stays within twice the size.
TEST(RtfRoundTrip, AFloodedColourTableCannotMultiplyTheSavedNote) {
  constexpr int kEntries = 200000;
  for (const QByteArray entry : {";", "\\red;", "\\red0\\green0\\blue0;"}) {
    const QByteArray rtf = "{\\rtf1{\\colortbl;\\red10\\green20\\blue30;" +
                           entry.repeated(kEntries) +
                           "}plain {\\cf1 first} {\\cf199999 flooded}\\par}";
    const auto read = ReadRtf(rtf);
    const QByteArray saved = DocumentToRtf(*read);
    EXPECT_LE(saved.size(), 2 * rtf.size()) << entry.toStdString();
    // The text and its colours come back.
    const auto again = ReadRtf(saved);
    EXPECT_EQ(Paragraphs(*again), Paragraphs(*read));
    for (const QString& piece :
         {QStringLiteral("plain"), QStringLiteral("first"), QStringLiteral("flooded")}) {
      EXPECT_EQ(FormatOf(*again, piece).foreground(), FormatOf(*read, piece).foreground())
          << piece.toStdString();
    }
    EXPECT_EQ(FormatOf(*again, QStringLiteral("first")).foreground().color(), QColor(10, 20, 30));
  }
}

}  // namespace
