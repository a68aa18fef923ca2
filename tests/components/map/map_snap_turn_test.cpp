#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "map/map_strip.h"
#include "map/map_view.h"

namespace {

MapPoint TurnPoint(double x, double y, double angle = 0.0) { return {x, y, angle, 0, {}}; }

struct SnapFixture {
  MapView map;
  explicit SnapFixture(std::vector<MapPoint> points) {
    map.resize(465, 353);
    map.setPoints(std::move(points));
    map.fit();
    QObject::connect(&map, &MapView::pointClicked, &map, &MapView::setSelected);
    map.show();
    QApplication::setActiveWindow(&map);
    map.setFocus();
  }
  QPoint At(int index) const { return map.screenPosition(index).toPoint(); }
  QPointF Screen(double x, double y) const {
    const ScreenPoint at = map.transform().ToScreen({x, y});
    return {at.x, at.y};
  }
  WorldPoint World(QPointF at) const { return map.worldAt(at); }
  // QTest cannot hold modifiers during a move: events are sent as they are.
  void Send(QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, map.mapToGlobal(at), Qt::LeftButton, buttons, modifiers);
    QApplication::sendEvent(&map, &event);
  }
  void Drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = {}, bool release = true) {
    Send(QEvent::MouseButtonPress, from, modifiers);
    Send(QEvent::MouseMove, from + (to - from) / 2, modifiers);
    Send(QEvent::MouseMove, to, modifiers);
    if (release) Send(QEvent::MouseButtonRelease, to, modifiers);
  }
};

bool OnGrid(double value, double step) {
  return std::abs(value / step - std::round(value / step)) < 1e-9;
}

TEST(MapSnapping, DragsLandOnTheGridUnlessAltIsHeld) {
  SnapFixture f({TurnPoint(0, 0), TurnPoint(50, 50), TurnPoint(100, 0)});
  f.map.setGridStep(10);
  f.map.setSelected(1);
  QSignalSpy dragged(&f.map, &MapView::pointDragged);
  const QPointF from = f.At(1);
  const QPointF to = from + QPointF(37, -23);
  const WorldPoint free = f.World(to);

  f.Drag(from, to);
  ASSERT_EQ(dragged.count(), 1);
  const double x = dragged[0][1].toDouble();
  const double y = dragged[0][2].toDouble();
  EXPECT_TRUE(OnGrid(x, 10) && OnGrid(y, 10)) << x << "," << y;
  EXPECT_LE(std::abs(x - free.x), 5.0 + 1.0 / f.map.transform().Scale());
  EXPECT_LE(std::abs(y - free.y), 5.0 + 1.0 / f.map.transform().Scale());

  // Alt held during the drag: the marker lands where the pointer leaves it.
  f.Drag(from, to, Qt::AltModifier);
  ASSERT_EQ(dragged.count(), 2);
  EXPECT_NEAR(dragged[1][1].toDouble(), free.x, 1.0 / f.map.transform().Scale());
  EXPECT_NEAR(dragged[1][2].toDouble(), free.y, 1.0 / f.map.transform().Scale());
  EXPECT_FALSE(OnGrid(dragged[1][1].toDouble(), 10));
  // Alt pressed in the middle of a drag frees the rest of it.
  f.Drag(from, to, {}, false);
  QTest::keyPress(&f.map, Qt::Key_Alt);
  f.Send(QEvent::MouseMove, to, {});
  f.Send(QEvent::MouseButtonRelease, to, {});
  QTest::keyRelease(&f.map, Qt::Key_Alt);
  ASSERT_EQ(dragged.count(), 3);
  EXPECT_NEAR(dragged[2][1].toDouble(), free.x, 1.0 / f.map.transform().Scale());
  // Snapping is back for the next drag.
  f.Drag(from, to);
  EXPECT_TRUE(OnGrid(dragged[3][1].toDouble(), 10));

  // A group drag puts the marker under the pointer on the grid, keeping
  // the others where they are to it.
  f.map.setPoints({TurnPoint(1.5, 2.5), TurnPoint(50, 50), TurnPoint(100, 0)});
  f.map.setGroup({0, 1});
  QSignalSpy moved(&f.map, &MapView::groupMoved);
  f.Drag(f.At(0), f.At(0) + QPointF(52, 31));
  ASSERT_EQ(moved.count(), 1);
  EXPECT_TRUE(OnGrid(1.5 + moved[0][0].toDouble(), 10)) << moved[0][0].toDouble();
  EXPECT_TRUE(OnGrid(2.5 + moved[0][1].toDouble(), 10)) << moved[0][1].toDouble();

  // Without a step nothing snaps.
  f.map.setGroup({});
  f.map.setGridStep(0);
  f.Drag(from, to);
  EXPECT_NEAR(dragged.back()[1].toDouble(), free.x, 1.0 / f.map.transform().Scale());
}

