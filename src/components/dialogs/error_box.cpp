#include "dialogs/error_box.h"

#include <QApplication>
#include <utility>

#include "dialogs/message_box.h"

namespace {

ErrorBoxPresenter& Presenter() {
  static ErrorBoxPresenter presenter;
  return presenter;
}

void ShowMessageBox(const QString& caption, const QString& text) {
  MessageBox box(QMessageBox::Critical, caption, text, QApplication::activeWindow());
  box.exec();
}

}  // namespace

QString ErrorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > u'.') return message + u'.';
  return message;
}

void ShowErrorBox(const QString& message, const QString& title) {
  const QString caption = title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
  const QString text = ErrorBoxText(message);
  if (Presenter()) {
    Presenter()(caption, text);
  } else {
    ShowMessageBox(caption, text);
  }
}

ErrorBoxPresenter SetErrorBoxPresenter(ErrorBoxPresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}
