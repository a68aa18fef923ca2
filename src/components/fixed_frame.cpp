#include "components/fixed_frame.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

class MinimiseGuard : public QObject {
 public:
  explicit MinimiseGuard(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::WindowStateChange && window->isMinimized()) {
      // Queued: the state change is still being delivered.
      QPointer<QWidget> target(window);
      QMetaObject::invokeMethod(
          this,
          [target] {
            if (!target || !target->isMinimized()) return;
            target->setWindowState(target->windowState() & ~Qt::WindowMinimized);
            target->show();
            target->raise();
            target->activateWindow();
          },
          Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

void KeepFromMinimising(QWidget& window) {
  for (auto* old : window.findChildren<MinimiseGuard*>(Qt::FindDirectChildrenOnly)) delete old;
  new MinimiseGuard(window);
}
