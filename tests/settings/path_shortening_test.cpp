#include "settings/path_shortening.h"

#include <gtest/gtest.h>

namespace {

TEST(PathShortening, BackslashPathsDropLeadingFoldersBehindTheDrive) {
  EXPECT_EQ(ShortenPathForStatus(R"(C:\Program Files\Game Folder\Object Files\Lo Files)", '\\'),
            R"(C:\...\Game Folder\Object Files\Lo Files)");
  EXPECT_EQ(ShortenPathForStatus(R"(D:\A very long folder name that exceeds forty\Lo)", '\\'),
            R"(D:\...\Lo)");
  EXPECT_EQ(ShortenPathForStatus(R"(C:\Games\Lo)", '\\'), R"(C:\Games\Lo)");
  // Past "\...\" the drive goes, then the ellipsis itself.
  const std::string name36(36, 'n');
  EXPECT_EQ(ShortenPathForStatus("C:\\Folder\\" + name36, '\\'), "...\\" + name36);
  const std::string name39(39, 'n');
  EXPECT_EQ(ShortenPathForStatus("C:\\Folder\\" + name39, '\\'), name39);
}

TEST(PathShortening, SlashPathsShortenFolderByFolder) {
  EXPECT_EQ(ShortenPathForStatus("/home/user/Program Files/Game Folder/Object Files/Lo Files", '/'),
            "/.../Game Folder/Object Files/Lo Files");
  EXPECT_EQ(ShortenPathForStatus("/home/user/games/lo", '/'), "/home/user/games/lo");
  EXPECT_EQ(ShortenPathForStatus("/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v", '/'),
            "/.../e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v");
  EXPECT_EQ(ShortenPathForStatus("", '/'), "");
}

TEST(PathShortening, ANameLongerThanTheLimitIsNeverCutAndNeverHangs) {
  const std::string name(60, 'n');
  EXPECT_EQ(ShortenPathForStatus("/" + name, '/'), "/" + name);
  EXPECT_EQ(ShortenPathForStatus("C:\\" + name, '\\'), "C:\\" + name);
  EXPECT_EQ(ShortenPathForStatus("/a/b/" + name, '/'), name);
  EXPECT_EQ(ShortenPathForStatus(name, '/'), name);
}

TEST(PathShortening, CountsCharactersNotBytes) {
  // 38 characters, 48 bytes: short enough to be shown whole.
  const std::string path =
      "/home/j\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC/\xC3\xA4\xC3\xA4\xC3\xA4"
      "\xC3\xA4\xC3\xA4/game files/lo files";
  EXPECT_EQ(ShortenPathForStatus(path, '/'), path);
}

}  // namespace
