#include "fields/masked_edit_rules.h"

namespace {

const QChar kMinus = QLatin1Char('-');

bool IsDigit(QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); }

bool AllDigits(QStringView text) {
  for (QChar ch : text) {
    if (!IsDigit(ch)) return false;
  }
  return true;
}

// A digit may not land in front of a "-". The character that follows the new
// digit is the one after the replaced range (the caret when nothing is
// selected).
bool DigitAccepted(const QString& text, const EditSpot& spot) {
  const int after = spot.replaces() ? spot.end : spot.caret;
  return after >= text.size() || text.at(after) != kMinus;
}

bool IntegerCharAccepted(const QString& text, const EditSpot& spot, QChar ch) {
  if (IsDigit(ch)) return DigitAccepted(text, spot);
  if (ch != kMinus) return false;
  const bool atStartWithoutMinus = spot.caret == 0 && !text.contains(kMinus);
  const bool replacesFromStart = spot.replaces() && spot.start == 0;
  return atStartWithoutMinus || replacesFromStart;
}

// "-" and the separator are judged where the new character goes (the start
// of a selection, else the caret) against the text that stays once the
// selection is replaced. So a whole text selected on entry can be typed over
// with a negative number, whichever way the selection was made.
bool DecimalCharAccepted(const QString& text, const EditSpot& spot, QChar ch, QChar separator) {
  if (IsDigit(ch)) return DigitAccepted(text, spot);
  if (ch != kMinus && ch != separator) return false;
  const int insertAt = spot.replaces() ? spot.start : spot.caret;
  const QString kept = QString(text).remove(spot.start, spot.end - spot.start);
  if (ch == kMinus) return insertAt == 0 && !kept.contains(kMinus);
  return !kept.contains(separator) && kept.lastIndexOf(kMinus) < insertAt;
}

bool IntegerPasteAccepted(const QString& text, const EditSpot& spot, const QString& pasted) {
  const bool pastedMinus = pasted.startsWith(kMinus);
  if (!AllDigits(QStringView(pasted).mid(pastedMinus ? 1 : 0))) return false;
  const bool replacesFirst = spot.replaces() && spot.start == 0;
  return !(pastedMinus && text.startsWith(kMinus) && !replacesFirst);
}

bool DecimalPasteAccepted(const QString& text, const EditSpot& spot, const QString& pasted,
                          QChar separator) {
  for (QChar ch : pasted) {
    if (!IsDigit(ch) && ch != kMinus && ch != separator) return false;
  }
  if (pasted.lastIndexOf(kMinus) > 0) return false;
  const bool insertsAtStart = spot.replaces() ? spot.start == 0 : spot.caret == 0;
  if (pasted.startsWith(kMinus) && !insertsAtStart) return false;
  if (text.contains(kMinus) && pasted.contains(kMinus)) return false;
  if (text.contains(separator) && pasted.contains(separator)) return false;
  return true;
}

}  // namespace

bool TypedCharAccepted(FieldKind kind, const QString& text, const EditSpot& spot, QChar ch,
                       QChar separator) {
  switch (kind) {
    case FieldKind::Integer:
      return IntegerCharAccepted(text, spot, ch);
    case FieldKind::Decimal:
      return DecimalCharAccepted(text, spot, ch, separator);
    case FieldKind::Text:
      return ch.unicode() >= 32;
  }
  return false;
}

bool PasteAccepted(FieldKind kind, const QString& text, const EditSpot& spot, const QString& pasted,
                   QChar separator) {
  switch (kind) {
    case FieldKind::Integer:
      return IntegerPasteAccepted(text, spot, pasted);
    case FieldKind::Decimal:
      return DecimalPasteAccepted(text, spot, pasted, separator);
    case FieldKind::Text:
      return true;
  }
  return false;
}

QString SingleLineText(const QString& pasted) {
  QString line;
  for (QChar ch : pasted) {
    if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) break;
    if (ch.unicode() >= 32) line.append(ch);
  }
  return line;
}
