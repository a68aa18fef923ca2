#include "rtf/rtf_runs.h"

#include <QTextDocument>
#include <QVariant>

#include "rtf/rtf_format.h"
#include "rtf/rtf_tables.h"

namespace {

constexpr qsizetype kMaxRunLength = 1 << 16;

bool Shown(char16_t ch) { return !((ch < 0x20 && ch != u'\t') || ch == 0x7F); }

}  // namespace

std::size_t RtfCharStyleHash::operator()(const RtfCharStyle& s) const {
  std::size_t h = std::hash<int>()(s.font);
  for (int part : {s.half_points,
                   int(s.bold) | int(s.italic) << 1 | int(s.underline) << 2 | int(s.strike) << 3 |
                       int(s.vertical) << 4,
                   s.color, s.highlight, s.shading}) {
    h = h * 1000003u ^ std::hash<int>()(part);
  }
  return h;
}

qsizetype FirstShownByte(QByteArrayView bytes, const std::array<char16_t, 256>& chars) {
  qsizetype at = 0;
  while (at < bytes.size() && !Shown(chars[static_cast<unsigned char>(bytes[at])])) ++at;
  return at;
}

RtfRunBuilder::RtfRunBuilder(QTextDocument& document, const RtfFontTable& fonts,
                             const RtfColorTable& colors)
    : cursor_(&document), fonts_(fonts), colors_(colors) {}

void RtfRunBuilder::Append(char16_t ch, const RtfCharStyle& style) {
  StartRun(style);
  text_ += QChar(ch);
}

// The common case, a character at a time without the decoder.
char16_t RtfRunBuilder::AppendBytes(QByteArrayView bytes, const std::array<char16_t, 256>& chars,
                                    const RtfCharStyle& style) {
  char16_t last = 0;
  for (const char c : bytes) {
    const char16_t ch = chars[static_cast<unsigned char>(c)];
    if (!Shown(ch)) continue;
    if (last == 0 || text_.size() >= kMaxRunLength) StartRun(style);
    text_ += QChar(ch);
    last = ch;
  }
  return last;
}

// Readies the run for text in `style`.
void RtfRunBuilder::StartRun(const RtfCharStyle& style) {
  // A long run goes in pieces so that it is never held twice in full.
  if (text_.isEmpty() || !(style == style_) || text_.size() >= kMaxRunLength) {
    Flush();
    style_ = style;
  }
  if (pending_paragraphs_ > 0) {
    text_.append(QString(pending_paragraphs_, QChar::ParagraphSeparator));
    pending_paragraphs_ = 0;
  }
}

void RtfRunBuilder::Flush() {
  if (text_.isEmpty()) return;
  cursor_.insertText(text_, FormatFor(style_));
  text_.clear();
}

void RtfRunBuilder::Finish(const RtfCharStyle& style) {
  Flush();
  if (pending_paragraphs_ > 1) {
    cursor_.insertText(QString(pending_paragraphs_ - 1, QChar::ParagraphSeparator),
                       FormatFor(style));
  }
}

const QTextCharFormat& RtfRunBuilder::FormatFor(const RtfCharStyle& style) {
  const auto found = formats_.find(style);
  if (found != formats_.end()) return found->second;
  QTextCharFormat format;
  format.setFontPointSize(style.half_points / 2.0);
  format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(style.italic);
  format.setFontUnderline(style.underline);
  format.setFontStrikeOut(style.strike);
  if (style.vertical != QTextCharFormat::AlignNormal) format.setVerticalAlignment(style.vertical);
  if (const QColor color = colors_.At(style.color); color.isValid()) format.setForeground(color);
  // A highlight shows over the shading, as word processors draw them.
  QColor background = colors_.At(style.highlight);
  if (!background.isValid()) background = colors_.At(style.shading);
  if (background.isValid()) format.setBackground(background);
  if (const RtfFontEntry* font = fonts_.Find(style.font)) {
    if (!font->name.isEmpty()) format.setFontFamilies(QStringList{font->name});
    if (font->char_set >= 0) format.setProperty(kRtfCharSetProperty, font->char_set);
  }
  return formats_.emplace(style, format).first->second;
}
