#include "map/map_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <limits>
#include <random>
#include <set>

#include "map/map_marker.h"
#include "map/map_painter.h"
#include "map/map_strip.h"

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

MapPoint Point(double x, double y, int key = 0, double angle = 0.0) {
  return {x, y, angle, key, QStringLiteral("point %1 %2").arg(x).arg(y)};
}

// A shown map of 465 x 353 that selects what it reports as clicked, the way
// a window binds it.
struct MapFixture {
  MapView map;
  MapFixture(std::vector<MapPoint> points) {
    map.resize(465, 353);
    map.setPoints(std::move(points));
    map.fit();
    QObject::connect(&map, &MapView::pointClicked, &map, &MapView::setSelected);
    map.show();
    QApplication::setActiveWindow(&map);
    map.setFocus();
  }
  QPoint At(int index) const { return map.screenPosition(index).toPoint(); }
  QImage Picture() {
    QImage image(map.size(), QImage::Format_RGB32);
    map.render(&image);
    return image;
  }
};

void Drag(QWidget& widget, QPoint from, QPoint to, bool release = true) {
  QTest::mousePress(&widget, Qt::LeftButton, {}, from);
  // Two steps: the first passes the drag threshold, the second lands.
  QTest::mouseMove(&widget, from + (to - from) / 2);
  QTest::mouseMove(&widget, to);
  if (release) QTest::mouseRelease(&widget, Qt::LeftButton, {}, to);
}

TEST(MapView, ClickTakesTheTopMarkerAndRepeatedClicksCycleTheStack) {
  // Three markers on one spot, one apart.
  MapFixture f({Point(0, 0), Point(0.01, 0), Point(0.02, 0.01), Point(100, 100)});
  QSignalSpy clicked(&f.map, &MapView::pointClicked);
  const QPoint stack = f.At(1);

  QTest::mouseClick(&f.map, Qt::LeftButton, {}, stack);
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked.takeFirst()[0].toInt(), 2) << "the last drawn lies on top";
  std::vector<int> cycle;
  for (int i = 0; i < 4; ++i) {
    QTest::mouseClick(&f.map, Qt::LeftButton, {}, stack + QPoint(1, 0));
    cycle.push_back(clicked.takeFirst()[0].toInt());
  }
  EXPECT_EQ(cycle, (std::vector<int>{1, 0, 2, 1}));

  // Elsewhere first, then back: the selected marker is on top and wins.
  QTest::mouseClick(&f.map, Qt::LeftButton, {}, f.At(3));
  EXPECT_EQ(clicked.takeFirst()[0].toInt(), 3);
  f.map.setSelected(0);
  QTest::mouseClick(&f.map, Qt::LeftButton, {}, stack);
  EXPECT_EQ(clicked.takeFirst()[0].toInt(), 0);

  // A press on the selected marker where a click would step on starts a drag
  // of the selected marker, and steps nothing.
  QSignalSpy dragged(&f.map, &MapView::pointDragged);
  Drag(f.map, stack, stack + QPoint(30, 0));
  EXPECT_EQ(clicked.count(), 0);
  ASSERT_EQ(dragged.count(), 1);
  EXPECT_EQ(dragged[0][0].toInt(), 0);

  // Empty space reports nothing.
  QTest::mouseClick(&f.map, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicked.count(), 0);
}

