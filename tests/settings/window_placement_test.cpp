#include "settings/window_placement.h"

#include <gtest/gtest.h>

#include "settings/profile_store.h"
#include "support/lo_files.h"

namespace {

class WindowPlacement : public ::testing::Test {
 protected:
  // The placement restored from `value` on an 800 x 600 screen, as
  // "flags,show,left,top,right,bottom", or the error's message.
  std::string Restored(const std::string& value) {
    WriteText(dir_ / "zodaZa.INI", "[Common]\nForm6=" + value + "\n");
    std::string shown;
    const std::string message = MessageOf([&] {
      const TWindowPlacement p = RestoreEditorPlacement(store_, {7, 3, {1, 2, 3, 4}}, {800, 600});
      for (int n :
           {p.flags, p.show_state, p.normal.left, p.normal.top, p.normal.right, p.normal.bottom}) {
        shown += (shown.empty() ? "" : ",") + std::to_string(n);
      }
    });
    return message == "no error" ? shown : message;
  }
  TempDir dir_;
  ruriVizid store_{dir_ / "zodaZa.INI"};
};

TEST_F(WindowPlacement, SaveWritesTheValueThenRemovesColourAndFont) {
  WriteText(
      dir_ / "zodaZa.INI",
      "[Common]\nform6color=255\nForm6=old\nOther=1\nFORM6FONT=Arial\n[settings]\nstartdir=/\n");
  SaveEditorPlacement(store_, {0, 1, {289, 157, 1096, 760}});
  EXPECT_EQ(ReadText(dir_ / "zodaZa.INI"),
            "[Common]\nForm6=200,0,1,289,157,1096,760\nOther=1\n[settings]\nstartdir=/\n");
  SaveEditorPlacement(store_, {2, 2, {-5, -6, 100, 200}});
  EXPECT_EQ(store_.ReadSetting("Common", "Form6", ""), "200,2,2,-5,-6,100,200");
}

TEST_F(WindowPlacement, RectanglePastTheScreenIsMovedBackKeepingItsSize) {
  EXPECT_EQ(Restored("200,0,1,10,20,830,620"), "0,1,-20,0,800,600");
  EXPECT_EQ(Restored("200,0,1,10,20,830,620,"), "0,1,-20,0,800,600");  // no field after a last ","
  EXPECT_EQ(Restored("200,2,3,  -10,+20,30,40"), "2,3,-10,20,30,40");
  // Extreme values saturate instead of overflowing.
  EXPECT_EQ(Restored("200,0,1,-2147483648,0,2147483647,10"), "0,1,-2147483648,0,800,10");
}

TEST_F(WindowPlacement, ValuesNotInTheStoredFormatAreIgnoredSilently) {
  for (const std::string value :
       {"", "200,0,1,10,20,830", "201,0,1,10,20,830,620", "200,0,1,10,20,830,620,5",
        "200,0,1,10,20,830,620,,", "200 ,0,1,10,20,830,620", ",200,0,1,10,20,830"}) {
    EXPECT_EQ(Restored(value), "7,3,1,2,3,4") << value;
  }
}

TEST_F(WindowPlacement, FieldThatIsNoWholeNumberRaisesItsTextInConversionOrder) {
  EXPECT_EQ(Restored("200,0,1,x,20,830,620"), "'x' is not a valid integer value");
  EXPECT_EQ(Restored("200,0,1,a,b,c,d"), "'d' is not a valid integer value");  // 7, 6, 5, 4
  EXPECT_EQ(Restored("200,y,z,a,b,c,d"), "'y' is not a valid integer value");
  for (const std::string field : {"", "20 ", "1.5", "-", "2147483648"}) {
    EXPECT_EQ(Restored("200,0,1,10," + field + ",830,620"),
              "'" + field + "' is not a valid integer value");
  }
}

TEST(OpeningPlacement, AMinimisedWindowOpensAsItWouldComeBack) {
  const TWindowRect r{10, 20, 830, 620};
  EXPECT_EQ(OpeningPlacement({0, 2, r}), (TWindowPlacement{0, 1, r}));
  EXPECT_EQ(OpeningPlacement({2, 2, r}), (TWindowPlacement{2, 3, r}));  // minimised from maximised
  EXPECT_EQ(OpeningPlacement({0, 3, r}), (TWindowPlacement{0, 3, r}));
  EXPECT_EQ(OpeningPlacement({0, 1, r}), (TWindowPlacement{0, 1, r}));
}

}  // namespace
