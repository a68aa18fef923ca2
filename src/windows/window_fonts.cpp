#include "windows/window_fonts.h"

#include <QStringList>

void InstallFontSubstitutions() {
  const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                            QStringLiteral("DejaVu Sans")};
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
  QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
  QFont::insertSubstitutions(QStringLiteral("Arial Black"), sans);
}

QFont SansSerifFont(int pixel_height, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixel_height);
  font.setBold(bold);
  return font;
}

QFont DialogFont(int point_size) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(point_size);
  return font;
}

QFont ArialFont(int pixel_height) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixel_height);
  return font;
}

QFont ArialBlackFont(int pixel_height) {
  QFont font(QStringLiteral("Arial Black"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixel_height);
  font.setWeight(QFont::Black);
  font.setItalic(true);
  return font;
}
