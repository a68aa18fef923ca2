#pragma once

#include <QByteArray>
#include <QColor>

class QTextDocument;

// Writes the whole document as flat RTF, the dialect rich-edit controls
// write: a font table (each font with its \fcharset), a colour table, a
// generator group, then the text with inline toggles, one \par per paragraph
// and every character outside ASCII as \uN with one fallback byte.
//
// Runs without a colour of their own are written in `default_color` when it
// is valid (the editor's text colour), else as the automatic colour.
QByteArray DocumentToRtf(const QTextDocument& document, const QColor& default_color = QColor());
