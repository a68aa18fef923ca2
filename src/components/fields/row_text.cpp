#include "fields/row_text.h"

bool IsBlankRowText(const QString& text) {
  // Every code at or below the space counts as blank or control.
  for (QChar c : text) {
    if (c.unicode() > u' ') return false;
  }
  return true;
}

QStringList SplitRowText(const QString& text) {
  QStringList parts = text.split(u';');
  if (text.endsWith(u';')) parts.removeLast();
  return parts;
}
