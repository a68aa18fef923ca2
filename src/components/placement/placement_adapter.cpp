#include "placement/placement_adapter.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

// The window decoration's thickness on each side; null while not known.
QMargins FrameMargins(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                   frame.right() - client.right(), frame.bottom() - client.bottom());
  if (margins.isNull() && window.windowHandle() != nullptr) {
    margins = window.windowHandle()->frameMargins();
  }
  return margins;
}

// A window never shown has no known decoration yet; another shown window of
// the same kind has the same one.
QMargins EstimatedFrameMargins(const QWidget& window) {
  const QMargins own = FrameMargins(window);
  if (!own.isNull() || window.isVisible()) return own;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other == &window || !other->isVisible() || other->windowType() != window.windowType()) {
      continue;
    }
    const QMargins margins = FrameMargins(*other);
    if (!margins.isNull()) return margins;
  }
  return {};
}

void PlaceNormalFrame(QWidget& window, const QRect& frame, const QMargins& margins) {
  window.move(frame.topLeft());
  window.resize(frame.width() - margins.left() - margins.right(),
                frame.height() - margins.top() - margins.bottom());
}

const QString kFixerName = QStringLiteral("FrameSizeFixer");

// Sizes a window placed before its decoration could be known, once the window
// manager has framed it. Otherwise every save and restore would grow the
// window by its decoration.
class FrameSizeFixer : public QObject {
 public:
  FrameSizeFixer(QWidget& window, const QRect& frame) : QObject(&window), frame_(frame) {
    setObjectName(kFixerName);
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    if (window == nullptr ||
        (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize)) {
      return false;
    }
    const QMargins margins = FrameMargins(*window);
    if (margins.isNull()) return false;
    window->removeEventFilter(this);
    deleteLater();
    // The normal rectangle can only be set in the normal state.
    const Qt::WindowStates state = window->windowState();
    if (state != Qt::WindowNoState) window->setWindowState(Qt::WindowNoState);
    PlaceNormalFrame(*window, frame_, margins);
    if (state != Qt::WindowNoState) window->setWindowState(state);
    return false;
  }

  const QRect& frame() const { return frame_; }

 private:
  QRect frame_;
};

FrameSizeFixer* PendingFixer(const QWidget& window) {
  for (QObject* child : window.findChildren<QObject*>(kFixerName, Qt::FindDirectChildrenOnly)) {
    if (auto* fixer = dynamic_cast<FrameSizeFixer*>(child)) return fixer;
  }
  return nullptr;
}

}  // namespace

WidgetPlacement QueryPlacement(const QWidget& window) {
  WidgetPlacement placement;
  const Qt::WindowStates state = window.windowState();
  if (state & Qt::WindowMinimized) {
    placement.showState = WidgetPlacement::kShowMinimized;
    if (state & Qt::WindowMaximized) placement.flags |= WidgetPlacement::kRestoreToMaximized;
  } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    placement.showState = WidgetPlacement::kShowMaximized;
  }

  QRect frame = window.frameGeometry();
  if (const FrameSizeFixer* pending = PendingFixer(window)) {
    // Placed but not yet framed: what was given is what it will get.
    frame = pending->frame();
  } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    const QRect normal = window.normalGeometry();
    if (normal.isValid()) frame = normal.marginsAdded(FrameMargins(window));
  }
  placement.left = frame.left();
  placement.top = frame.top();
  placement.right = frame.left() + frame.width();
  placement.bottom = frame.top() + frame.height();
  return placement;
}

void ApplyPlacement(QWidget& window, const WidgetPlacement& placement) {
  const QRect frame(placement.left, placement.top, std::max(0, placement.right - placement.left),
                    std::max(0, placement.bottom - placement.top));
  for (QObject* old : window.findChildren<QObject*>(QStringLiteral("FrameSizeFixer"),
                                                    Qt::FindDirectChildrenOnly)) {
    window.removeEventFilter(old);
    delete old;
  }

  // The normal rectangle is set in the normal state, then the state follows.
  if (window.windowState() != Qt::WindowNoState) window.setWindowState(Qt::WindowNoState);
  const QMargins margins = EstimatedFrameMargins(window);
  PlaceNormalFrame(window, frame, margins);
  if (margins.isNull() && !window.isVisible()) new FrameSizeFixer(window, frame);

  Qt::WindowStates state = Qt::WindowNoState;
  if (placement.showState == WidgetPlacement::kShowMaximized) {
    state = Qt::WindowMaximized;
  } else if (placement.showState == WidgetPlacement::kShowMinimized) {
    state = Qt::WindowMinimized;
    if (placement.flags & WidgetPlacement::kRestoreToMaximized) state |= Qt::WindowMaximized;
  }
  if (state != Qt::WindowNoState) window.setWindowState(state);
}

QSize PrimaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().size() : QSize();
}
