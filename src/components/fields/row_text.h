#pragma once

#include <QString>
#include <QStringList>

// The text rules of a column list's rows.

// True when nothing is left after removing leading and trailing blanks and
// control characters: such a row is drawn as background only.
bool IsBlankRowText(const QString& text);

// Splits a row at ";". Each ";" ends a part, so ";;" gives an empty part and a
// ";" at the very end adds none. Parts are not trimmed and nothing is escaped.
QStringList SplitRowText(const QString& text);
