#include "settings/profile_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "errors/app_error.h"
#include "platform/file_faults.h"
#include "support/lo_files.h"

namespace {

namespace fs = std::filesystem;

class ProfileStore : public ::testing::Test {
 protected:
  fs::path File() const { return dir_ / "zodaZa.INI"; }
  TempDir dir_;
  ruriVizid store_{dir_ / "zodaZa.INI"};
};

TEST_F(ProfileStore, MissingFileSectionOrKeyGivesDefaultAndEmptyValueIsNotMissing) {
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", "/"), "/");
  EXPECT_FALSE(fs::exists(File()));
  WriteText(File(), "[settings]\nstartdir=\nobjdir=  /games/data \t\nq=\"hand quoted\"\n");
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", "/"), "");
  EXPECT_EQ(store_.ReadSetting("settings", "objdir", "/"), "/games/data");
  EXPECT_EQ(store_.ReadSetting("settings", "q", ""), "hand quoted");
  EXPECT_EQ(store_.ReadSetting("settings", "other", "d"), "d");
  EXPECT_EQ(store_.ReadSetting("Common", "startdir", "d"), "d");
  store_.WriteSetting("s", "k", std::string(3000, 'x'));
  EXPECT_EQ(store_.ReadSetting("s", "k", ""), std::string(2047, 'x'));
}

TEST_F(ProfileStore, HandWrittenFileKeepsEveryLineItDoesNotOwn) {
  WriteText(File(),
            "; my settings\r\n"
            "global=outside any section\r\n"
            "[Other]\r\n"
            "startdir=/not/mine\r\n"
            "\r\n"
            "[Settings]\r\n"
            "  ; keep me\r\n"
            "StartDir = /old  \r\n"
            "junk line without equals\r\n"
            "\r\n"
            "[Common]\r\n"
            "Form6Color=255\r\n"
            "Form6Font=Arial\r\n"
            "Left=1");
  store_.WriteSetting("SETTINGS", "startdir", "/new");  // in place, in the file's spelling
  store_.WriteSetting("settings", "objdir", "/obj");
  store_.WriteSetting("Common", "Form6", "200,0,1,1,2,3,4");
  store_.DeleteSetting("Common", "Form6Color");
  store_.DeleteSetting("Common", "Form6Font");
  store_.DeleteSetting("Common", "Form6Missing");
  store_.DeleteSetting("Nowhere", "Form6");
  EXPECT_EQ(ReadText(File()),
            "; my settings\r\n"
            "global=outside any section\r\n"
            "[Other]\r\n"
            "startdir=/not/mine\r\n"
            "\r\n"
            "[Settings]\r\n"
            "  ; keep me\r\n"
            "StartDir=/new\n"
            "junk line without equals\r\n"
            "objdir=/obj\n"
            "\r\n"
            "[Common]\r\n"
            "Left=1\n"
            "Form6=200,0,1,1,2,3,4\n");
}

// Saved by a Windows text editor: the UTF-8 mark before the first section
// leaves that section readable and is kept.
TEST_F(ProfileStore, AByteOrderMarkDoesNotHideTheFirstSection) {
  WriteText(File(), "\xEF\xBB\xBF[settings]\r\nstartdir=/old\r\n");
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", "d"), "/old");
  store_.WriteSetting("settings", "startdir", "/new");
  EXPECT_EQ(ReadText(File()), "\xEF\xBB\xBF[settings]\r\nstartdir=/new\n");
}

TEST_F(ProfileStore, GarbageFileGivesDefaultsAndKeepsItsBytes) {
  std::string garbage(3 << 20, 'g');  // one line of several megabytes
  for (std::size_t i = 0; i < garbage.size(); i += 997) garbage[i] = static_cast<char>(i % 256);
  garbage[5] = '\0';
  WriteText(File(), garbage);
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", "dflt"), "dflt");
  store_.WriteSetting("settings", "startdir", "/lo");
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", ""), "/lo");
  EXPECT_EQ(ReadText(File()).substr(0, garbage.size()), garbage);
}

TEST_F(ProfileStore, FirstWriteCreatesTheFolderAndEntriesGoInTheOrderFirstWritten) {
  const fs::path file = dir_ / "config" / "deeper" / "zodaZa.INI";
  ruriVizid nested(file);
  nested.WriteSetting("settings", "startdir", "/lo");
  nested.WriteSetting("Common", "Form6", "200,0,1,1,2,3,4");
  nested.WriteSetting("settings", "objdir", "/obj");
  nested.WriteSetting("settings", "startdir", "/lo2");
  EXPECT_EQ(ReadText(file),
            "[settings]\nstartdir=/lo2\nobjdir=/obj\n[Common]\nForm6=200,0,1,1,2,3,4\n");
  EXPECT_EQ(NamesIn(file.parent_path()),
            std::vector<std::string>{"zodaZa.INI"});  // no temporary file
}

TEST_F(ProfileStore, UnreadableFileIsNeverReplacedAndLineBreaksAreRefused) {
  store_.WriteSetting("s", "k", "v");
  const std::string failure = "Unable to write to " + File().string();
  EXPECT_EQ(MessageOf([&] { store_.WriteSetting("s", "k", "/a\n[evil]\nx=1"); }), failure);
  EXPECT_EQ(ReadText(File()), "[s]\nk=v\n");

  fs::remove(File());
  fs::create_directory(File());  // a folder where the file should be
  EXPECT_EQ(MessageOf([&] { store_.ReadSetting("s", "k", "d"); }),
            "Unable to read " + File().string() + ": File access denied");
  EXPECT_EQ(MessageOf([&] { store_.WriteSetting("s", "k", "v"); }), failure);
  store_.DeleteSetting("s", "k");  // silent
  EXPECT_TRUE(fs::is_directory(File()));
}

// A dotfile manager's link made before the first save: written through, the
// target created beside its own folder's files, the link left a link. The
// same through a chain of two links, each relative to its own folder: every
// link stays a link and only the last target holds the entries.
TEST_F(ProfileStore, ALinkOrAChainOfLinksToAFileNotYetThereIsWrittenThrough) {
  const fs::path target = dir_ / "dotfiles" / "config" / "zodaZa.INI";
  const fs::path middle = dir_ / "stow" / "zodaZa.INI";
  fs::create_directories(target.parent_path());
  fs::create_directories(middle.parent_path());
  for (const bool chain : {false, true}) {
    fs::remove(File());
    fs::remove(target);
    if (chain) {
      fs::create_symlink("../dotfiles/config/zodaZa.INI", middle);
      fs::create_symlink("stow/zodaZa.INI", File());
    } else {
      fs::create_symlink("dotfiles/config/zodaZa.INI", File());
    }
    store_.WriteSetting("settings", "startdir", "/lo");
    store_.WriteSetting("settings", "objdir", "/obj");
    EXPECT_TRUE(fs::is_symlink(File())) << chain;
    EXPECT_EQ(ReadText(target), "[settings]\nstartdir=/lo\nobjdir=/obj\n") << chain;
    EXPECT_EQ(NamesIn(target.parent_path()), std::vector<std::string>{"zodaZa.INI"}) << chain;
  }
  EXPECT_TRUE(fs::is_symlink(middle));
  EXPECT_EQ(fs::read_symlink(middle), "../dotfiles/config/zodaZa.INI");
  EXPECT_EQ(NamesIn(middle.parent_path()), std::vector<std::string>{"zodaZa.INI"});
}

// A settings file that is there but cannot be read: the message names it and
// the reason, whatever the reason, and the file is left as it was.
TEST(ProfileStoreDeathTest, AFailedReadNamesTheFileAndTheReason) {
  TempDir dir;
  const fs::path file = dir / "zodaZa.INI";
  const std::string unable = "Unable to read " + file.string() + ": ";
  const std::string stored = "[settings]\nstartdir=/old\n";
  WriteText(file, stored);
  ruriVizid store(file);
  const auto read = [&] { store.ReadSetting("settings", "startdir", "d"); };

  file_faults::Reset();
  read();
  const std::vector<FileOperation> operations = file_faults::Operations();
  const auto first_read = std::find(operations.begin(), operations.end(), FileOperation::Read);
  ASSERT_NE(first_read, operations.end());
  file_faults::Reset();
  file_faults::FailWithSystemError(int(first_read - operations.begin()) + 1, EIO);
  EXPECT_EQ(MessageOf(read), unable + "I/O error 5");
  file_faults::Reset();

  // Root reads whatever the permission bits say: the user's own process does not.
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(dir.path(), fs::perms::others_read | fs::perms::others_exec,
                  fs::perm_options::add);
  fs::create_directory(dir / "child");
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir / "child")) std::exit(2);
        std::exit(MessageOf(read) == unable + "File access denied" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadText(file), stored);
}

