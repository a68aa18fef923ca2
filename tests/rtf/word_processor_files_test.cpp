#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>

#include "rtf/rtf_writer.h"
#include "rtf_test_support.h"

// RTF written by LibreOffice, AbiWord and pandoc from tests/data/rtf/source.html,
// and in WordPad's and LibreOffice's dialects with backgrounds and
// super/subscript (see make.sh there).
namespace {

const QString kUnicodeLine = QStringLiteral(
    "\u20AC \u03A9\u03BC\u03AD\u03B3\u03B1 \u041F\u0440\u0438\u0432\u0435\u0442 "
    "caf\u00E9 \u201Cquoted\u201D \u2013 dash");

const QStringList kLines = {QStringLiteral("Plain line"),
                            QStringLiteral("Bold Italic Underline Strike"),
                            QStringLiteral("Red text and blue text"),
                            QStringLiteral("Sans 14 Mono 10"),
                            kUnicodeLine,
                            QStringLiteral("Last line")};

TEST(WordProcessorRtf, TextAndFormattingReadBack) {
  const struct {
    const char* file;
    QStringList lines;
    bool colours_and_faces;
  } samples[] = {
      {"libreoffice.rtf", kLines, true},
      // AbiWord ends the document with three empty paragraphs of its own.
      {"abiword.rtf", kLines + QStringList{QString(), QString(), QString()}, true},
      // pandoc puts the title first and leaves colours and faces out.
      {"pandoc.rtf", QStringList({QStringLiteral("notes"), QString()}) + kLines, false},
  };
  for (const auto& [file, lines, colours_and_faces] : samples) {
    SCOPED_TRACE(file);
    bool ok = false;
    auto read = ReadRtf(Sample(file), &ok);
    ASSERT_TRUE(ok);
    const QTextDocument& document = *read;
    EXPECT_EQ(Paragraphs(document), lines);
    EXPECT_TRUE(FormatOf(document, QStringLiteral("Bold")).font().bold());
    EXPECT_FALSE(FormatOf(document, QStringLiteral("Plain")).font().bold());
    EXPECT_TRUE(FormatOf(document, QStringLiteral("Italic")).fontItalic());
    EXPECT_TRUE(FormatOf(document, QStringLiteral("Underline")).fontUnderline());
    EXPECT_TRUE(FormatOf(document, QStringLiteral("Strike")).fontStrikeOut());
    EXPECT_FALSE(FormatOf(document, QStringLiteral("Last")).fontStrikeOut());
    if (!colours_and_faces) continue;
    EXPECT_EQ(FormatOf(document, QStringLiteral("Red")).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf(document, QStringLiteral("blue")).foreground().color(), QColor(0, 0, 255));
    const QTextCharFormat plain = FormatOf(document, QStringLiteral("Plain"));
    const QTextCharFormat sans = FormatOf(document, QStringLiteral("Sans"));
    const QTextCharFormat mono = FormatOf(document, QStringLiteral("Mono"));
    EXPECT_EQ(FamilyOf(plain), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(plain.fontPointSize(), 12);
    EXPECT_EQ(FamilyOf(sans), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(sans.fontPointSize(), 14);
    EXPECT_EQ(FamilyOf(mono), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(mono.fontPointSize(), 10);
  }
}

QTextCharFormat::VerticalAlignment VerticalOf(const QTextDocument& document, const char* piece) {
  return FormatOf(document, QString::fromLatin1(piece)).verticalAlignment();
}

QColor BackgroundOf(const QTextDocument& document, const char* piece) {
  const QBrush brush = FormatOf(document, QString::fromLatin1(piece)).background();
  return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

TEST(WordProcessorRtf, BackgroundsAndSuperscriptsSurviveASave) {
  const QColor yellow(255, 255, 0), green(0, 255, 0), pale_blue(204, 232, 255);
  {
    auto word = ReadRtf(Sample("word_backgrounds.rtf"));
    EXPECT_EQ(BackgroundOf(*word, "yellow"), yellow);        // \highlight
    EXPECT_EQ(BackgroundOf(*word, "pale blue"), pale_blue);  // \chcbpat
    EXPECT_EQ(BackgroundOf(*word, "green cb"), green);       // \cb
    EXPECT_FALSE(BackgroundOf(*word, ", ").isValid());       // \highlight0 ends it
    EXPECT_EQ(BackgroundOf(*word, "highlight over"), yellow);
    EXPECT_EQ(VerticalOf(*word, "2O"), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(VerticalOf(*word, "O and"), QTextCharFormat::AlignNormal);
    EXPECT_EQ(VerticalOf(*word, "red super"), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(VerticalOf(*word, "green sub"), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(BackgroundOf(*word, "green sub"), green);
  }
  {
    auto libre = ReadRtf(Sample("libreoffice_backgrounds.rtf"));
    EXPECT_EQ(BackgroundOf(*libre, "highlighted"), yellow);
    EXPECT_EQ(BackgroundOf(*libre, "shaded"), QColor(114, 159, 207));
    EXPECT_EQ(VerticalOf(*libre, "2"), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(VerticalOf(*libre, "i n"), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(VerticalOf(*libre, " + y"), QTextCharFormat::AlignNormal);
  }
  for (const char* file :
       {"word_backgrounds.rtf", "libreoffice_backgrounds.rtf", "libreoffice.rtf", "abiword.rtf"}) {
    SCOPED_TRACE(file);
    auto read = ReadRtf(Sample(file));
    const QByteArray saved = DocumentToRtf(*read);
    EXPECT_EQ(Runs(*ReadRtf(saved)), Runs(*read)) << saved.toStdString();
    // Written the way word processors read them.
    if (QByteArray(file).contains("backgrounds")) {
      EXPECT_TRUE(saved.contains("\\highlight"));
      EXPECT_TRUE(saved.contains("\\super"));
      EXPECT_TRUE(saved.contains("\\sub"));
      EXPECT_TRUE(saved.contains("\\nosupersub"));
    }
  }
}

}  // namespace