TEST(MapView, DraggingAMarkerSelectsItFollowsThePointerAndReportsTheDrop) {
  MapFixture f({Point(0, 0), Point(50, 50), Point(100, 0)});
  f.map.setSelected(0);
  QSignalSpy clicked(&f.map, &MapView::pointClicked);
  QSignalSpy dragged(&f.map, &MapView::pointDragged);
  const QPoint from = f.At(1);
  const QPoint to = from + QPoint(40, -30);

  Drag(f.map, from, to, false);
  EXPECT_TRUE(f.map.isDragging());
  ASSERT_EQ(clicked.count(), 1) << "a drag selects the marker first";
  EXPECT_EQ(f.map.selected(), 1);
  EXPECT_EQ(f.At(1), to) << "the marker follows the pointer";
  QTest::mouseRelease(&f.map, Qt::LeftButton, {}, to);

  ASSERT_EQ(dragged.count(), 1);
  EXPECT_EQ(dragged[0][0].toInt(), 1);
  const WorldPoint expected = f.map.transform().ToWorld({double(to.x()), double(to.y())});
  // Within the half pixel between the press and the marker's centre.
  const double pixel = 1.0 / f.map.transform().Scale();
  EXPECT_NEAR(dragged[0][1].toDouble(), expected.x, pixel);
  EXPECT_NEAR(dragged[0][2].toDouble(), expected.y, pixel);
  // The map itself never moves the point: whoever owns it does.
  EXPECT_EQ(f.map.points()[1].x, 50.0);
  EXPECT_EQ(clicked.count(), 1) << "a drop is no click";

  // Esc during a drag puts the marker back and reports nothing.
  Drag(f.map, from, to, false);
  QTest::keyClick(&f.map, Qt::Key_Escape);
  EXPECT_FALSE(f.map.isDragging());
  EXPECT_EQ(f.At(1), from);
  QTest::mouseRelease(&f.map, Qt::LeftButton, {}, to);
  EXPECT_EQ(dragged.count(), 1);

  // A selection the owner refuses stops the drag.
  QObject::disconnect(&f.map, &MapView::pointClicked, &f.map, &MapView::setSelected);
  Drag(f.map, f.At(2), f.At(2) + QPoint(30, 30));
  EXPECT_EQ(dragged.count(), 1);
  EXPECT_EQ(f.map.selected(), 1);
}

