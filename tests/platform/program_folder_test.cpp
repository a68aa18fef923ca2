#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(UserDataFolder, FollowsXdgDataHomeElseTheHomeFolder) {
  EXPECT_EQ(UserDataFolder("/data", "/home/u"), "/data/rererarovi");
  // An unset, empty or relative XDG_DATA_HOME means ~/.local/share.
  for (const char* xdg : {static_cast<const char*>(nullptr), "", "data"}) {
    EXPECT_EQ(UserDataFolder(xdg, "/home/u"), "/home/u/.local/share/rererarovi");
  }
  EXPECT_EQ(UserDataFolder(nullptr, nullptr), fs::path());
}

TEST(UserDataFolder, CreatedForTheUsersEyesOnlyAndAnExistingOneKeepsItsPermissions) {
  TempDir dir;
  const fs::path folder = dir / "share" / "rererarovi";
  CreatePrivateFolders(folder);
  ASSERT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);

  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  CreatePrivateFolders(folder);
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all,
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

}  // namespace
