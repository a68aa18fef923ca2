// Painting the map: 256 markers against the bare placeholder it replaces,
// both rendered the same way into the same size of image in the same run.
// The counter paint_vs_placeholder is the map's paint time over the
// placeholder's; map_us and placeholder_us are processor microseconds per paint.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>

#include "lettering/gradient_label.h"
#include "map/map_view.h"

namespace {

constexpr int kWidth = 465;
constexpr int kHeight = 353;

std::unique_ptr<GradientLabel> Placeholder() {
  auto label = std::make_unique<GradientLabel>(
      QStringLiteral("Future enhancement area for the Lo file map with drag and drop interface."),
      QColor(128, 0, 0), QColor(0, 0, 0), 64);
  QFont font(QStringLiteral("Arial Black"));
  font.setPixelSize(27);
  font.setBold(true);
  font.setItalic(true);
  label->setFont(font);
  label->resize(kWidth, kHeight);
  return label;
}

// 256 records spread over a few hundred units, 24 classes, all directions.
std::unique_ptr<MapView> FullMap() {
  auto map = std::make_unique<MapView>();
  map->resize(kWidth, kHeight);
  std::vector<MapPoint> points;
  for (int i = 0; i < 256; ++i) {
    points.push_back({std::fmod(i * 37.0, 400.0) - 200.0, std::fmod(i * 53.0, 300.0) - 150.0,
                      i * 15.0, i % 24, QStringLiteral("record %1").arg(i)});
  }
  map->setPoints(std::move(points));
  map->setSelected(100);
  map->fit();
  return map;
}

// Processor time of this thread: on a busy machine wall time mostly measures the others.
double ThreadMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double MicrosecondsPerPaint(QWidget& widget, QImage& image, int repeats) {
  const double start = ThreadMicroseconds();
  for (int i = 0; i < repeats; ++i) widget.render(&image);
  return (ThreadMicroseconds() - start) / repeats;
}

void BM_PaintPlaceholder(benchmark::State& state) {
  auto label = Placeholder();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    label->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintPlaceholder)->Unit(benchmark::kMicrosecond);

void BM_PaintMap256(benchmark::State& state) {
  auto map = FullMap();
  auto label = Placeholder();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const double reference = MicrosecondsPerPaint(*label, image, 200);
  double spent_us = 0;
  std::int64_t paints = 0;
  for (auto _ : state) {
    const double start = ThreadMicroseconds();
    map->render(&image);
    benchmark::DoNotOptimize(image.constBits());
    spent_us += ThreadMicroseconds() - start;
    ++paints;
  }
  const double per_paint = spent_us / static_cast<double>(paints);
  state.counters["map_us"] = per_paint;
  state.counters["placeholder_us"] = reference;
  state.counters["paint_vs_placeholder"] = per_paint / reference;
}
BENCHMARK(BM_PaintMap256)->Unit(benchmark::kMicrosecond);

// One frame of a drag: the pointer moves, the marker follows, the map repaints.
void BM_DragFrame256(benchmark::State& state) {
  auto map = FullMap();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const QPointF start = map->screenPosition(100);
  QMouseEvent press(QEvent::MouseButtonPress, start, map->mapToGlobal(start), Qt::LeftButton,
                    Qt::LeftButton, {});
  QApplication::sendEvent(map.get(), &press);
  int step = 0;
  for (auto _ : state) {
    const QPointF at = start + QPointF(20 + step % 40, 20 + step % 30);
    ++step;
    QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(map.get(), &move);
    map->render(&image);
  }
  if (!map->isDragging()) state.SkipWithError("the marker did not follow the pointer");
}
BENCHMARK(BM_DragFrame256)->Unit(benchmark::kMicrosecond);

// One frame of a group drag: all 256 markers selected together follow the
// pointer. The counters give the paint alone against the placeholder's,
// both measured here.
void BM_GroupDragFrame256(benchmark::State& state) {
  auto map = FullMap();
  std::vector<int> all(256);
  for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = i;
  map->setGroup(all);
  auto label = Placeholder();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const double reference = MicrosecondsPerPaint(*label, image, 200);
  const QPointF start = map->screenPosition(100);
  QMouseEvent press(QEvent::MouseButtonPress, start, map->mapToGlobal(start), Qt::LeftButton,
                    Qt::LeftButton, {});
  QApplication::sendEvent(map.get(), &press);
  int step = 0;
  double paint_us = 0;
  for (auto _ : state) {
    const QPointF at = start + QPointF(20 + step % 40, 20 + step % 30);
    ++step;
    QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(map.get(), &move);
    const double before = ThreadMicroseconds();
    map->render(&image);
    paint_us += ThreadMicroseconds() - before;
  }
  if (!map->isDragging()) state.SkipWithError("the group did not follow the pointer");
  const double per_paint = paint_us / static_cast<double>(std::max(step, 1));
  state.counters["map_us"] = per_paint;
  state.counters["placeholder_us"] = reference;
  state.counters["paint_vs_placeholder"] = per_paint / reference;
}
BENCHMARK(BM_GroupDragFrame256)->Unit(benchmark::kMicrosecond);

}  // namespace
