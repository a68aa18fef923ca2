#pragma once

#include <QString>
#include <exception>
#include <utility>

#include "dialogs/error_box.h"

// The message shown for a failure that carries no message of its own.
inline const QString kUnknownErrorMessage = QStringLiteral("Unknown error");

// Runs one user action. A failure ends the action where it happened, is shown
// in the application's error box, and goes no further: exceptions must never
// leave a slot or an event handler. The program's own errors derive from
// std::exception, and what() is the message the user sees.
template <typename Action>
void guarded(Action&& action) {
  try {
    std::forward<Action>(action)();
  } catch (const std::exception& error) {
    ShowErrorBox(QString::fromUtf8(error.what()));
  } catch (...) {
    ShowErrorBox(kUnknownErrorMessage);
  }
}
