#include "map/map_tools.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using Kind = MapReport::Kind;

void PrintTo(const MapReport& r, std::ostream* os) {
  *os << "{kind " << static_cast<int>(r.kind) << ", index " << r.index << ", at (" << r.at.x << ", "
      << r.at.y << "), from (" << r.from.x << ", " << r.from.y << "), by (" << r.dx << ", " << r.dy
      << "), angle " << r.angle << "}";
}

namespace {

// The gestures on a 400 x 300 map at one pixel per unit, the world's origin
// in the middle, without any widget. A click selects what it chooses unless
// `refuse` is set, as the editor window does.
struct Tools : MapReports {
  MapState state;
  MapTools tools{state, *this};
  std::vector<MapReport> reports;
  bool refuse = false;

  explicit Tools(std::vector<WorldPoint> points, double grid = 0.0) {
    for (const WorldPoint& p : points) state.points.push_back({p.x, p.y, 0.0, 0, {}});
    state.group.assign(points.size(), false);
    state.transform.SetViewport(400, 300);
    state.transform.SetView({0.0, 0.0}, 1.0);
    state.grid_step = grid;
  }
  void Report(const MapReport& report) override {
    reports.push_back(report);
    if (report.kind == Kind::Clicked && !refuse) state.selected = report.index;
  }
  void Group(std::vector<int> members) {
    for (int m : members) state.group[static_cast<std::size_t>(m)] = true;
    state.group_size = static_cast<int>(members.size());
  }
  MapPointer At(double x, double y, bool shift = false, bool alt = false) const {
    const ScreenPoint s = state.transform.ToScreen({x, y});
    return {{s.x, s.y}, shift, alt};
  }
  std::vector<MapReport> Take() { return std::exchange(reports, {}); }
  void Click(double x, double y, bool shift = false) {
    tools.Press(At(x, y, shift));
    tools.Release(At(x, y, shift));
  }
  // Pressed at `from`, past the drag distance, then at `to`.
  void DragTo(WorldPoint from, WorldPoint to, bool shift = false, bool alt = false) {
    tools.Press(At(from.x, from.y, shift, alt));
    tools.Move(At(from.x + 20, from.y, shift, alt));
    tools.Move(At(to.x, to.y, shift, alt));
  }
  std::vector<Kind> Kinds() {
    std::vector<Kind> kinds;
    for (const MapReport& r : Take()) kinds.push_back(r.kind);
    return kinds;
  }
};

MapReport Clicked(int index) { return MapReport::Of(Kind::Clicked, index); }

TEST(MapTools, ClicksChooseTheTopMarkerStepThroughAStackAndToggleWithShift) {
  Tools t({{0, 0}, {1, 0}, {2, 1}, {100, 100}});
  const std::vector<int> expected = {2, 1, 0, 2, 1};
  for (int want : expected) {
    t.Click(1, 0);
    EXPECT_EQ(t.Take(), std::vector<MapReport>{Clicked(want)});
  }
  // Elsewhere first, then back: the selected marker wins the first click.
  t.Click(-100, -100);
  t.Click(1, 0);
  EXPECT_EQ(t.Take(), std::vector<MapReport>{Clicked(1)});

  t.Click(100, 100, /*shift=*/true);
  t.Click(-50, -50, /*shift=*/true);  // empty space: an area of nothing
  EXPECT_EQ(t.Kinds(), (std::vector<Kind>{Kind::Toggled, Kind::AreaSelected}));
}

TEST(MapTools, DragsLandOnTheGridUnlessAltAndEscPutsThemBack) {
  struct Case {
    const char* what;
    std::vector<int> group;
    bool alt;
    MapReport release;
  };
  // Grabbed 0.4 right of the marker at (10, 0); the pointer goes to (23.3, 6.6).
  const std::vector<Case> cases = {
      {"a marker snaps", {}, false, MapReport::At(Kind::Dragged, {25, 5}, 0)},
      {"Alt frees it", {}, true, MapReport::At(Kind::Dragged, {22.9, 6.6}, 0)},
      {"the group keeps its shape about the grabbed one",
       {0, 1},
       false,
       MapReport::By(Kind::GroupMoved, 15, 5)},
  };
  for (const Case& c : cases) {
    Tools t({{10, 0}, {3, 3}}, /*grid=*/5.0);
    t.state.selected = 0;
    t.Group(c.group);
    t.DragTo({10.4, 0}, {23.3, 6.6}, false, c.alt);
    t.Take();
    t.tools.Release(t.At(23.3, 6.6));
    const std::vector<MapReport> got = t.Take();
    ASSERT_EQ(got.size(), 2u) << c.what;
    EXPECT_EQ(got[0].kind, Kind::MotionEnded) << c.what;
    EXPECT_EQ(got[1].kind, c.release.kind) << c.what;
    EXPECT_NEAR(got[1].at.x + got[1].dx, c.release.at.x + c.release.dx, 1e-9) << c.what;
    EXPECT_NEAR(got[1].at.y + got[1].dy, c.release.at.y + c.release.dy, 1e-9) << c.what;
  }

  Tools t({{10, 0}}, 5.0);
  t.state.selected = 0;
  t.DragTo({10, 0}, {30, 30});
  EXPECT_TRUE(t.tools.Dragging());
  EXPECT_TRUE(t.tools.Key(MapKey::Escape, false));
  t.tools.Release(t.At(30, 30));
  EXPECT_EQ(t.Kinds(), (std::vector<Kind>{Kind::DragMotion, Kind::DragMotion, Kind::MotionEnded}));
}

TEST(MapTools, DraggingAnotherMarkerSelectsItFirstAndARefusalStopsTheDrag) {
  Tools t({{0, 0}, {50, 0}});
  t.state.selected = 1;
  t.DragTo({0, 0}, {10, 10});
  EXPECT_EQ(t.Kinds(), (std::vector<Kind>{Kind::Clicked, Kind::DragMotion, Kind::DragMotion}));
  t.tools.Release(t.At(10, 10));
  t.Take();

  t.refuse = true;
  t.DragTo({50, 0}, {60, 10});
  t.tools.Release(t.At(60, 10));
  EXPECT_EQ(t.Take(), std::vector<MapReport>{Clicked(1)}) << "no drag of a marker not selected";

  // The points change under a drag (a record removed): the drag ends, nothing moves.
  t.DragTo({0, 0}, {10, 10});
  t.state.points.pop_back();
  t.state.points.pop_back();
  t.tools.StateChanged();
  t.tools.Release(t.At(10, 10));
  EXPECT_EQ(t.Kinds(), (std::vector<Kind>{Kind::DragMotion, Kind::DragMotion, Kind::MotionEnded}));
}

TEST(MapTools, TheHandleTurnsSnapsWithShiftAndEscPutsTheAngleBack) {
  Tools t({{0, 0}, {40, 0}});
  t.state.selected = 0;  // R 0: the handle is 17 pixels right of the marker
  t.tools.Press(t.At(17, 0));
  t.tools.Move(t.At(17, 1));  // a wobble turns nothing
  t.tools.Move(t.At(10, 11, /*shift=*/true));
  EXPECT_TRUE(t.tools.Turning());
  t.tools.Release(t.At(10, 11));
  EXPECT_EQ(t.Take(),
            (std::vector<MapReport>{
                MapReport::Angle(Kind::TurnMotion, 45), MapReport::Angle(Kind::Turning, 45, 0),
                MapReport::Of(Kind::MotionEnded), MapReport::Angle(Kind::Turned, 45, 0)}));

  t.state.points[0].angle = 90;  // the handle is now above
  t.tools.Press(t.At(0, 17));
  t.tools.Move(t.At(-10, 0));
  t.tools.Key(MapKey::Escape, false);
  t.tools.Release(t.At(-10, 0));
  EXPECT_EQ(t.Kinds(), (std::vector<Kind>{Kind::TurnMotion, Kind::Turning, Kind::TurnCancelled,
                                          Kind::MotionEnded}));

  // A group turns about the middle of its extent: (20, 0).
  t.Group({0, 1});
  t.tools.Press(t.At(0, 17));  // at 139.6 degrees from the middle
  t.tools.Move(t.At(20, -20));
  t.tools.Release(t.At(20, -20));
  const std::vector<MapReport> got = t.Take();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2].kind, Kind::GroupTurned);
  EXPECT_NEAR(got[2].angle, 130.36, 0.01);
}

