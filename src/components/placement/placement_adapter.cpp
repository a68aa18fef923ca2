#include "placement/placement_adapter.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "placement/outer_frame.h"

namespace {

constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;

// Keeps a window's normal (neither minimised nor maximised) rectangle.
// Qt's own normalGeometry() cannot be trusted for this: window managers
// resize a window to the maximised size before they announce the new state,
// so Qt takes the maximised rectangle for the normal one.
class NormalFrameTracker : public QObject {
 public:
  explicit NormalFrameTracker(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(Name());
    window.installEventFilter(this);
  }

  // Found by name: without Q_OBJECT, qobject_cast would take any child.
  static NormalFrameTracker* Of(const QWidget& window) {
    return dynamic_cast<NormalFrameTracker*>(
        window.findChild<QObject*>(Name(), Qt::FindDirectChildrenOnly));
  }

  // The window is given its normal rectangle now.
  void Place(const QRect& frame) {
    frame_ = frame;
    decoration_ = DecorationOf(window_);
    settled_ = false;
    SetOuterFrame(window_, frame, decoration_);
    clients_.assign(1, window_.geometry());
  }

  QRect NormalFrame() const { return clients_.back().marginsAdded(decoration_); }

  bool eventFilter(QObject*, QEvent* event) override {
    const bool normal = window_.windowState() == Qt::WindowNoState;
    switch (event->type()) {
      case QEvent::Paint:  // the window manager has framed and shown it
      case QEvent::ActivationChange:
        if (!settled_ && normal && IsFramed(window_)) Settle();
        break;
      case QEvent::Move:
      case QEvent::Resize:
        if (settled_ && normal) Record();
        break;
      case QEvent::WindowStateChange:
        if (window_.windowState() & kLarge) {
          // The geometry changes that came just before were the maximising itself.
          ForgetMaximising(window_.geometry());
        } else if (settled_ && normal) {
          Record();
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  // The first time the window is seen framed in the normal state, its real
  // decoration replaces the estimate it was placed with, and the frame is
  // placed again exactly where it was asked to be.
  void Settle() {
    settled_ = true;
    const QMargins real = DecorationOf(window_);
    if (real != decoration_) {
      decoration_ = real;
      window_.setGeometry(frame_.marginsRemoved(real));
    }
    clients_.assign(1, window_.geometry());
  }

  void Record() {
    const QRect client = window_.geometry();
    if (clients_.back() == client) return;
    clients_.push_back(client);
    constexpr std::size_t kKept = 8;
    if (clients_.size() > kKept) clients_.erase(clients_.begin());
  }

  // Window managers may move a window to its maximised place and then resize
  // it, in two steps: both are dropped. The first rectangle stays: it is the
  // one the window was placed at.
  void ForgetMaximising(const QRect& maximised) {
    while (clients_.size() > 1 && (clients_.back().topLeft() == maximised.topLeft() ||
                                   clients_.back().size() == maximised.size())) {
      clients_.pop_back();
    }
  }

  static QString Name() { return QStringLiteral("NormalFrameTracker"); }

  QWidget& window_;
  QRect frame_;                 // as last placed
  QMargins decoration_;         // in the normal state; estimated until settled
  bool settled_ = false;        // the real decoration is known
  std::vector<QRect> clients_;  // normal client rectangles, latest last; never empty
};

}  // namespace

WidgetPlacement QueryPlacement(const QWidget& window) {
  WidgetPlacement placement;
  const Qt::WindowStates state = window.windowState();
  if (state & Qt::WindowMinimized) {
    placement.showState = WidgetPlacement::kShowMinimized;
    if (state & Qt::WindowMaximized) placement.flags |= WidgetPlacement::kRestoreToMaximized;
  } else if (state & kLarge) {
    placement.showState = WidgetPlacement::kShowMaximized;
  }

  const NormalFrameTracker* tracker = NormalFrameTracker::Of(window);
  const QRect frame = tracker != nullptr ? tracker->NormalFrame() : OuterFrame(window);
  placement.left = frame.left();
  placement.top = frame.top();
  placement.right = frame.left() + frame.width();
  placement.bottom = frame.top() + frame.height();
  return placement;
}

void ApplyPlacement(QWidget& window, const WidgetPlacement& placement) {
  const QRect frame(placement.left, placement.top, std::max(0, placement.right - placement.left),
                    std::max(0, placement.bottom - placement.top));
  NormalFrameTracker* tracker = NormalFrameTracker::Of(window);
  if (tracker == nullptr) tracker = new NormalFrameTracker(window);

  // The normal rectangle is set in the normal state, then the state follows.
  if (window.windowState() != Qt::WindowNoState) window.setWindowState(Qt::WindowNoState);
  tracker->Place(frame);

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