TEST(MapSnapping, TheGridToSnapToIsDrawnWhereItsLinesAreEightPixelsApart) {
  SnapFixture f({TurnPoint(0, 0), TurnPoint(100, 100)});
  ASSERT_GT(f.map.transform().Scale() * 5, 8.0);
  ASSERT_LT(f.map.transform().Scale() * 0.5, 8.0);
  // The background changes only from row to row: along one row a line shows
  // as a pixel unlike its neighbours. x = 5 is no labelled grid line.
  auto line_and_between = [&] {
    const QImage picture = f.map.grab().toImage();
    const QPointF line = f.Screen(5, 33);
    const QPointF between = f.Screen(7.5, 33);
    return std::pair(picture.pixelColor(qRound(line.x()), qRound(line.y())),
                     picture.pixelColor(qRound(between.x()), qRound(line.y())));
  };
  auto [plain_line, plain_between] = line_and_between();
  EXPECT_EQ(plain_line, plain_between) << "no step, no lines";
  f.map.setGridStep(5);
  auto [line, between] = line_and_between();
  EXPECT_GT(line.red(), between.red() + 4);
  EXPECT_EQ(between, plain_between);
  f.map.setGridStep(0.5);
  auto [dense, dense_between] = line_and_between();
  EXPECT_EQ(dense, plain_line) << "lines closer than 8 pixels are not drawn";
}

TEST(MapSnapping, ArrowsMoveToTheNextMultipleOfTheStep) {
  SnapFixture f({TurnPoint(3.2, 7), TurnPoint(50, 50)});
  f.map.setSelected(0);
  f.map.setGridStep(5);
  QSignalSpy nudged(&f.map, &MapView::pointNudged);
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    double dx, dy;
  } cases[] = {
      {Qt::Key_Right, {}, 5 - 3.2, 5 - 7},
      {Qt::Key_Left, {}, 0 - 3.2, 5 - 7},
      {Qt::Key_Up, {}, 5 - 3.2, 10 - 7},
      {Qt::Key_Down, {}, 5 - 3.2, 5 - 7},
      {Qt::Key_Left, Qt::ShiftModifier, -45 - 3.2, 5 - 7},
  };
  for (const Case& c : cases) {
    QTest::keyClick(&f.map, c.key, c.modifiers);
    ASSERT_FALSE(nudged.isEmpty());
    const QList<QVariant> args = nudged.takeFirst();
    EXPECT_DOUBLE_EQ(args[1].toDouble(), c.dx) << c.key;
    EXPECT_DOUBLE_EQ(args[2].toDouble(), c.dy) << c.key;
  }
  // A group moves so that the selected marker lands on the grid.
  f.map.setGroup({0, 1});
  QSignalSpy moved(&f.map, &MapView::groupMoved);
  QTest::keyClick(&f.map, Qt::Key_Right);
  ASSERT_EQ(moved.count(), 1);
  EXPECT_DOUBLE_EQ(moved[0][0].toDouble(), 5 - 3.2);
  EXPECT_DOUBLE_EQ(moved[0][1].toDouble(), 5 - 7);
}

TEST(MapTurning, TheHandleTurnsTheSelectedMarkerTowardsThePointer) {
  SnapFixture f({TurnPoint(0, 0, 0), TurnPoint(50, 50, 0), TurnPoint(100, 0, 0)});
  MapStrip strip;
  strip.resize(465, 120);
  ConnectMapStrip(f.map, strip);
  EXPECT_FALSE(f.map.turnHandlePosition()) << "nothing selected, no handle";
  f.map.setSelected(1);
  const QPointF handle = *f.map.turnHandlePosition();
  EXPECT_NEAR(handle.x() - f.At(1).x(), kSelectedDirectionLength, 1.0) << "at the line's end";
  QSignalSpy turning(&f.map, &MapView::pointTurning);
  QSignalSpy turned(&f.map, &MapView::pointTurned);
  QSignalSpy cancelled(&f.map, &MapView::turnCancelled);
  QSignalSpy moved(&f.map, &MapView::pointDragged);
  const QPointF centre = f.map.screenPosition(1);

  // Straight up on the screen is +Y: 90 degrees.
  f.Drag(handle, centre + QPointF(0, -40), {}, false);
  EXPECT_TRUE(f.map.isTurning());
  ASSERT_FALSE(turning.isEmpty());
  EXPECT_EQ(turning.back()[0].toInt(), 1);
  EXPECT_DOUBLE_EQ(turning.back()[1].toDouble(), 90.0);
  EXPECT_EQ(strip.motionLabel()->text(), QStringLiteral("Angle: 90.00\u00b0"));
  EXPECT_NEAR(f.map.turnHandlePosition()->y(), centre.y() - kSelectedDirectionLength, 1.0)
      << "the handle follows";
  f.Send(QEvent::MouseButtonRelease, centre + QPointF(0, -40), {});
  ASSERT_EQ(turned.count(), 1);
  EXPECT_DOUBLE_EQ(turned[0][1].toDouble(), 90.0);
  EXPECT_TRUE(strip.motionLabel()->isHidden());
  EXPECT_EQ(moved.count(), 0) << "the marker stays where it is";

  // Without Shift two decimals of the exact angle; with Shift 15-degree steps.
  const QPointF slant = centre + QPointF(40, 38);  // screen y down: about -43.5 degrees
  f.Drag(handle, slant);
  const double exact = std::atan2(-38.0, 40.0) * 180 / M_PI + 360;
  EXPECT_NEAR(turned.back()[1].toDouble(), exact, 0.6);
  EXPECT_DOUBLE_EQ(turned.back()[1].toDouble() * 100,
                   std::round(turned.back()[1].toDouble() * 100));
  f.Drag(handle, slant, Qt::ShiftModifier);
  EXPECT_DOUBLE_EQ(turned.back()[1].toDouble(), 315.0);

  // Esc during the drag: reported as cancelled, nothing turned.
  const int before = turned.count();
  f.Drag(handle, centre + QPointF(-40, 0), {}, false);
  EXPECT_DOUBLE_EQ(turning.back()[1].toDouble(), 180.0);
  QTest::keyClick(&f.map, Qt::Key_Escape);
  f.Send(QEvent::MouseButtonRelease, centre + QPointF(-40, 0), {});
  EXPECT_EQ(turned.count(), before);
  ASSERT_EQ(cancelled.count(), 1);
  EXPECT_EQ(cancelled[0][0].toInt(), 1);
  EXPECT_FALSE(f.map.isTurning());

  // A click on the handle is a click: a marker lying under it is chosen.
  const WorldPoint under_handle = f.World(handle);
  std::vector<MapPoint> points = f.map.points();
  points.push_back(TurnPoint(under_handle.x, under_handle.y));
  f.map.setPoints(points);
  QSignalSpy clicked(&f.map, &MapView::pointClicked);
  QTest::mouseClick(&f.map, Qt::LeftButton, {}, handle.toPoint());
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0][0].toInt(), 3);
  EXPECT_EQ(turned.count(), before);
}

