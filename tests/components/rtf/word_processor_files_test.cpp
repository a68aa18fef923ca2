#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>

#include "rtf_test_support.h"

// RTF written by LibreOffice, AbiWord and pandoc from tests/data/rtf/source.html
// (see make.sh there).
namespace {

QByteArray Sample(const char* name) {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "../../data/rtf" / name;
  QFile file(QString::fromStdString(path.string()));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  return file.readAll();
}

const QString kUnicodeLine = QStringLiteral(
    "\u20AC \u03A9\u03BC\u03AD\u03B3\u03B1 \u041F\u0440\u0438\u0432\u0435\u0442 "
    "caf\u00E9 \u201Cquoted\u201D \u2013 dash");

const QStringList kLines = {QStringLiteral("Plain line"),
                            QStringLiteral("Bold Italic Underline Strike"),
                            QStringLiteral("Red text and blue text"),
                            QStringLiteral("Sans 14 Mono 10"),
                            kUnicodeLine,
                            QStringLiteral("Last line")};

void ExpectFormatting(const QTextDocument& document, bool with_colors_and_faces) {
  EXPECT_TRUE(FormatOf(document, QStringLiteral("Bold")).font().bold());
  EXPECT_FALSE(FormatOf(document, QStringLiteral("Plain")).font().bold());
  EXPECT_TRUE(FormatOf(document, QStringLiteral("Italic")).fontItalic());
  EXPECT_TRUE(FormatOf(document, QStringLiteral("Underline")).fontUnderline());
  EXPECT_TRUE(FormatOf(document, QStringLiteral("Strike")).fontStrikeOut());
  EXPECT_FALSE(FormatOf(document, QStringLiteral("Last")).fontStrikeOut());
  if (!with_colors_and_faces) return;
  EXPECT_EQ(FormatOf(document, QStringLiteral("Red")).foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(FormatOf(document, QStringLiteral("blue")).foreground().color(), QColor(0, 0, 255));
  EXPECT_EQ(FamilyOf(FormatOf(document, QStringLiteral("Plain"))),
            QStringLiteral("Liberation Serif"));
  EXPECT_EQ(FormatOf(document, QStringLiteral("Plain")).fontPointSize(), 12);
  EXPECT_EQ(FamilyOf(FormatOf(document, QStringLiteral("Sans"))),
            QStringLiteral("Liberation Sans"));
  EXPECT_EQ(FormatOf(document, QStringLiteral("Sans")).fontPointSize(), 14);
  EXPECT_EQ(FamilyOf(FormatOf(document, QStringLiteral("Mono"))),
            QStringLiteral("Liberation Mono"));
  EXPECT_EQ(FormatOf(document, QStringLiteral("Mono")).fontPointSize(), 10);
}

TEST(WordProcessorRtf, LibreOffice) {
  bool ok = false;
  auto document = ReadRtf(Sample("libreoffice.rtf"), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(Paragraphs(*document), kLines);
  ExpectFormatting(*document, true);
}

TEST(WordProcessorRtf, AbiWord) {
  bool ok = false;
  auto document = ReadRtf(Sample("abiword.rtf"), &ok);
  ASSERT_TRUE(ok);
  // AbiWord ends the document with empty paragraphs of its own.
  EXPECT_EQ(Paragraphs(*document).mid(0, kLines.size()), kLines);
  for (const QString& rest : Paragraphs(*document).mid(kLines.size())) EXPECT_TRUE(rest.isEmpty());
  ExpectFormatting(*document, true);
}

TEST(WordProcessorRtf, Pandoc) {
  bool ok = false;
  auto document = ReadRtf(Sample("pandoc.rtf"), &ok);
  ASSERT_TRUE(ok);
  // pandoc puts the title first and leaves colours and faces out.
  EXPECT_EQ(Paragraphs(*document), QStringList({QStringLiteral("notes"), QString()}) + kLines);
  ExpectFormatting(*document, false);
}

}  // namespace
