#include "dialogs/error_box.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace {

ErrorBoxPresenter& Presenter() {
  static ErrorBoxPresenter presenter;
  return presenter;
}

void ShowMessageBox(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                  QApplication::activeWindow());
  // The program's other windows take no input while the box is up.
  box.setWindowModality(Qt::ApplicationModal);
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