TEST(MapTurning, AGroupMembersHandleTurnsTheWholeGroupAboutItsMiddle) {
  SnapFixture f({TurnPoint(0, 0, 10), TurnPoint(50, 50, 0), TurnPoint(100, 0, 350), TurnPoint(300, 300)});
  f.map.setGroup({0, 1, 2});
  f.map.setSelected(1);
  QSignalSpy group_turned(&f.map, &MapView::groupTurned);
  QSignalSpy turned(&f.map, &MapView::pointTurned);
  const QPointF handle = *f.map.turnHandlePosition();
  // The pointer goes a quarter turn on around the group's middle (50, 25).
  const WorldPoint press = f.World(handle);
  const WorldPoint quarter = {50 - (press.y - 25), 25 + (press.x - 50)};
  f.Drag(handle, f.Screen(quarter.x, quarter.y), Qt::ShiftModifier, false);
  // While turning, the members are drawn turned: marker 0 from (0, 0) to (75, -25).
  EXPECT_NEAR(f.World(f.map.screenPosition(0)).x, 75, 0.01);
  EXPECT_NEAR(f.World(f.map.screenPosition(0)).y, -25, 0.01);
  f.Send(QEvent::MouseButtonRelease, f.Screen(quarter.x, quarter.y), Qt::ShiftModifier);
  ASSERT_EQ(group_turned.count(), 1);
  EXPECT_DOUBLE_EQ(group_turned[0][0].toDouble(), 90.0);
  EXPECT_EQ(turned.count(), 0) << "one group turn, no marker turn";
  EXPECT_EQ(f.map.points()[0].x, 0.0) << "the owner moves the points";

  // A turn the other way is reported negative; Esc turns nothing.
  const QPointF back = f.Screen(50 + (press.y - 25), 25 - (press.x - 50));
  f.Drag(handle, back, Qt::ShiftModifier);
  EXPECT_DOUBLE_EQ(group_turned.back()[0].toDouble(), -90.0);
  f.Drag(handle, back, {}, false);
  QTest::keyClick(&f.map, Qt::Key_Escape);
  f.Send(QEvent::MouseButtonRelease, back, {});
  EXPECT_EQ(group_turned.count(), 2);
}

TEST(MapStripMotion, DraggingShowsHowFar) {
  SnapFixture f({TurnPoint(0, 0), TurnPoint(40, 30)});
  MapStrip strip;
  strip.resize(465, 120);
  ConnectMapStrip(f.map, strip);
  f.map.setGridStep(10);
  f.map.setSelected(0);
  const QPointF to = f.Screen(30, 40);
  f.Drag(f.At(0), to, {}, false);
  EXPECT_EQ(strip.motionLabel()->text(),
            QStringLiteral("\u0394X: 30.00   \u0394Y: 40.00   Distance: 50.00"));
  EXPECT_FALSE(strip.motionLabel()->isHidden());
  QTest::keyClick(&f.map, Qt::Key_Escape);
  EXPECT_TRUE(strip.motionLabel()->isHidden());

  // The chooser sets the map's step; a step set by the program reports nothing.
  QSignalSpy chosen(&strip, &MapStrip::gridStepChosen);
  strip.setGridStep(25);
  EXPECT_EQ(chosen.count(), 0);
  EXPECT_EQ(strip.gridStep(), 25);
  emit strip.gridChooser()->activated(1);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(f.map.gridStep(), 0.5);
}

}  // namespace
