#include "rtf_test_support.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>

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
