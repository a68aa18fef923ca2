#pragma once

#include <QChar>
#include <QString>

// Which characters a masked field takes. Kept apart from the widget so the
// rules read as one table and can be checked without key events.
enum class FieldKind { Integer, Decimal, Text };

// Where an edit happens: the caret (the active end of the selection) and the
// range the new text replaces (empty when nothing is selected).
struct EditSpot {
  int caret = 0;
  int start = 0;  // first replaced character
  int end = 0;    // one past the last replaced character

  bool replaces() const { return end > start; }
};

// True when typing `ch` at `spot` into `text` passes the kind's rules.
// The maximum length is checked by the caller.
bool TypedCharAccepted(FieldKind kind, const QString& text, const EditSpot& spot, QChar ch,
                       QChar separator);

// True when pasting `pasted` at `spot` into `text` passes the kind's rules.
bool PasteAccepted(FieldKind kind, const QString& text, const EditSpot& spot, const QString& pasted,
                   QChar separator);

// A text field is single-line: a pasted text keeps its first line only and
// drops other control characters, as typing would.
QString SingleLineText(const QString& pasted);
