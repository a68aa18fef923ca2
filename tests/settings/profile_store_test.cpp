#include "settings/profile_store.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "errors/app_error.h"
#include "support/temp_dir.h"

namespace {

class ProfileStore : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return dir_ / "zodaZa.INI"; }
  TempDir dir_;
  ruriVizid store_{dir_ / "zodaZa.INI"};
};

TEST_F(ProfileStore, MissingFileSectionOrKeyGivesDefaultAndEmptyValueIsNotMissing) {
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", "/"), "/");
  EXPECT_FALSE(std::filesystem::exists(File()));
  WriteText(File(), "[settings]\nstartdir=\nobjdir=  /games/data \t\n");
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", "/"), "");
  EXPECT_EQ(store_.ReadSetting("settings", "objdir", "/"), "/games/data");
  EXPECT_EQ(store_.ReadSetting("settings", "other", "d"), "d");
  EXPECT_EQ(store_.ReadSetting("Common", "startdir", "d"), "d");
}

TEST_F(ProfileStore, NamesMatchWithoutCaseAndExistingSpellingStays) {
  WriteText(File(), "[Settings]\nStartDir=/old\nobjdir=/o\n");
  EXPECT_EQ(store_.ReadSetting("SETTINGS", "startdir", ""), "/old");
  store_.WriteSetting("settings", "STARTDIR", "/new");
  EXPECT_EQ(ReadText(File()), "[Settings]\nStartDir=/new\nobjdir=/o\n");
}

TEST_F(ProfileStore, NewSectionsAndKeysGoInTheOrderFirstWritten) {
  store_.WriteSetting("settings", "startdir", "/lo");
  store_.WriteSetting("Common", "Form6", "200,0,1,1,2,3,4");
  store_.WriteSetting("settings", "objdir", "/obj");
  store_.WriteSetting("settings", "startdir", "/lo2");
  EXPECT_EQ(ReadText(File()),
            "[settings]\nstartdir=/lo2\nobjdir=/obj\n[Common]\nForm6=200,0,1,1,2,3,4\n");
}

TEST_F(ProfileStore, HandWrittenFileKeepsEveryLineItDoesNotOwn) {
  const std::string before =
      "; my settings\r\n"
      "global=outside any section\r\n"
      "[Other]\r\n"
      "startdir=/not/mine\r\n"
      "\r\n"
      "[settings]\r\n"
      "  ; keep me\r\n"
      "startdir = /old  \r\n"
      "junk line without equals\r\n"
      "\r\n"
      "[Common]\r\n"
      "Form6Color=255\r\n"
      "Form6Font=Arial\r\n"
      "Left=1";
  WriteText(File(), before);
  store_.WriteSetting("settings", "startdir", "/new");
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
            "[settings]\r\n"
            "  ; keep me\r\n"
            "startdir=/new\n"
            "junk line without equals\r\n"
            "objdir=/obj\n"
            "\r\n"
            "[Common]\r\n"
            "Left=1\n"
            "Form6=200,0,1,1,2,3,4\n");
  EXPECT_EQ(store_.ReadSetting("Other", "startdir", ""), "/not/mine");
}

TEST_F(ProfileStore, ReadsAnyLineEndAndOnlyTheFirstSectionOfAName) {
  WriteText(File(), "[a]\rk=cr\r[b]\r\nk=crlf\r\n[c]\nk=lf\n[a]\nk=second\nx=1\n");
  EXPECT_EQ(store_.ReadSetting("a", "k", ""), "cr");
  EXPECT_EQ(store_.ReadSetting("b", "k", ""), "crlf");
  EXPECT_EQ(store_.ReadSetting("c", "k", ""), "lf");
  EXPECT_EQ(store_.ReadSetting("a", "x", "none"), "none");
  store_.WriteSetting("a", "x", "2");
  EXPECT_EQ(ReadText(File()), "[a]\rk=cr\rx=2\n[b]\r\nk=crlf\r\n[c]\nk=lf\n[a]\nk=second\nx=1\n");
}

TEST_F(ProfileStore, ValuesComeBackExactlyAndLongOnesAreCut) {
  for (const std::string value : {" lead", "trail\t", "\"quoted\"", "'single'", "\"", "a=b;c"}) {
    store_.WriteSetting("s", "k", value);
    EXPECT_EQ(store_.ReadSetting("s", "k", ""), value);
  }
  store_.WriteSetting("s", "k", std::string(3000, 'x'));
  EXPECT_EQ(store_.ReadSetting("s", "k", ""), std::string(2047, 'x'));
  WriteText(File(), "[s]\nk=\"hand quoted\"\n");
  EXPECT_EQ(store_.ReadSetting("s", "k", ""), "hand quoted");
}

