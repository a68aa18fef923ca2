#include "dialogs/error_box.h"

#include <QApplication>
#include <utility>
#include <vector>

#include "dialogs/message_box.h"

namespace {

ErrorBoxPresenter& Presenter() {
  static ErrorBoxPresenter presenter;
  return presenter;
}

struct PendingBox {
  QString caption;
  QString text;
};

// Boxes the program's end closed (or never let open) before the user saw them.
std::vector<PendingBox>& Pending() {
  static std::vector<PendingBox> pending;
  return pending;
}

void ShowMessageBox(const QString& caption, const QString& text) {
  MessageBox box(QMessageBox::Critical, caption, text, QApplication::activeWindow());
  box.exec();
  // Once the program is asked to end, every modal loop ends at once, so a box
  // raised meanwhile returns unseen: keep it for when the event loop is over.
  if (box.clickedButton() == nullptr) Pending().push_back({caption, text});
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

void ShowPendingErrorBoxes() {
  const std::vector<PendingBox> pending = std::exchange(Pending(), {});
  for (const PendingBox& box : pending) ShowMessageBox(box.caption, box.text);
}

ErrorBoxPresenter SetErrorBoxPresenter(ErrorBoxPresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}
