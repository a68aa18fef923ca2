#include "settings/window_placement.h"

#include <gtest/gtest.h>

#include "errors/app_error.h"
#include "settings/profile_store.h"
#include "support/temp_dir.h"

namespace {

class WindowPlacement : public ::testing::Test {
 protected:
  void Store(const std::string& value) {
    WriteText(dir_ / "zodaZa.INI", "[Common]\nForm6=" + value + "\n");
  }
  TWindowPlacement Restore(TScreenSize screen = {1920, 1080}) {
    return RestoreEditorPlacement(store_, current_, screen);
  }
  static void ExpectRect(const TWindowPlacement& p, int left, int top, int right, int bottom) {
    EXPECT_EQ(p.normal.left, left);
    EXPECT_EQ(p.normal.top, top);
    EXPECT_EQ(p.normal.right, right);
    EXPECT_EQ(p.normal.bottom, bottom);
  }
  TempDir dir_;
  ruriVizid store_{dir_ / "zodaZa.INI"};
  TWindowPlacement current_{7, 3, {1, 2, 3, 4}};
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
  Store("200,0,1,10,20,830,620");
  const TWindowPlacement p = Restore({800, 600});
  EXPECT_EQ(p.flags, 0);
  EXPECT_EQ(p.show_state, 1);
  ExpectRect(p, -20, 0, 800, 600);
  Store("200,0,1,10,20,830,620,");  // a trailing separator starts no field
  ExpectRect(Restore({800, 600}), -20, 0, 800, 600);
  // Extreme values saturate instead of overflowing.
  Store("200,0,1,-2147483648,0,2147483647,10");
  ExpectRect(Restore({800, 600}), -2147483647 - 1, 0, 800, 10);
}

TEST_F(WindowPlacement, ValuesNotInTheStoredFormatAreIgnoredSilently) {
  for (const std::string value :
       {"", "200,0,1,10,20,830", "201,0,1,10,20,830,620", "200,0,1,10,20,830,620,5",
        "200,0,1,10,20,830,620,,", "200 ,0,1,10,20,830,620", ",200,0,1,10,20,830"}) {
    Store(value);
    const TWindowPlacement p = Restore();
    EXPECT_EQ(p.flags, 7) << value;
    ExpectRect(p, 1, 2, 3, 4);
  }
}

TEST_F(WindowPlacement, FieldThatIsNoWholeNumberRaisesItsText) {
  const auto message_for = [&](const std::string& value) -> std::string {
    Store(value);
    try {
      Restore();
    } catch (const ConvertError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(message_for("200,0,1,x,20,830,620"), "'x' is not a valid integer value");
  // Fields 7, 6, 5, 4 are converted in that order.
  EXPECT_EQ(message_for("200,0,1,a,b,c,d"), "'d' is not a valid integer value");
  EXPECT_EQ(message_for("200,y,1,a,b,c,d"), "'y' is not a valid integer value");
  EXPECT_EQ(message_for("200,0,1,10,,830,620"), "'' is not a valid integer value");
  EXPECT_EQ(message_for("200,0,1,10,20 ,830,620"), "'20 ' is not a valid integer value");
  EXPECT_EQ(message_for("200,0,1,10,1.5,830,620"), "'1.5' is not a valid integer value");
  EXPECT_EQ(message_for("200,0,1,10,-,830,620"), "'-' is not a valid integer value");
  EXPECT_EQ(message_for("200,0,1,10,2147483648,830,620"),
            "'2147483648' is not a valid integer value");
  // Leading blanks and a sign are whole numbers.
  EXPECT_EQ(message_for("200,+0,1,  -10,+20,830,620"), "no error");
  ExpectRect(Restore(), -10, 20, 830, 620);
}

}  // namespace
