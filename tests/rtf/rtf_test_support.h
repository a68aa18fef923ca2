#pragma once

#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextDocument>
#include <memory>
#include <ostream>
#include <vector>

// Helpers for the RTF tests: read bytes into a fresh document and look at
// its paragraphs and the format of a piece of its text.

std::unique_ptr<QTextDocument> ReadRtf(const QByteArray& rtf, bool* ok = nullptr);

// The text of each paragraph.
QStringList Paragraphs(const QTextDocument& document);

// The character format of the first character of the first `piece` in the
// document (fails the test when the piece is missing).
QTextCharFormat FormatOf(const QTextDocument& document, const QString& piece);

// The first face a format names, empty when it names none.
QString FamilyOf(const QTextCharFormat& format);

// One run of text with everything of its format the notes keep. Paragraph
// ends are runs of their own ("\n"); neighbours that look alike are one run.
struct TextRun {
  QString text;
  QString family;
  double points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  QColor color;       // invalid: automatic
  QColor background;  // invalid: none
  int vertical = 0;   // QTextCharFormat::VerticalAlignment
  int char_set = -1;
  bool operator==(const TextRun&) const = default;
};
std::vector<TextRun> Runs(const QTextDocument& document);
void PrintTo(const TextRun& run, std::ostream* out);

// The bytes of a sample in tests/data/rtf.
QByteArray Sample(const char* name);
