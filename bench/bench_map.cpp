// Painting the map: 256 markers against the bare placeholder it replaces,
// both rendered the same way into the same size of image in the same run.
// The counter paint_vs_placeholder is the map's paint time over the
// placeholder's; map_us and placeholder_us are processor microseconds per paint.
//
// Panning over a 4096 x 4096 backdrop against the plain map at the same zoom
// (backdrop_vs_plain), and the memory both take (BM_BackdropMemory), each
// built and panned over in the same run: the peak resident memory above the
// one before (reading the picture included), the heap still in use after
// panning, and the bytes of the picture as decoded for the screen, in KiB;
// the *_extra_vs_decoded counters are what the backdrop adds over the plain
// map, in decoded pictures.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

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

// A level picture of 4096 x 4096 pixels: roads, fields and noise, so that it
// compresses like a real one. Written once per run.
QString BackdropFile() {
  static const QString file = [] {
    const auto path = std::filesystem::temp_directory_path() /
                      ("bench_backdrop_" + std::to_string(::getpid()) + ".png");
    QImage image(4096, 4096, QImage::Format_RGB32);
    std::uint32_t seed = 7;
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>(seed >> 28);
        const bool road = (x / 8) % 64 == 0 || (y / 8) % 64 == 0;
        line[x] = road ? qRgb(90 + noise, 90 + noise, 90 + noise)
                       : qRgb(40 + noise, 100 + ((x ^ y) >> 6 & 31), 30 + noise);
      }
    }
    const QString name = QString::fromStdString(path.string());
    image.save(name);
    return name;
  }();
  return file;
}

void AddBackdrop(MapView& map) {
  // Under the markers' extent, as a first backdrop is placed.
  map.setBackdrop({BackdropFile(), -200.0, -150.0, 200.0, 150.0, 60});
}

// Pans by a pointer drag over empty space, one step per frame.
class Panner {
 public:
  explicit Panner(MapView& map) : map_(map) { Send(QEvent::MouseButtonPress, at_, Qt::LeftButton); }
  void Frame(QImage& image) {
    step_ = (step_ + 1) % 40;
    at_ += QPointF(step_ < 20 ? 3 : -3, step_ < 20 ? 2 : -2);
    Send(QEvent::MouseMove, at_, Qt::NoButton);
    map_.render(&image);
  }

 private:
  void Send(QEvent::Type type, QPointF at, Qt::MouseButton button) {
    QMouseEvent event(type, at, map_.mapToGlobal(at), button, Qt::LeftButton, {});
    QApplication::sendEvent(&map_, &event);
  }
  MapView& map_;
  QPointF at_{3.0, 3.0};  // a corner: no marker there
  int step_ = 0;
};

double MicrosecondsPerPan(MapView& map, QImage& image, int frames) {
  Panner panner(map);
  const double start = ThreadMicroseconds();
  for (int i = 0; i < frames; ++i) panner.Frame(image);
  return (ThreadMicroseconds() - start) / frames;
}

// One frame of panning over the backdrop; the plain map's frame at the same
// zoom is measured in the same run.
void BM_PanFrameBackdrop(benchmark::State& state) {
  auto plain = FullMap();
  auto map = FullMap();
  AddBackdrop(*map);
  if (!map->backdrop().Problem().isEmpty()) {
    state.SkipWithError("the backdrop could not be read");
    return;
  }
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const double reference = MicrosecondsPerPan(*plain, image, 200);
  Panner panner(*map);
  double spent_us = 0;
  std::int64_t frames = 0;
  for (auto _ : state) {
    const double start = ThreadMicroseconds();
    panner.Frame(image);
    benchmark::DoNotOptimize(image.constBits());
    spent_us += ThreadMicroseconds() - start;
    ++frames;
  }
  const double per_frame = spent_us / static_cast<double>(frames);
  state.counters["backdrop_us"] = per_frame;
  state.counters["plain_us"] = reference;
  state.counters["backdrop_vs_plain"] = per_frame / reference;
  state.counters["decoded_px"] = map->backdrop().Image().width() * map->backdrop().Image().height();
}
BENCHMARK(BM_PanFrameBackdrop)->Unit(benchmark::kMicrosecond);

long StatusKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  }
  return 0;
}

// The peak resident memory goes back to the present one.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

long PeakSince(long resident_before) { return StatusKilobytes("VmHWM:") - resident_before; }

// Heap bytes in use now (small blocks and mapped large ones), in KiB.
double HeapKilobytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / 1024.0;
}

void BM_BackdropMemory(benchmark::State& state) {
  BackdropFile();  // made before anything is measured
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  {
    // Fonts, caches and the heap are set up by a first map, not measured.
    auto warm = FullMap();
    MicrosecondsPerPan(*warm, image, 50);
  }
  for (auto _ : state) {
    // The plain map: built, then panned.
    ResetPeak();
    long before = StatusKilobytes("VmRSS:");
    double heap_before = HeapKilobytes();
    double plain_heap = 0;
    {
      auto map = FullMap();
      MicrosecondsPerPan(*map, image, 50);
      plain_heap = HeapKilobytes() - heap_before;
    }
    const long plain = PeakSince(before);

    // The same with the backdrop read and panned over.
    ResetPeak();
    before = StatusKilobytes("VmRSS:");
    heap_before = HeapKilobytes();
    auto map = FullMap();
    AddBackdrop(*map);
    MicrosecondsPerPan(*map, image, 50);
    const long with_backdrop = PeakSince(before);
    const double backdrop_heap = HeapKilobytes() - heap_before;

    const double decoded = map->backdrop().Image().sizeInBytes() / 1024.0;
    state.counters["decoded_kib"] = decoded;
    state.counters["plain_peak_kib"] = plain;
    state.counters["backdrop_peak_kib"] = with_backdrop;
    state.counters["plain_heap_kib"] = plain_heap;
    state.counters["backdrop_heap_kib"] = backdrop_heap;
    // The goal: within the plain map's memory plus 1.25 x the decoded picture.
    state.counters["peak_extra_vs_decoded"] = (with_backdrop - plain) / decoded;
    state.counters["heap_extra_vs_decoded"] = (backdrop_heap - plain_heap) / decoded;
  }
}
BENCHMARK(BM_BackdropMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
