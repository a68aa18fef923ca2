#include "placement/outer_frame.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <utility>

namespace {

// Fixed-size windows and resizable ones get different decorations (a
// resizable one often has a handle at the bottom).
bool IsFixedSize(const QWidget& window) { return window.minimumSize() == window.maximumSize(); }

// The last decoration seen on a framed window of each kind.
QMargins& Learned(bool fixed) {
  static std::array<QMargins, 2> learned;
  return learned[fixed ? 1 : 0];
}

QMargins RealDecoration(const QWidget& window) {
  if (!window.isVisible() || window.windowHandle() == nullptr) return {};
  return window.windowHandle()->frameMargins();
}

QMargins EstimatedDecoration(const QWidget& window) {
  const bool fixed = IsFixedSize(window);
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other != &window && IsFixedSize(*other) == fixed &&
        other->windowState() == Qt::WindowNoState) {
      const QMargins margins = RealDecoration(*other);
      if (!margins.isNull()) return margins;
    }
  }
  return LearnedDecoration(fixed);
}

const QString kWatchName = QStringLiteral("FramedWatch");

// Watches a window until the window manager has framed it.
class FramedWatch : public QObject {
 public:
  FramedWatch(QWidget& window, std::function<void(const QMargins&)> framed)
      : QObject(&window), framed_(std::move(framed)) {
    setObjectName(kWatchName);
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Paint:  // the first paint comes once the window is mapped
        break;
      default:
        return false;
    }
    auto* window = static_cast<QWidget*>(watched);
    const QMargins margins = RealDecoration(*window);
    if (margins.isNull()) return false;
    window->removeEventFilter(this);
    deleteLater();
    if (window->windowState() == Qt::WindowNoState) LearnDecoration(*window, margins);
    // Called last: it may move the window, which sends events of its own.
    std::exchange(framed_, nullptr)(margins);
    return false;
  }

 private:
  std::function<void(const QMargins&)> framed_;
};

}  // namespace

void LearnDecoration(const QWidget& window, const QMargins& decoration) {
  if (!decoration.isNull()) Learned(IsFixedSize(window)) = decoration;
}

QMargins LearnedDecoration(bool fixed_size) {
  if (!Learned(fixed_size).isNull()) return Learned(fixed_size);
  return Learned(!fixed_size);  // the title bar and sides are likely the same
}

QMargins DecorationOf(const QWidget& window) {
  const QMargins real = RealDecoration(window);
  return real.isNull() ? EstimatedDecoration(window) : real;
}

bool IsFramed(const QWidget& window) { return !RealDecoration(window).isNull(); }

QRect OuterFrame(const QWidget& window) {
  return window.geometry().marginsAdded(DecorationOf(window));
}

void SetOuterFrame(QWidget& window, const QRect& frame, const QMargins& decoration) {
  // The client rectangle is what Qt places the same way whether or not the
  // window has been shown or framed yet.
  window.setGeometry(frame.marginsRemoved(decoration));
}

void WhenFramed(QWidget& window, std::function<void(const QMargins& decoration)> framed) {
  const QMargins real = RealDecoration(window);
  if (!real.isNull()) {
    framed(real);
    return;
  }
  // Found by name: without Q_OBJECT, qobject_cast would take any child.
  for (QObject* old : window.findChildren<QObject*>(kWatchName, Qt::FindDirectChildrenOnly)) {
    window.removeEventFilter(old);
    delete old;
  }
  new FramedWatch(window, std::move(framed));
}

void PlaceOuterFrame(QWidget& window, FramePosition position) {
  const QMargins estimate = DecorationOf(window);
  const QSize client = window.size();
  SetOuterFrame(window, QRect(position(client.grownBy(estimate)), client.grownBy(estimate)),
                estimate);
  // Once framed, the frame goes where it belongs should it be elsewhere: the
  // decoration was not the estimated one, the size changed meanwhile, or the
  // window manager placed the window its own way while mapping it.
  WhenFramed(window, [&window, position](const QMargins& real) {
    const QSize frame = window.size().grownBy(real);
    const QRect wanted(position(frame), frame);
    if (window.geometry().marginsAdded(real) != wanted) SetOuterFrame(window, wanted, real);
  });
}

QPoint CentredInside(const QSize& frame, const QRect& area) {
  int x = area.x() + (area.width() - frame.width()) / 2;
  int y = area.y() + (area.height() - frame.height()) / 2;
  // Right and bottom edges first, so the top-left corner wins on a small area.
  x = std::max(std::min(x, area.x() + area.width() - frame.width()), area.x());
  y = std::max(std::min(y, area.y() + area.height() - frame.height()), area.y());
  return {x, y};
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  PlaceOuterFrame(window, [area](const QSize& frame) { return CentredInside(frame, area); });
}