TEST_F(ProfileStore, ALineBreakCannotPlantLinesInTheFile) {
  store_.WriteSetting("s", "k", "v");
  EXPECT_THROW(store_.WriteSetting("s", "k", "/a\n[evil]\nx=1"), SettingsWriteError);
  EXPECT_EQ(ReadText(File()), "[s]\nk=v\n");
}

TEST_F(ProfileStore, GarbageFileGivesDefaultsAndKeepsItsBytes) {
  std::string garbage(3 << 20, 'g');
  for (std::size_t i = 0; i < garbage.size(); i += 997) garbage[i] = static_cast<char>(i % 256);
  garbage[5] = '\0';
  WriteText(File(), garbage);
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", "dflt"), "dflt");
  store_.WriteSetting("settings", "startdir", "/lo");
  EXPECT_EQ(store_.ReadSetting("settings", "startdir", ""), "/lo");
  const std::string after = ReadText(File());
  ASSERT_GE(after.size(), garbage.size());
  EXPECT_EQ(after.substr(0, garbage.size()), garbage);
}

TEST_F(ProfileStore, FirstWriteCreatesTheFolderAndAFileAsTheUserWouldExpect) {
  ruriVizid nested(dir_ / "config" / "deeper" / "zodaZa.INI");
  nested.WriteSetting("Common", "Form6", "x");
  EXPECT_EQ(ReadText(dir_ / "config" / "deeper" / "zodaZa.INI"), "[Common]\nForm6=x\n");
  // Only the settings file is left in the folder: no temporary files.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "config" / "deeper"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(ProfileStore, UnreadableFileIsNeverReplaced) {
  std::filesystem::create_directory(File());  // a folder where the file should be
  EXPECT_EQ(store_.ReadSetting("s", "k", "d"), "d");
  try {
    store_.WriteSetting("s", "k", "v");
    FAIL() << "write succeeded";
  } catch (const SettingsWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + File().string());
  }
  store_.DeleteSetting("s", "k");  // silent
  EXPECT_TRUE(std::filesystem::is_directory(File()));
}

TEST(ProfileStoreDeathTest, ReadOnlyFolderOrFileFailsWithThePathAndKeepsTheOldFile) {
  TempDir dir;
  const std::filesystem::path folder = dir / "config";
  const std::filesystem::path file = folder / "zodaZa.INI";
  std::filesystem::create_directory(folder);
  WriteText(file, "[settings]\nstartdir=/old\n");
  // A read-only file in a folder everyone may write to.
  const std::filesystem::path open_folder = dir / "open";
  const std::filesystem::path read_only_file = open_folder / "zodaZa.INI";
  std::filesystem::create_directory(open_folder);
  WriteText(read_only_file, "[settings]\nstartdir=/old\n");
  using std::filesystem::perms;
  // Reachable and readable by everyone, writable by no one but root.
  std::filesystem::permissions(dir.path(), perms::owner_all | perms::others_read |
                                               perms::others_exec | perms::group_read |
                                               perms::group_exec);
  std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec | perms::group_read |
                                           perms::group_exec | perms::others_read |
                                           perms::others_exec);
  std::filesystem::permissions(
      file, perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
  std::filesystem::permissions(read_only_file,
                               perms::owner_read | perms::group_read | perms::others_read);
  const auto write_fails = [](const std::filesystem::path& settings_file) {
    ruriVizid store(settings_file);
    try {
      store.WriteSetting("settings", "startdir", "/new");
    } catch (const SettingsWriteError& e) {
      return std::string(e.what()) == "Unable to write to " + settings_file.string();
    }
    return false;
  };
  EXPECT_EXIT(
      {
        // Opens only "open" to everyone, then switches to an unprivileged user.
        if (!DropPrivilegesForChild(open_folder)) std::exit(2);
        const bool folder_refused = write_fails(file);
        const bool file_refused = write_fails(read_only_file);
        std::exit(folder_refused && file_refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  for (const auto& settings_file : {file, read_only_file}) {
    EXPECT_EQ(ReadText(settings_file), "[settings]\nstartdir=/old\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(settings_file.parent_path()),
                            std::filesystem::directory_iterator()),
              1);
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
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(DefaultSettingsFilePath(), "/h/user/.config/zodaZa.INI");
  if (saved_config) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  if (saved_home) ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
