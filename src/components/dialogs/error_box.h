#pragma once

#include <QString>
#include <functional>

class QWidget;

// The application's error box: caption = the application title, a stop icon,
// one OK button, modal for the whole application.

// Shows the box with `text` as given (the caller has built the user's
// message) and returns when the user has closed it. The caption is `title`, or the application's
// display name when `title` is empty.
// A box that the program's end closed before the user closed it is kept and
// shown again by ShowPendingErrorBoxes.
void ShowErrorBox(const QString& text, const QString& title = QString());

// Shows the kept boxes, in order; for after the application's event loop has
// ended, when a box runs again.
void ShowPendingErrorBoxes();

// Tests replace how the box is presented, to see its caption and text without
// a modal loop. An empty presenter brings back the real box. Returns the
// presenter that was in place.
using ErrorBoxPresenter = std::function<void(const QString& caption, const QString& text)>;
ErrorBoxPresenter SetErrorBoxPresenter(ErrorBoxPresenter presenter);
