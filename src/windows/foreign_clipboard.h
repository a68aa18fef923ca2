#pragma once

#include <QByteArray>
#include <functional>

class QObject;

// Another program's clipboard, read on an X connection of our own in a
// thread of its own: an owner that never answers (one that ended while we
// asked) costs a wait there, never in the window.

inline constexpr char kClipboardSilent[] =
    "The clipboard did not answer (the program that filled it may have ended); nothing was "
    "pasted.";

inline constexpr char kClipboardHoldsNoObjects[] =
    "The clipboard holds neither objects nor text; nothing was pasted.";

// What the clipboard's owner handed over, if it answered in time.
struct ForeignClipboard {
  bool answered = false;
  QByteArray records;  // the raw records, when the owner offers our own type
  QByteArray text;     // its text in UTF-8
};

// True when the windows run on X and another program holds the clipboard:
// its contents can only be had by asking it. Asks the X server only.
bool ClipboardHeldElsewhere();

// Reads the clipboard off the window's thread, and calls `done` on the
// thread of `receiver` (unless it is gone by then).
void ReadForeignClipboard(QObject* receiver, std::function<void(const ForeignClipboard&)> done);
