#include "placement/placement_adapter.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "placement/outer_frame.h"

namespace {

constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;

// Keeps a window's normal (neither minimised nor maximised) rectangle.
// Qt's own normalGeometry() cannot be trusted for this: window managers move
// and resize a window to its maximised place, in one step or two, before they
// announce the new state, so Qt takes a maximised rectangle for the normal
// one. A normal rectangle therefore counts once it has stayed put for a
// moment in the normal state (or the window is hidden in that state).
class NormalFrameTracker : public QObject {
 public:
  explicit NormalFrameTracker(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(name());
    window.installEventFilter(this);
    steady_.setSingleShot(true);
    steady_.setInterval(kSteadyTime);
    connect(&steady_, &QTimer::timeout, this, [this] { steady(); });
  }

  // Found by name: without Q_OBJECT, qobject_cast would take any child.
  static NormalFrameTracker* of(const QWidget& window) {
    return dynamic_cast<NormalFrameTracker*>(
        window.findChild<QObject*>(name(), Qt::FindDirectChildrenOnly));
  }

  // The window is given its normal rectangle now.
  void place(const QRect& frame) {
    frame_ = frame;
    decoration_ = DecorationOf(window_);
    settled_ = false;
    was_large_ = false;
    steady_.stop();
    SetOuterFrame(window_, frame, decoration_);
    kept_ = window_.geometry();
  }

  QRect normalFrame() const {
    // A normal window on screen is where it is, steady or not yet.
    const bool live = settled_ && window_.isVisible() && isNormal();
    return (live ? window_.geometry() : kept_).marginsAdded(decoration_);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Paint:
      case QEvent::ActivationChange:
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowStateChange:
        if (!isNormal()) {
          // Whatever moved just before a maximise was the maximising itself.
          was_large_ = was_large_ || (window_.windowState() & kLarge);
          steady_.stop();
        } else if (!settled_ && !was_large_ && IsFramed(window_)) {
          // Framed on its first showing: the decoration is known now.
          settle();
        } else if (window_.isVisible()) {
          steady_.start();
        }
        break;
      case QEvent::Hide:
        if (settled_ && isNormal() && !event->spontaneous()) kept_ = window_.geometry();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  static constexpr int kSteadyTime = 300;  // ms

  bool isNormal() const { return window_.windowState() == Qt::WindowNoState; }

  // Back in the normal state, the window manager changes the decoration too;
  // both are steady once nothing has moved for a moment.
  void steady() {
    if (!isNormal() || !window_.isVisible() || !IsFramed(window_)) return;
    if (settled_) {
      kept_ = window_.geometry();
    } else {
      settle();
    }
  }

  // The first time the window is seen framed in the normal state, its real
  // decoration replaces the estimate it was placed with, and the frame is
  // placed again exactly where it was asked to be.
  void settle() {
    settled_ = true;
    const QMargins real = DecorationOf(window_);
    LearnDecoration(window_, real);
    if (real != decoration_) {
      decoration_ = real;
      window_.setGeometry(frame_.marginsRemoved(real));
    }
    kept_ = window_.geometry();
  }

  static QString name() { return QStringLiteral("NormalFrameTracker"); }

  QWidget& window_;
  QRect frame_;          // as last placed
  QMargins decoration_;  // in the normal state; estimated until settled
  bool settled_ = false;
  bool was_large_ = false;  // maximised since placed
  QRect kept_;              // the normal client rectangle
  QTimer steady_;
};

}  // namespace

TWindowPlacement QueryWindowPlacement(const QWidget& window) {
  TWindowPlacement placement;
  const Qt::WindowStates state = window.windowState();
  if (state & Qt::WindowMinimized) {
    placement.show_state = TWindowPlacement::kShowMinimized;
    if (state & Qt::WindowMaximized) placement.flags |= TWindowPlacement::kRestoreToMaximized;
  } else if (state & kLarge) {
    placement.show_state = TWindowPlacement::kShowMaximized;
  }

  const NormalFrameTracker* tracker = NormalFrameTracker::of(window);
  const QRect frame = tracker != nullptr ? tracker->normalFrame() : OuterFrame(window);
  placement.normal = {frame.left(), frame.top(), frame.left() + frame.width(),
                      frame.top() + frame.height()};
  return placement;
}

void ApplyWindowPlacement(QWidget& window, const TWindowPlacement& placement) {
  const TWindowRect& normal = placement.normal;
  const QRect frame(normal.left, normal.top, std::max(0, normal.right - normal.left),
                    std::max(0, normal.bottom - normal.top));
  NormalFrameTracker* tracker = NormalFrameTracker::of(window);
  if (tracker == nullptr) tracker = new NormalFrameTracker(window);

  // The normal rectangle is set in the normal state, then the state follows.
  if (window.windowState() != Qt::WindowNoState) window.setWindowState(Qt::WindowNoState);
  tracker->place(frame);

  Qt::WindowStates state = Qt::WindowNoState;
  if (placement.show_state == TWindowPlacement::kShowMaximized) {
    state = Qt::WindowMaximized;
  } else if (placement.show_state == TWindowPlacement::kShowMinimized) {
    state = Qt::WindowMinimized;
    if (placement.flags & TWindowPlacement::kRestoreToMaximized) state |= Qt::WindowMaximized;
  }
  if (state != Qt::WindowNoState) window.setWindowState(state);
}

TScreenSize PrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize size = screen->geometry().size();
  return {size.width(), size.height()};
}