TEST(MapView, KeysNudgeTheSelectedMarkerAndHomeFits) {
  MapFixture f({Point(0, 0), Point(10, 10)});
  QSignalSpy nudged(&f.map, &MapView::pointNudged);
  QTest::keyClick(&f.map, Qt::Key_Right);
  EXPECT_EQ(nudged.count(), 0) << "nothing selected";

  f.map.setSelected(1);
  QTest::keyClick(&f.map, Qt::Key_Right);
  QTest::keyClick(&f.map, Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(&f.map, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(&f.map, Qt::Key_Down);
  ASSERT_EQ(nudged.count(), 4);
  const std::pair<double, double> steps[] = {{1, 0}, {0, 10}, {-10, 0}, {0, -1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(nudged[i][0].toInt(), 1);
    EXPECT_EQ(nudged[i][1].toDouble(), steps[i].first) << i;
    EXPECT_EQ(nudged[i][2].toDouble(), steps[i].second) << i;
  }

  // Pan away, then Home brings every marker back into view.
  Drag(f.map, QPoint(5, 5), QPoint(400, 300));
  EXPECT_FALSE(f.map.rect().contains(f.At(1)));
  QTest::keyClick(&f.map, Qt::Key_Home);
  EXPECT_TRUE(f.map.rect().adjusted(20, 20, -20, -20).contains(f.At(0)));
  EXPECT_TRUE(f.map.rect().adjusted(20, 20, -20, -20).contains(f.At(1)));
}

TEST(MapView, WheelZoomsAboutThePointerAndEmptySpacePans) {
  MapFixture f({Point(-100, -100), Point(100, 100)});
  QSignalSpy view_changed(&f.map, &MapView::viewChanged);
  const QPointF pointer(120.0, 90.0);
  const WorldPoint under = f.map.transform().ToWorld({pointer.x(), pointer.y()});
  const double scale = f.map.transform().Scale();
  QWheelEvent wheel(pointer, f.map.mapToGlobal(pointer), {}, QPoint(0, 240), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&f.map, &wheel);
  EXPECT_NEAR(f.map.transform().Scale(), scale * 1.5625, 1e-9);
  const ScreenPoint now = f.map.transform().ToScreen(under);
  EXPECT_NEAR(now.x, pointer.x(), 1e-6);
  EXPECT_NEAR(now.y, pointer.y(), 1e-6);
  EXPECT_EQ(view_changed.count(), 1);

  const QPointF before = f.map.screenPosition(0);
  Drag(f.map, QPoint(10, 300), QPoint(60, 280));
  const QPointF moved = f.map.screenPosition(0) - before;
  EXPECT_NEAR(moved.x(), 50.0, 1e-6);
  EXPECT_NEAR(moved.y(), -20.0, 1e-6);
}

TEST(MapView, PaintsClassColoursTheSelectionOnTopAndCountsWhatItCannotDraw) {
  MapFixture f({Point(-50, 0, 3), Point(50, 0, 7), Point(kNotANumber, 0, 1), Point(0, INFINITY, 1)});
  EXPECT_EQ(f.map.hiddenCount(), 2);
  QImage image = f.Picture();
  EXPECT_EQ(image.pixelColor(f.At(0)), MarkerStyleFor(3).colour);
  EXPECT_EQ(image.pixelColor(f.At(1)), MarkerStyleFor(7).colour);

  // The selected marker grows a white ring and is drawn over its neighbour.
  f.map.setPoints({Point(-50, 0, 3), Point(-49.5, 0, 7)});
  f.map.setSelected(0);
  image = f.Picture();
  EXPECT_EQ(image.pixelColor(f.At(0)), MarkerStyleFor(3).colour);
  int white = 0;
  for (int dx = -10; dx <= 10; ++dx) {
    for (int dy = -10; dy <= 10; ++dy) {
      white += image.pixelColor(f.At(0) + QPoint(dx, dy)) == QColor(Qt::white) ? 1 : 0;
    }
  }
  EXPECT_GT(white, 10);
}

TEST(MapView, HoverShowsThePointsTipAndTheStripFollowsTheMap) {
  MapFixture f({Point(0, 0, 2), Point(20, 5, 4), Point(kNotANumber, 1, 4)});
  MapStrip strip;
  strip.resize(465, 120);
  ConnectMapStrip(f.map, strip);
  strip.show();
  EXPECT_EQ(strip.hiddenLabel()->text(), QStringLiteral("Not drawn: 1"));

  QHelpEvent help(QEvent::ToolTip, f.At(1), f.map.mapToGlobal(f.At(1)));
  QApplication::sendEvent(&f.map, &help);
  EXPECT_EQ(QToolTip::text(), f.map.points()[1].tip);

  auto pointer_text = [&](QPoint at, QChar separator) {
    const WorldPoint world = f.map.transform().ToWorld({double(at.x()), double(at.y())});
    return QStringLiteral("X: %1   Y: %2")
        .arg(QString::number(world.x, 'f', 2).replace(u'.', separator),
             QString::number(world.y, 'f', 2).replace(u'.', separator));
  };
  QTest::mouseMove(&f.map, f.At(1));
  EXPECT_EQ(strip.pointerLabel()->text(), pointer_text(f.At(1), u'.'));
  // A new separator shows at once, not on the next move.
  strip.setDecimalSeparator(u',');
  EXPECT_EQ(strip.pointerLabel()->text(), pointer_text(f.At(1), u','));
  EXPECT_FALSE(strip.zoomLabel()->text().contains(u'.')) << strip.zoomLabel()->text().toStdString();
  QTest::mouseMove(&f.map, f.At(1) + QPoint(4, 4));
  EXPECT_EQ(strip.pointerLabel()->text(), pointer_text(f.At(1) + QPoint(4, 4), u','));

  QTest::keyClick(&f.map, Qt::Key_Plus);
  EXPECT_TRUE(strip.zoomLabel()->text().startsWith(QStringLiteral("Zoom: ")));
  const QString zoomed = strip.zoomLabel()->text();
  strip.fitButton()->click();
  EXPECT_NE(strip.zoomLabel()->text(), zoomed) << "Fit undoes the zoom";

  f.map.setPoints({Point(0, 0, 2)});
  EXPECT_EQ(strip.hiddenLabel()->text(), QStringLiteral("Not drawn: 0"));

  // Legend: all entries when they fit, else the last cell counts the rest.
  std::vector<MapLegendEntry> entries;
  for (int key = 0; key < 40; ++key) entries.push_back({key, QStringLiteral("Class %1").arg(key)});
  strip.setLegend(entries);
  const int shown = strip.legend()->shownCount();
  EXPECT_GT(shown, 8);
  EXPECT_LT(shown, 40);
  entries.resize(3);
  strip.setLegend(entries);
  EXPECT_EQ(strip.legend()->shownCount(), 3);
}

TEST(MapGrid, LabelsNeverCoverEachOtherNotEvenInTheCorner) {
  QFont font;
  font.setPixelSize(9);
  const QRect area(0, 0, 465, 353);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> offset(-40.0, 40.0);
  std::uniform_real_distribution<double> zoom(-3.0, 3.0);
  for (int view = 0; view < 200; ++view) {
    MapTransform transform(area.width(), area.height());
    const double scale = std::pow(10.0, zoom(random));
    // The origin near the bottom-left corner, where both edges' labels meet.
    transform.SetView({(area.width() / 2.0 + offset(random)) / scale,
                       (area.height() / 2.0 + offset(random)) / scale},
                      scale);
    const std::vector<MapGridLabel> labels = MapGridLabels(area, transform, u'.', font);
    ASSERT_FALSE(labels.empty());
    for (std::size_t i = 0; i < labels.size(); ++i) {
      for (std::size_t j = i + 1; j < labels.size(); ++j) {
        ASSERT_FALSE(labels[i].rect.intersects(labels[j].rect))
            << labels[i].text.toStdString() << " and " << labels[j].text.toStdString()
            << " at scale " << scale;
      }
    }
  }
}

TEST(MapView, MarkerStylesTellSixtyFourKeysApart) {
  std::set<std::pair<QRgb, int>> seen;
  std::set<QRgb> colours;
  for (int key = 0; key < 64; ++key) {
    const MarkerStyle style = MarkerStyleFor(key);
    seen.insert({style.colour.rgb(), int(style.shape)});
    colours.insert(style.colour.rgb());
    EXPECT_EQ(MarkerStyleFor(key + 256).colour, style.colour);
  }
  EXPECT_EQ(seen.size(), 64u);
  EXPECT_EQ(colours.size(), std::size_t(kMarkerColourCount));
  EXPECT_EQ(MarkerStyleFor(-1).colour, MarkerStyleFor(kMarkerColourCount - 1).colour);
}

// Random floats (NaN, infinities, huge and tiny values) and random user
// actions: the map neither crashes nor hangs, and keeps a finite view.
TEST(MapView, RandomPointsAndActionsNeverBreakTheMap) {
  std::mt19937 random(1515);
  const double specials[] = {kNotANumber, INFINITY, -INFINITY, 3.4028235e38, -3.4028235e38, 0.0, 1e-45};
  auto value = [&] {
    if (random() % 3 == 0) return specials[random() % std::size(specials)];
    return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random),
                      static_cast<int>(random() % 256) - 128);
  };
  MapFixture f({});
  QImage image(f.map.size(), QImage::Format_RGB32);
  for (int round = 0; round < 200; ++round) {
    std::vector<MapPoint> points(random() % 40);
    for (auto& p : points) p = {value(), value(), value(), int(random() % 300) - 20, {}};
    f.map.setPoints(points);
    f.map.setSelected(static_cast<int>(random() % 50) - 5);
    if (random() % 2 == 0) f.map.fit();
    const QPoint somewhere(int(random() % 465), int(random() % 353));
    switch (random() % 4) {
      case 0: {
        QWheelEvent wheel(somewhere, f.map.mapToGlobal(somewhere), {},
                          QPoint(0, int(random() % 4800) - 2400), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&f.map, &wheel);
        break;
      }
      case 1:
        Drag(f.map, somewhere, QPoint(int(random() % 465), int(random() % 353)));
        break;
      case 2:
        QTest::keyClick(&f.map, Qt::Key_Up, Qt::ShiftModifier);
        break;
      default:
        QTest::mouseClick(&f.map, Qt::LeftButton, {}, somewhere);
        break;
    }
    f.map.render(&image);
    ASSERT_TRUE(std::isfinite(f.map.transform().Scale())) << round;
    ASSERT_TRUE(std::isfinite(f.map.transform().Centre().x)) << round;
  }
}

}  // namespace