TEST(ProfileStoreDeathTest, ReadOnlyFileFailsButAWritableFileInAReadOnlyFolderIsRewrittenInPlace) {
  TempDir dir;
  // A file everyone may write in a folder nobody may write to, and a read-only
  // file in a folder everyone may write to.
  const fs::path in_locked = dir / "locked" / "zodaZa.INI";
  const fs::path read_only = dir / "open" / "zodaZa.INI";
  for (const fs::path& file : {in_locked, read_only}) {
    fs::create_directory(file.parent_path());
    WriteText(file, "[settings]\nstartdir=/old\n");
    fs::permissions(file, fs::perms::others_read | fs::perms::others_write, fs::perm_options::add);
  }
  MakeReadOnly(read_only);
  const fs::perms locked_mode = fs::status(in_locked).permissions();
  fs::permissions(dir.path(), fs::perms::others_read | fs::perms::others_exec,
                  fs::perm_options::add);
  fs::permissions(in_locked.parent_path(), fs::perms::owner_read | fs::perms::owner_exec |
                                               fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(read_only.parent_path())) std::exit(2);
        ruriVizid locked_store(in_locked);
        ruriVizid read_only_store(read_only);
        locked_store.WriteSetting("settings", "startdir", "/new");
        const bool refused = MessageOf([&] {
                               read_only_store.WriteSetting("settings", "startdir", "/new");
                             }) == "Unable to write to " + read_only.string();
        std::exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadText(in_locked), "[settings]\nstartdir=/new\n");
  EXPECT_EQ(fs::status(in_locked).permissions(), locked_mode);
  EXPECT_EQ(ReadText(read_only), "[settings]\nstartdir=/old\n");
  for (const fs::path& file : {in_locked, read_only}) {
    EXPECT_EQ(NamesIn(file.parent_path()).size(), 1u);
  }
}

TEST(SettingsFilePath, ConfigHomeElseHomeConfig) {
  const char* saved_config = std::getenv("XDG_CONFIG_HOME");
  const char* saved_home = std::getenv("HOME");
  const std::string config = saved_config ? saved_config : "";
  const std::string home = saved_home ? saved_home : "";
  ::setenv("XDG_CONFIG_HOME", "/x/conf", 1);
  ::setenv("HOME", "/h/user", 1);
  EXPECT_EQ(DefaultSettingsFilePath(), "/x/conf/zodaZa.INI");
  ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(DefaultSettingsFilePath(), "/h/user/.config/zodaZa.INI");
  if (saved_config) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  if (saved_home) ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
