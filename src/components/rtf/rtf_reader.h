#pragma once

#include <QByteArrayView>

class QTextDocument;

// Groups nested deeper than this make the whole RTF unreadable.
inline constexpr int kMaxRtfDepth = 200;

// True when the bytes start as RTF: "{\rtf" after an optional UTF-8
// byte-order mark and blanks.
bool StartsAsRtf(QByteArrayView bytes);

// Reads RTF written by any word processor into `document`, replacing its
// content: the text with its faces, sizes, bold, italic, underline,
// strike-out, colours and character sets. Damaged RTF (unbalanced groups,
// a cut-off file) is read as far as it goes. Returns false, leaving the
// document empty, when the bytes do not start as RTF or nest deeper than
// kMaxRtfDepth.
bool RtfToDocument(QByteArrayView bytes, QTextDocument& document);
