#pragma once

#include <exception>
#include <utility>

#include "dialogs/error_box.h"
#include "errors/user_message.h"
#include "qt_convert.h"

// Runs one user action. A failure ends the action where it happened, is shown
// in the application's error box, and goes no further: exceptions must never
// leave a slot or an event handler. The program's own errors derive from
// std::exception, and what() is the message the user sees.
template <typename Action>
void guarded(Action&& action) {
  try {
    std::forward<Action>(action)();
  } catch (const std::exception& error) {
    ShowErrorBox(ToQString(UserMessage(error)));
  } catch (...) {
    ShowErrorBox(ToQString(UserMessage(kUnknownErrorMessage)));
  }
}
