#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <array>
#include <unordered_map>

class QTextDocument;
class RtfColorTable;
class RtfFontTable;

// A run's formatting as the RTF states it, with numbers into the font and
// colour tables: cheap to copy with every group and to compare per run.
struct RtfCharStyle {
  int font = -1;         // -1: the default font (\deffN)
  int half_points = 24;  // RTF's default \fs24
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int color = 0;      // \cfN; 0 is the automatic colour
  int highlight = 0;  // \highlightN; 0 is none
  int shading = 0;    // \chcbpatN or \cbN; 0 is none
  QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
  bool operator==(const RtfCharStyle&) const = default;
};

struct RtfCharStyleHash {
  std::size_t operator()(const RtfCharStyle& s) const;
};

// Text goes to the document in runs of one style; paragraph marks join the
// run as separators, so a long text costs one insertion per run. The
// document's format for a style is built once per distinct style.
class RtfRunBuilder {
 public:
  RtfRunBuilder(QTextDocument& document, const RtfFontTable& fonts, const RtfColorTable& colors);

  void BeginEdit() { cursor_.beginEditBlock(); }
  void EndEdit() { cursor_.endEditBlock(); }
  QTextDocument* Document() const { return cursor_.document(); }

  void Append(char16_t ch, const RtfCharStyle& style);
  // Bytes of a single-byte code page, controls (CR, LF, ...) left out;
  // returns the last character appended, 0 for none.
  char16_t AppendBytes(QByteArrayView bytes, const std::array<char16_t, 256>& chars,
                       const RtfCharStyle& style);
  // A paragraph mark only takes effect when text follows it: the last \par
  // of a file adds no empty paragraph, empty paragraphs between stay.
  void Paragraph() { ++pending_paragraphs_; }
  // The tables changed: formats built before are out of date.
  void ForgetFormats() { formats_.clear(); }
  // The end of the text: what is held goes in.
  void Finish(const RtfCharStyle& style);

 private:
  void StartRun(const RtfCharStyle& style);
  void Flush();
  const QTextCharFormat& FormatFor(const RtfCharStyle& style);

  QTextCursor cursor_;
  const RtfFontTable& fonts_;
  const RtfColorTable& colors_;
  std::unordered_map<RtfCharStyle, QTextCharFormat, RtfCharStyleHash> formats_;
  int pending_paragraphs_ = 0;
  QString text_;
  RtfCharStyle style_;
};

// The first byte of `bytes` that AppendBytes would append (the size: none).
qsizetype FirstShownByte(QByteArrayView bytes, const std::array<char16_t, 256>& chars);
