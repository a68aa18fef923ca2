#include "settings/folder_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "errors/app_error.h"
#include "settings/profile_store.h"
#include "support/lo_files.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace {

class FolderSettings : public ::testing::Test {
 protected:
  std::string File() const { return ReadText(dir_ / "zodaZa.INI"); }
  TempDir dir_;
  ruriVizid store_{dir_ / "zodaZa.INI"};
  ScriptedPrompt lo_prompt_;
  ScriptedPrompt objdat_prompt_;
};

TEST_F(FolderSettings, FirstResolvePromptsOnceThenUsesTheStoredFolder) {
  lo_prompt_.script = {"/games/lo"};
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "/games/lo");
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "/games/lo");
  EXPECT_EQ(lo_prompt_.preselected, std::vector<std::string>{""});
  objdat_prompt_.script = {"/games/data"};
  EXPECT_EQ(ResolveObjdatFolder(store_, objdat_prompt_), "/games/data");
  EXPECT_EQ(File(), "[settings]\nstartdir=/games/lo\nobjdir=/games/data\n");
}

TEST_F(FolderSettings, CancelledResolveStoresEmptyAndThePromptComesBack) {
  lo_prompt_.script = {std::nullopt, std::nullopt, "/"};
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "");
  EXPECT_EQ(File(), "[settings]\nstartdir=\n");
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "");
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "/");  // the root keeps its separator
  EXPECT_EQ(lo_prompt_.runs(), 3u);
  EXPECT_EQ(File(), "[settings]\nstartdir=/\n");

  // A cancel after an earlier confirm in the same run stores what the prompt still holds.
  objdat_prompt_.SelectedFolder = "/held";
  objdat_prompt_.script = {std::nullopt};
  EXPECT_EQ(ResolveObjdatFolder(store_, objdat_prompt_), "/held");
}

TEST_F(FolderSettings, ChangePresetsTheStoredFolderAndWritesEvenAfterCancel) {
  lo_prompt_.script = {std::nullopt};
  ChangeLoFolder(store_, lo_prompt_);
  EXPECT_EQ(lo_prompt_.preselected, std::vector<std::string>{"/"});  // the fallback
  EXPECT_EQ(File(), "[settings]\nstartdir=/\n");

  WriteText(dir_ / "zodaZa.INI", "[settings]\nobjdir=/game/data\nstartdir=\n");
  objdat_prompt_.script = {std::nullopt, "/other"};
  ChangeObjdatFolder(store_, objdat_prompt_);
  EXPECT_EQ(File(), "[settings]\nobjdir=/game/data\nstartdir=\n");
  ChangeObjdatFolder(store_, objdat_prompt_);
  EXPECT_EQ(objdat_prompt_.preselected, (std::vector<std::string>{"/game/data", "/game/data"}));
  // A stored empty value is preselected as empty, not as the fallback.
  lo_prompt_.script = {"/picked"};
  ChangeLoFolder(store_, lo_prompt_);
  EXPECT_EQ(lo_prompt_.preselected.back(), "");
  EXPECT_EQ(File(), "[settings]\nobjdir=/other\nstartdir=/picked\n");
}

TEST_F(FolderSettings, WriteFailureEndsTheOperation) {
  WriteText(dir_ / "blocker", "");  // a file where the settings folder should be
  ruriVizid store(dir_ / "blocker" / "zodaZa.INI");
  lo_prompt_.script = {"/games/lo"};
  EXPECT_THROW(ResolveLoFolder(store, lo_prompt_), SettingsWriteError);
  EXPECT_THROW(ChangeObjdatFolder(store, objdat_prompt_), SettingsWriteError);
  EXPECT_EQ(lo_prompt_.runs() + objdat_prompt_.runs(), 2u);
}

// A file that is there but cannot be read is not "nothing stored": the read
// error ends the operation before any prompt, and nothing is written.
TEST_F(FolderSettings, ReadFailureEndsTheOperationBeforeThePrompt) {
  std::filesystem::create_directory(dir_ / "zodaZa.INI");  // cannot be read
  for (const auto& operation :
       std::vector<std::function<void()>>{[&] { ResolveLoFolder(store_, lo_prompt_); },
                                          [&] { ResolveObjdatFolder(store_, objdat_prompt_); },
                                          [&] { ChangeLoFolder(store_, lo_prompt_); },
                                          [&] { ChangeObjdatFolder(store_, objdat_prompt_); }}) {
    EXPECT_EQ(MessageOf(operation),
              "Unable to read " + (dir_ / "zodaZa.INI").string() + ": File access denied");
  }
  EXPECT_EQ(lo_prompt_.runs() + objdat_prompt_.runs(), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "zodaZa.INI"));
}

}  // namespace
