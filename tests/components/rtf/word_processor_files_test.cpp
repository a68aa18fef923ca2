#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>

#include "rtf_test_support.h"

// RTF written by LibreOffice, AbiWord and pandoc from tests/data/rtf/source.html
// (see make.sh there).
namespace {

QByteArray Sample(const char* name) {
  const auto path = std::filesystem::path(LO_TEST_DATA_DIR) / "rtf" / name;
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

}  // namespace
