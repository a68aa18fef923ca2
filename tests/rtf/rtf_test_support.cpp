#include "rtf_test_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <filesystem>

#include "rtf/rtf_format.h"
#include "rtf/rtf_reader.h"

std::unique_ptr<QTextDocument> ReadRtf(const QByteArray& rtf, bool* ok) {
  auto document = std::make_unique<QTextDocument>();
  const bool read = RtfToDocument(rtf, *document);
  if (ok != nullptr) *ok = read;
  return document;
}

QStringList Paragraphs(const QTextDocument& document) {
  QStringList paragraphs;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    paragraphs << block.text();
  }
  return paragraphs;
}

QTextCharFormat FormatOf(const QTextDocument& document, const QString& piece) {
  const int position = static_cast<int>(document.toRawText().indexOf(piece));
  EXPECT_GE(position, 0) << "missing: " << piece.toStdString();
  if (position < 0) return {};
  QTextCursor cursor(const_cast<QTextDocument*>(&document));
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

QString FamilyOf(const QTextCharFormat& format) {
  const QStringList families = format.fontFamilies().toStringList();
  return families.isEmpty() ? QString() : families.front();
}

std::vector<TextRun> Runs(const QTextDocument& document) {
  std::vector<TextRun> runs;
  auto add = [&runs](TextRun run) {
    if (!runs.empty() && run.text != QStringLiteral("\n") &&
        runs.back().text != QStringLiteral("\n")) {
      TextRun joined = run;
      joined.text = runs.back().text;
      if (joined == runs.back()) {
        runs.back().text += run.text;
        return;
      }
    }
    runs.push_back(std::move(run));
  };
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) {
      TextRun end_of_paragraph;
      end_of_paragraph.text = QStringLiteral("\n");
      add(end_of_paragraph);
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      TextRun run;
      run.text = it.fragment().text();
      run.family = FamilyOf(format);
      run.points = format.fontPointSize();
      run.bold = format.fontWeight() >= QFont::Bold;
      run.italic = format.fontItalic();
      run.underline = format.fontUnderline();
      run.strike = format.fontStrikeOut();
      if (format.foreground().style() != Qt::NoBrush) run.color = format.foreground().color();
      if (format.background().style() != Qt::NoBrush) run.background = format.background().color();
      run.vertical = format.verticalAlignment();
      if (format.hasProperty(kRtfCharSetProperty))
        run.char_set = format.intProperty(kRtfCharSetProperty);
      add(std::move(run));
    }
  }
  return runs;
}

void PrintTo(const TextRun& run, std::ostream* out) {
  *out << '"' << run.text.toStdString() << "\" " << run.family.toStdString() << ' ' << run.points
       << (run.bold ? " b" : "") << (run.italic ? " i" : "") << (run.underline ? " u" : "")
       << (run.strike ? " s" : "") << " fg=" << run.color.name().toStdString()
       << " bg=" << run.background.name().toStdString() << " v=" << run.vertical
       << " cs=" << run.char_set;
}

QByteArray Sample(const char* name) {
  const auto path = std::filesystem::path(LO_TEST_DATA_DIR) / "rtf" / name;
  QFile file(QString::fromStdString(path.string()));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  return file.readAll();
}
