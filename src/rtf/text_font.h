#pragma once

#include <QColor>
#include <QFont>
#include <QTextCharFormat>

class QTextCursor;

// What the font dialog gives to text: face, size, bold, italic, underline,
// strike-out and colour, and the character set when the user picked a script.
struct TextFont {
  QFont font;
  QColor color;       // invalid: the automatic colour
  int char_set = -1;  // -1: the text keeps its own
};

// `base` with the font's properties in place of its own; what the font does
// not name (background, super/subscript, ...) stays as it was.
QTextCharFormat WithTextFont(QTextCharFormat base, const TextFont& text_font);

// Gives the font to the cursor's selection, run by run, so that each run
// keeps what the font does not name. One undo step; nothing without a
// selection.
void ApplyTextFont(const QTextCursor& selection, const TextFont& text_font);
