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

void ShowErrorBox(const QString& text, const QString& title) {
  const QString caption = title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
  if (Presenter()) {
    Presenter()(caption, text);
  } else {
    ShowMessageBox(caption, text);
  }
}

ErrorBoxPresenter SetErrorBoxPresenter(ErrorBoxPresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}
