#pragma once

#include <QColor>
#include <QTextFormat>

// QTextCharFormat has no character-set field; the RTF \fcharsetN of a run's
// font is kept in this user property so that it survives a round trip.
inline constexpr int kRtfCharSetProperty = QTextFormat::UserProperty + 1;

// The font and colour tables of the file a document was read from, in the
// file's order, kept on the document (dynamic properties) so that a save
// numbers them as before: text nobody touched is then written with the same
// bytes. Fonts as QStringList entries "charset;family"; colours as a
// QList<QRgb>, table entries 1.. (0 is the automatic colour), where an entry
// that names no colour (";" alone) is kEmptyColorEntry.
inline constexpr char kRtfFontTableProperty[] = "rtfFontTable";
inline constexpr char kRtfColorTableProperty[] = "rtfColorTable";
// Every colour read is opaque, so a transparent black cannot be one.
inline constexpr QRgb kEmptyColorEntry = 0;