TEST(MapTools, KeysNudgeOntoTheGridAndEscEndsTheGroupThenTheOverlay) {
  Tools t({{3.2, 0}, {9, 9}}, /*grid=*/5.0);
  EXPECT_TRUE(t.tools.Key(MapKey::Right, false));
  EXPECT_TRUE(t.Take().empty()) << "nothing selected";
  t.state.selected = 0;
  t.tools.Key(MapKey::Right, false);
  t.tools.Key(MapKey::Left, true);
  const std::vector<MapReport> nudges = t.Take();
  ASSERT_EQ(nudges.size(), 2u);
  EXPECT_NEAR(nudges[0].dx, 1.8, 1e-9);    // to 5
  EXPECT_NEAR(nudges[1].dx, -48.2, 1e-9);  // ten steps left: to 0, then nine more
  t.Group({0, 1});
  t.tools.Key(MapKey::Up, false);
  t.tools.Key(MapKey::Escape, false);
  EXPECT_EQ(t.Kinds(), (std::vector<Kind>{Kind::GroupMoved, Kind::GroupCleared}));

  t.state.group_size = 0;
  EXPECT_FALSE(t.tools.Key(MapKey::Escape, false)) << "nothing to end: the key is not used";
  t.state.overlay_shown = true;
  EXPECT_TRUE(t.tools.Key(MapKey::Escape, false));
  EXPECT_EQ(t.Kinds(), std::vector<Kind>{Kind::OverlayEnd});
}

TEST(MapTools, PickingPasteHereAndDropsReportWorldPoints) {
  Tools t({{0, 0}});
  t.state.picking_point = true;
  t.Click(0, 0);  // on a marker, yet only the point counts
  t.tools.Paste().Open(t.At(-30, 40).position);
  t.tools.Paste().Choose();
  EXPECT_EQ(t.Take(), (std::vector<MapReport>{MapReport::At(Kind::Picked, {0, 0}),
                                              MapReport::At(Kind::PasteHere, {-30, 40})}));
  const QSizeF area(400, 300);
  EXPECT_EQ(DropLanding(t.state, {399, 0}, area)->x, 199);
  EXPECT_FALSE(DropLanding(t.state, {400, 10}, area)) << "just outside the map";
  EXPECT_FALSE(DropLanding(t.state, {10, -1}, area));
}

}  // namespace
