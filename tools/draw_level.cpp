// Draws a top-down picture of the example outpost, to lay under its map as a
// backdrop: grass, a river with a bridge, the road through the camp, the
// clearing at the watch tower and the depot's yard.
// Usage: draw_level <out.png>   (default: examples/outpost_level.png)
// The picture spans game X 0 ... 240 and Y 0 ... 170 at four pixels a unit:
// those are the edges to give it in the backdrop dialog.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr double kRight = 240.0;
constexpr double kTop = 170.0;
constexpr double kScale = 4.0;  // pixels a unit

// Game coordinates (Y up) to picture pixels (Y down).
QPointF Px(double x, double y) { return {x * kScale, (kTop - y) * kScale}; }

QPainterPath Line(std::initializer_list<QPointF> game_points) {
  QPainterPath path;
  bool first = true;
  for (QPointF point : game_points) {
    const QPointF at = Px(point.x(), point.y());
    if (first) {
      path.moveTo(at);
    } else {
      path.lineTo(at);
    }
    first = false;
  }
  return path;
}

void Stroke(QPainter& painter, const QPainterPath& path, QColor colour, double width_units) {
  painter.strokePath(
      path, QPen(colour, width_units * kScale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("examples/outpost_level.png");
  QImage image(int(kRight * kScale), int(kTop * kScale), QImage::Format_RGB32);
  image.fill(QColor(96, 138, 72));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  // Darker patches of grass: the woods the trees stand in.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(70, 112, 56));
  painter.drawEllipse(Px(138, 78), 22 * kScale, 30 * kScale);
  painter.drawEllipse(Px(98, 112), 14 * kScale, 12 * kScale);

  // The river, from the north down to the south-west corner, with its banks.
  const QPainterPath river = Line({{28, 172}, {46, 120}, {38, 70}, {52, 30}, {86, -2}});
  Stroke(painter, river, QColor(170, 150, 100), 17);
  Stroke(painter, river, QColor(52, 96, 160), 12);

  // The road from the depot through the camp to the marker post.
  const QPainterPath road =
      Line({{242, 138}, {192, 140}, {150, 108}, {126, 76}, {84, 38}, {40, 14}, {-2, 8}});
  Stroke(painter, road, QColor(204, 184, 134), 6);

  // The bridge where the road crosses the river.
  painter.save();
  painter.translate(Px(58.4, 24.1));
  painter.rotate(-28.6);  // along the road
  painter.setBrush(QColor(120, 82, 48));
  painter.drawRect(QRectF(-10 * kScale, -3.5 * kScale, 20 * kScale, 7 * kScale));
  painter.restore();

  // The clearing at the watch tower and the depot's yard.
  painter.setBrush(QColor(150, 124, 88));
  painter.drawEllipse(Px(122, 81), 9 * kScale, 7 * kScale);
  painter.setBrush(QColor(140, 140, 136));
  painter.drawRect(QRectF(Px(176, 160), Px(214, 142)));
  painter.end();

  if (!image.save(out)) {
    std::fprintf(stderr, "draw_level: cannot write %s\n", qPrintable(out));
    return 1;
  }
  std::printf("Level picture written to %s\n", qPrintable(out));
  return 0;
}
