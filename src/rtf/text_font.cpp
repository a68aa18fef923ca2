#include "rtf/text_font.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <vector>

#include "rtf/rtf_format.h"

QTextCharFormat WithTextFont(QTextCharFormat base, const TextFont& text_font) {
  const QFont& font = text_font.font;
  base.setFontFamilies(QStringList{font.family()});
  base.setFontPointSize(font.pointSizeF());
  base.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
  base.setFontItalic(font.italic());
  base.setFontUnderline(font.underline());
  base.setFontStrikeOut(font.strikeOut());
  if (text_font.color.isValid()) {
    base.setForeground(text_font.color);
  } else {
    base.clearForeground();
  }
  if (text_font.char_set >= 0) base.setProperty(kRtfCharSetProperty, text_font.char_set);
  return base;
}

void ApplyTextFont(const QTextCursor& selection, const TextFont& text_font) {
  if (!selection.hasSelection()) return;
  const int start = selection.selectionStart();
  const int end = selection.selectionEnd();
  QTextDocument* document = selection.document();

  // The runs first: formatting splits the fragments being walked.
  struct Run {
    int from;
    int to;
    QTextCharFormat format;
  };
  std::vector<Run> runs;
  for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int from = std::max(start, fragment.position());
      const int to = std::min(end, fragment.position() + fragment.length());
      if (from < to) runs.push_back({from, to, fragment.charFormat()});
    }
  }

  QTextCursor cursor(document);
  cursor.beginEditBlock();
  for (const Run& run : runs) {
    cursor.setPosition(run.from);
    cursor.setPosition(run.to, QTextCursor::KeepAnchor);
    cursor.setCharFormat(WithTextFont(run.format, text_font));
  }
  cursor.endEditBlock();
}
