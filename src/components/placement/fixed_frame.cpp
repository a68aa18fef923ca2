#include "placement/fixed_frame.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

const QString kGuardName = QStringLiteral("MinimiseGuard");

class MinimiseGuard : public QObject {
 public:
  explicit MinimiseGuard(QWidget& window) : QObject(&window) {
    setObjectName(kGuardName);
    window.installEventFilter(this);
  }

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
  // Helpers without Q_OBJECT: found by name, as qobject_cast cannot tell them apart.
  if (window.findChild<QObject*>(kGuardName, Qt::FindDirectChildrenOnly) != nullptr) return;
  new MinimiseGuard(window);
}
