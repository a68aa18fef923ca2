#include "settings/map_settings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "errors/app_error.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class MapSettings : public ::testing::Test {
 protected:
  fs::path File() const { return dir_ / "rererarovi" / "maps.ini"; }
  TempDir dir_;
  MapSettingsStore store_{dir_ / "rererarovi" / "maps.ini"};
};

TMapSettings Backdrop(std::string picture, TBackdropEdges edges, int opacity, double grid) {
  TMapSettings settings;
  settings.backdrop = std::move(picture);
  settings.edges = edges;
  settings.opacity = opacity;
  settings.grid_step = grid;
  return settings;
}

void ExpectSame(const TMapSettings& a, const TMapSettings& b) {
  EXPECT_EQ(a.backdrop, b.backdrop);
  EXPECT_EQ(a.edges.left, b.edges.left);
  EXPECT_EQ(a.edges.bottom, b.edges.bottom);
  EXPECT_EQ(a.edges.right, b.edges.right);
  EXPECT_EQ(a.edges.top, b.edges.top);
  EXPECT_EQ(a.opacity, b.opacity);
  EXPECT_EQ(a.grid_step, b.grid_step);
}

TEST_F(MapSettings, EachLoFileKeepsItsOwnBackdropAndGridExactly) {
  ExpectSame(store_.Load("/games/LoTown.dat"), TMapSettings{});
  EXPECT_FALSE(fs::exists(File())) << "a read creates nothing";

  // Paths differing only in letter case, or in odd characters, are other files.
  const fs::path files[] = {"/games/LoTown.dat", "/games/lotown.dat", "/games/[x] ;a=b/Lo%41.dat ",
                            "/games/LOTOWN.DAT"};
  const TMapSettings stored[] = {
      Backdrop("/pics/town.png", {-1024.5, -768, 1024.5, 768.25}, 60, 0.5),
      Backdrop(" spaced \"name\".png", {0.1, 0.2, 0.30000000000000004, 1e-7}, 0, 50),
      Backdrop("", {}, 60, 25),
      Backdrop("/p/x.jpg", {-3e30, -1, 3e30, 1}, 100, 0),
  };
  for (std::size_t i = 0; i < 4; ++i) store_.Save(files[i], stored[i]);
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(files[i].string());
    ExpectSame(store_.Load(files[i]), stored[i]);
  }
  EXPECT_EQ(ReadText(File()).find("zodaZa"), std::string::npos);

  // A relative name reaches the same section as its absolute path.
  const fs::path relative = fs::path("maps") / "LoRel.dat";
  store_.Save(relative, Backdrop("r.png", {0, 0, 1, 1}, 30, 2));
  EXPECT_EQ(store_.Load(fs::current_path() / "maps" / ".." / "maps" / "LoRel.dat").opacity, 30);

  // "Remove" drops the picture's entries; the grid step stays, and the
  // other files keep theirs.
  store_.Save(files[0], Backdrop("", {}, 60, 0.5));
  ExpectSame(store_.Load(files[0]), Backdrop("", {}, 60, 0.5));
  EXPECT_EQ(ReadText(File()).find("town.png"), std::string::npos);
  ExpectSame(store_.Load(files[3]), stored[3]);
}

TEST_F(MapSettings, DamagedValuesTakeTheirDefaultsAndLinesNotOursStay) {
  // The path as it is; the escaped form of earlier versions is read once.
  EXPECT_EQ(MapSettingsSection("/g/[x]%\t/LoA.dat "), "/g/%5bx%5d%25%09/LoA.dat%20");
  const std::string section = "/g/%4co%41.dat";
  fs::create_directories(File().parent_path());
  const std::string hand = "; mine\r\n[other]\r\nkeep=1\r\n[" + section +
                           "]\r\npicture=/p.png\r\nleft=1,5\r\nbottom=0\r\nright=9\r\ntop=nan\r\n"
                           "opacity=250\r\ngrid=3\r\n";
  WriteText(File(), hand);
  const TMapSettings loaded = store_.Load("/g/LoA.dat");
  EXPECT_EQ(loaded.backdrop, "/p.png");
  EXPECT_TRUE(std::isnan(loaded.edges.left)) << "a comma is no decimal point here";
  EXPECT_EQ(loaded.edges.right, 9);
  EXPECT_FALSE(BackdropEdgesProblem(loaded.edges).empty());
  EXPECT_EQ(loaded.opacity, 100);
  EXPECT_EQ(loaded.grid_step, 0) << "3 is none of the steps";

  store_.Save("/g/LoA.dat", Backdrop("/p.png", {1.5, 0, 9, 4}, 100, 5));
  const std::string text = ReadText(File());
  EXPECT_EQ(text.substr(0, 23), "; mine\r\n[other]\r\nkeep=1");
  EXPECT_NE(text.find("\n[/g/LoA.dat]\n"), std::string::npos) << text;
  EXPECT_EQ(text.find(section), std::string::npos) << text;
  ExpectSame(store_.Load("/g/LoA.dat"), Backdrop("/p.png", {1.5, 0, 9, 4}, 100, 5));
}

TEST_F(MapSettings, AnUnreadableFileIsNamedAndNeverReplaced) {
  fs::create_directories(File());  // a folder where the file should be
  try {
    store_.Load("/g/Lo1.dat");
    ADD_FAILURE() << "read a folder as settings";
  } catch (const SettingsReadError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Unable to read " + File().string() + ": ", 0), 0u)
        << error.what();
  }
  EXPECT_THROW(store_.Save("/g/Lo1.dat", TMapSettings{}), SettingsWriteError);
  EXPECT_TRUE(fs::is_directory(File()));
  EXPECT_THROW(store_.Save("/g/Lo1.dat", Backdrop("a\nb.png", {0, 0, 1, 1}, 5, 0)),
               SettingsWriteError);
}

TEST(MapSettingsPath, AFolderOfOurOwnBesideTheSharedSettings) {
  ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(DefaultMapSettingsPath(), fs::path("/cfg/rererarovi/maps.ini"));
  ScopedEnv relative("XDG_CONFIG_HOME", "cfg");
  ScopedEnv home("HOME", "/home/u");
  EXPECT_EQ(DefaultMapSettingsPath(), fs::path("/home/u/.config/rererarovi/maps.ini"));
}

TEST(BackdropEdges, OnlyFiniteEdgesInOrderMakeAPicture) {
  EXPECT_EQ(BackdropEdgesProblem({-1, -1, 1, 1}), "");
  EXPECT_NE(BackdropEdgesProblem({1, -1, 1, 1}), "");
  EXPECT_NE(BackdropEdgesProblem({-1, 1, 1, -1}), "");
  EXPECT_NE(BackdropEdgesProblem({-1, -1, INFINITY, 1}), "");
}

}  // namespace
