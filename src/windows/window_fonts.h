#pragma once

#include <QFont>

// The fonts the windows ask for, by family and pixel height. Where a family is
// not installed, the substitutions set by InstallFontSubstitutions pick a face
// of similar metrics (Liberation Sans for the sans-serif faces).
void InstallFontSubstitutions();

QFont SansSerifFont(int pixel_height, bool bold = false);  // "MS Sans Serif"
// The dialog font ("MS Sans Serif", the same face and fallback as
// SansSerifFont) by point size, for text the user sizes in points.
QFont DialogFont(int point_size);
QFont ArialFont(int pixel_height);                         // "Arial"
QFont ArialBlackFont(int pixel_height);                    // "Arial Black", bold italic
