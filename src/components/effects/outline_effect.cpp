#include "effects/outline_effect.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>

namespace {

// The four one-pixel edges of an outline, in the overlay's coordinates.
QRegion EdgesOf(const QRect& outline) {
  if (outline.width() <= 0 || outline.height() <= 0) return {};
  QRegion edges(outline);
  if (outline.width() > 2 && outline.height() > 2) {
    edges -= QRegion(outline.adjusted(1, 1, -1, -1));
  }
  return edges;
}

// Lets the overlay paint while the pause runs; the user's input waits.
void Pause(std::chrono::milliseconds pause) {
  QElapsedTimer timer;
  timer.start();
  do {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
  } while (timer.elapsed() < pause.count());
}

QRect WholeScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->virtualGeometry() : QRect();
}

}  // namespace

OutlineEffect::OutlineEffect(const QRect& area)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      area_(area) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setGeometry(area_);
  setVisibleOutlines({});
}

bool OutlineEffect::IsAvailable() {
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal") &&
         !platform.startsWith(QLatin1String("wayland")) && !WholeScreen().isEmpty();
}

void OutlineEffect::setVisibleOutlines(const QList<QRect>& outlines) {
  visible_ = outlines;
  // Without a compositor a see-through window shows black; the mask keeps
  // only the outlines' own pixels on screen.
  QRegion shape;
  for (const QRect& outline : visible_) shape += EdgesOf(outline.translated(-area_.topLeft()));
  setMask(shape.isEmpty() ? QRegion(0, 0, 1, 1) : shape);
  update();
}

void OutlineEffect::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(rect(), Qt::transparent);
  // Alternate black and white pixels so that the outline shows on any background.
  QPen dotted(Qt::black, 0);
  dotted.setDashPattern({1, 1});
  for (const QRect& outline : visible_) {
    const QRect local = outline.translated(-area_.topLeft());
    if (local.width() <= 0 || local.height() <= 0) continue;
    const QRect edge = local.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(edge);
    painter.setPen(dotted);
    painter.drawRect(edge);
  }
}

void OutlineEffect::Play(const QList<QRect>& outlines, std::chrono::milliseconds pause) {
  if (outlines.isEmpty() || !IsAvailable()) return;
  OutlineEffect overlay(WholeScreen());
  overlay.show();
  // Drawing the n outlines builds the trail; drawing them again takes each away.
  for (qsizetype k = 1; k <= outlines.size(); ++k) {
    Pause(pause);
    overlay.setVisibleOutlines(outlines.first(k));
  }
  for (qsizetype k = 1; k <= outlines.size(); ++k) {
    Pause(pause);
    overlay.setVisibleOutlines(outlines.sliced(k));
  }
  Pause(pause);
}

QList<QRect> OpeningEffectOutlines(QPoint pointer, const QRect& frame, int steps) {
  QList<QRect> outlines;
  if (steps <= 0) return outlines;
  const int left = frame.left();
  const int top = frame.top();
  const int right = left + frame.width();
  const int bottom = top + frame.height();
  for (int k = 1; k <= steps; ++k) {
    outlines << QRect(pointer.x() + k * (left - pointer.x()) / steps,
                      pointer.y() + k * (top - pointer.y()) / steps, k * (right - left) / steps,
                      k * (bottom - top) / steps);
  }
  return outlines;
}
