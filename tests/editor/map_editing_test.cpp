// The editor's side of the map: the points it draws, the legend, a marker
// click, and moving the selected record by dragging or nudging.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "editor/map_points.h"
#include "support/editor_world.h"

namespace {

// Class 1 has two types: its class-only name is the first entry's.
class MapEditingTest : public ::testing::Test, protected EditorWorld {
 protected:
  MapEditingTest() : EditorWorld({{0, 0, "Marker"}, {1, 2, "Birch"}, {1, 1, "Pine"}}) {}

  std::vector<TMapRecordPoint> Points() const {
    return MapRecordPoints(session.Document(), session.Catalogue(), view,
                           session.View().DecimalSeparator());
  }
  bool Marked(TField field) const { return view.Highlight(field) == THighlight::Modified; }
};

TEST_F(MapEditingTest, MoveSetsXAndYAsTypingDoesAndWritesOnlyOnSave) {
  Open(NumberedRecords(4));
  const Bytes original = File();
  Click(2);
  session.Placing().MoveSelectedRecord(12.346, -7.004);

  EXPECT_EQ(view.Text(TField::X), "12.35");
  EXPECT_EQ(view.Text(TField::Y), "-7.00");
  EXPECT_TRUE(Marked(TField::X) && Marked(TField::Y));
  EXPECT_FALSE(Marked(TField::Z) || Marked(TField::Class) || Marked(TField::Density));
  EXPECT_TRUE(view.SaveEnabled());
  EXPECT_EQ(view.SelectedRow(), 2);
  EXPECT_EQ(File(), original) << "the map never writes";

  session.Records().CommitRecord(TCommitTarget::SelectedRow);
  Bytes expected = original;
  const Bytes x = FloatBytes(12.35f);
  const Bytes y = FloatBytes(-7.0f);
  std::copy(x.begin(), x.end(), expected.begin() + 100 + 2 * 20 + 3);
  std::copy(y.begin(), y.end(), expected.begin() + 100 + 2 * 20 + 7);
  EXPECT_EQ(File(), expected);
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_FALSE(Marked(TField::X));
}

TEST_F(MapEditingTest, MoveUsesTheUsersSeparatorAndRefusesWhatTheFieldsCannotHold) {
  session.View().SetDecimalSeparator(',');
  Open(NumberedRecords(3));
  session.Placing().MoveSelectedRecord(5.0, 5.0);
  EXPECT_EQ(view.Text(TField::X), "0,0") << "no row selected: nothing moves";
  EXPECT_FALSE(view.SaveEnabled());

  Click(1);
  session.Placing().MoveSelectedRecord(1.5, -0.001);
  EXPECT_EQ(view.Text(TField::X), "1,50");
  EXPECT_EQ(view.Text(TField::Y), "0,00") << "no sign on a zero";
  session.Records().CommitRecord(TCommitTarget::SelectedRow);
  EXPECT_EQ(Slice(File(), 123, 4), FloatBytes(1.5f));

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double refused[][2] = {{nan, 1.0},
                               {1.0, INFINITY},
                               {1e39, 0.0},
                               {-123456789.5, 0.0},  // "-1,2345679E8" is 12 characters
                               {0.0, 1e308}};
  for (const auto& move : refused) {
    session.Placing().MoveSelectedRecord(move[0], move[1]);
    EXPECT_EQ(view.Text(TField::X), "1,50") << move[0];
    EXPECT_EQ(view.Text(TField::Y), "0,00") << move[1];
  }
  EXPECT_FALSE(view.SaveEnabled());
  // Large values in the exponent form still fit and read back.
  session.Placing().MoveSelectedRecord(2e9, 0.0);
  EXPECT_EQ(view.Text(TField::X), "2E9");
  session.Records().CommitRecord(TCommitTarget::SelectedRow);
  EXPECT_EQ(Slice(File(), 123, 4), FloatBytes(2e9f));
}

TEST_F(MapEditingTest, ChoosingAMarkerSelectsItsRowAndDropsUnsavedEdits) {
  Open(NumberedRecords(4));
  Click(1);
  Type(TField::Class, "9");
  session.Placing().ChooseRecord(3);
  EXPECT_EQ(view.SelectedRow(), 3);
  EXPECT_EQ(view.Text(TField::RecordNo), "3");
  EXPECT_EQ(view.Text(TField::X), "3.25");
  EXPECT_FALSE(view.SaveEnabled());
  EXPECT_FALSE(Marked(TField::Class));
  session.Placing().ChooseRecord(4);  // no such row
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(view.Text(TField::RecordNo), "3");
}

TEST_F(MapEditingTest, PointsFollowTheRecordsAndTheSelectedRecordsFields) {
  std::vector<TLoRecord> records = NumberedRecords(3);
  records[2].x = std::numeric_limits<float>::infinity();
  records[2].z = std::bit_cast<float>(0x7FA00000u);  // a signalling NaN
  Open(records);

  std::vector<TMapRecordPoint> points = Points();
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[1].x, 1.25);
  EXPECT_EQ(points[1].y, -1.0);
  EXPECT_EQ(points[1].r, 90.0);
  EXPECT_EQ(points[1].object_class, 1);
  EXPECT_EQ(points[1].tip,
            "Rec# 1   Class 1   Type 1   Pine\nX 1.25   Y -1.00   Z 10.00   R 90.00");
  EXPECT_TRUE(std::isinf(points[2].x));
  EXPECT_EQ(points[2].tip.substr(points[2].tip.find('\n') + 1),
            "X INF   Y -2.00   Z NAN   R 90.00");

  // Typing moves the selected marker while the text reads as a number.
  Click(1);
  Type(TField::X, "40.5");
  Type(TField::Y, "-");
  points = Points();
  EXPECT_EQ(points[1].x, 40.5);
  EXPECT_EQ(points[1].y, -1.0) << "a text that is no number leaves the stored value";
  EXPECT_EQ(points[0].x, 0.25);

  // Add Object puts a new record at the origin.
  session.Records().AddObject();
  points = Points();
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[3].x, 0.0);
  EXPECT_EQ(points[3].y, 0.0);
}

TEST_F(MapEditingTest, LegendListsTheClassesPresentWithClassOnlyNames) {
  std::vector<TLoRecord> records = NumberedRecords(3);  // classes 0, 1, 2
  records.push_back(records[1]);
  Open(records);
  const std::vector<TMapLegendItem> items = MapLegendItems(session.Document(), session.Catalogue());
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].text, "0: Marker");
  EXPECT_EQ(items[1].text, "1: Birch") << "the first entry of the class, whatever its type";
  EXPECT_EQ(items[2].text, "2");
  EXPECT_EQ(ClassOnlyName(session.Catalogue(), 7), "");
}

}  // namespace
