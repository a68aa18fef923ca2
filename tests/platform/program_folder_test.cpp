#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(NotesLocation, BesideAWritableProgramElseInTheUsersDataFolder) {
  const fs::path bin = "/opt/lo/bin";
  const auto choose = [&](bool writable, const char* xdg, const char* home) {
    return ChooseNotesFilePath(bin, writable, xdg, home);
  };
  EXPECT_EQ(choose(true, "/data", "/home/u"), "/opt/lo/bin/loinfo.txt");
  EXPECT_EQ(choose(false, "/data", "/home/u"), "/data/rererarovi/loinfo.txt");
  // An unset, empty or relative XDG_DATA_HOME means ~/.local/share.
  for (const char* xdg : {static_cast<const char*>(nullptr), "", "data"}) {
    EXPECT_EQ(choose(false, xdg, "/home/u"), "/home/u/.local/share/rererarovi/loinfo.txt");
  }
  // Nowhere else to go: beside the program, where the save reports the folder.
  EXPECT_EQ(choose(false, nullptr, nullptr), "/opt/lo/bin/loinfo.txt");
}

TEST(NotesLocation, SavingCreatesOnlyTheUsersDataFolderForThePrivateUse) {
  TempDir dir;
  const ScopedEnv xdg("XDG_DATA_HOME", (dir / "share").c_str());
  const fs::path data_folder = dir / "share" / "rererarovi";

  // Another missing folder stays missing: the save reports it.
  PrepareNotesFolder(dir / "elsewhere" / "loinfo.txt");
  EXPECT_FALSE(fs::exists(dir / "elsewhere"));
  EXPECT_FALSE(fs::exists(dir / "share"));

  PrepareNotesFolder(data_folder / "loinfo.txt");
  ASSERT_TRUE(fs::is_directory(data_folder));
  EXPECT_EQ(fs::status(data_folder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(data_folder / "loinfo.txt"));  // the file comes with the save

  // An existing folder keeps the permissions its owner gave it.
  fs::permissions(data_folder,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  PrepareNotesFolder(data_folder / "loinfo.txt");
  EXPECT_EQ(fs::status(data_folder).permissions() & fs::perms::all,
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

}  // namespace
