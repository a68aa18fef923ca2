#include "settings/folder_settings.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "errors/app_error.h"
#include "settings/profile_store.h"
#include "support/temp_dir.h"

namespace {

// Confirms or cancels as scripted, and remembers what each run had preselected.
class ScriptedPrompt : public TFolderPrompt {
 public:
  // A folder confirms that folder; nullopt cancels.
  void Next(std::optional<std::string> answer) { script_.push_back(std::move(answer)); }
  bool Run() override {
    preselected.push_back(SelectedFolder);
    if (script_.empty()) ADD_FAILURE() << "prompt shown without a scripted answer";
    std::optional<std::string> answer = script_.empty() ? std::nullopt : script_.front();
    if (!script_.empty()) script_.pop_front();
    if (answer) SelectedFolder = *answer;
    return answer.has_value();
  }
  std::vector<std::string> preselected;

 private:
  std::deque<std::optional<std::string>> script_;
};

class FolderSettings : public ::testing::Test {
 protected:
  std::string File() const { return ReadText(dir_ / "zodaZa.INI"); }
  TempDir dir_;
  ruriVizid store_{dir_ / "zodaZa.INI"};
  ScriptedPrompt lo_prompt_;
  ScriptedPrompt objdat_prompt_;
};

TEST_F(FolderSettings, FirstResolvePromptsOnceThenUsesTheStoredFolder) {
  lo_prompt_.Next("/games/lo");
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "/games/lo");
  EXPECT_EQ(lo_prompt_.preselected, std::vector<std::string>{""});
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "/games/lo");
  EXPECT_EQ(lo_prompt_.preselected.size(), 1u);

  objdat_prompt_.Next("/games/data");
  EXPECT_EQ(ResolveObjdatFolder(store_, objdat_prompt_), "/games/data");
  EXPECT_EQ(File(), "[settings]\nstartdir=/games/lo\nobjdir=/games/data\n");
}

TEST_F(FolderSettings, CancelledResolveStoresEmptyAndThePromptComesBack) {
  lo_prompt_.Next(std::nullopt);
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "");
  EXPECT_EQ(File(), "[settings]\nstartdir=\n");
  lo_prompt_.Next(std::nullopt);
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "");
  EXPECT_EQ(lo_prompt_.preselected.size(), 2u);
  lo_prompt_.Next("/");  // the root keeps its separator
  EXPECT_EQ(ResolveLoFolder(store_, lo_prompt_), "/");
  EXPECT_EQ(File(), "[settings]\nstartdir=/\n");

  // A cancel after an earlier confirm in the same run stores what the prompt still holds.
  objdat_prompt_.SelectedFolder = "/held";
  objdat_prompt_.Next(std::nullopt);
  EXPECT_EQ(ResolveObjdatFolder(store_, objdat_prompt_), "/held");
}

TEST_F(FolderSettings, ChangePresetsTheStoredFolderAndWritesEvenAfterCancel) {
  lo_prompt_.Next(std::nullopt);
  ChangeLoFolder(store_, lo_prompt_);
  EXPECT_EQ(lo_prompt_.preselected, std::vector<std::string>{"/"});
  EXPECT_EQ(File(), "[settings]\nstartdir=/\n");

  WriteText(dir_ / "zodaZa.INI", "[settings]\nobjdir=/game/data\n");
  objdat_prompt_.Next(std::nullopt);
  ChangeObjdatFolder(store_, objdat_prompt_);
  EXPECT_EQ(objdat_prompt_.preselected, std::vector<std::string>{"/game/data"});
  EXPECT_EQ(File(), "[settings]\nobjdir=/game/data\n");

  objdat_prompt_.Next("/other");
  ChangeObjdatFolder(store_, objdat_prompt_);
  EXPECT_EQ(File(), "[settings]\nobjdir=/other\n");

  // A stored empty value is preselected as empty, not as the fallback.
  WriteText(dir_ / "zodaZa.INI", "[settings]\nstartdir=\n");
  lo_prompt_.Next("/picked");
  ChangeLoFolder(store_, lo_prompt_);
  EXPECT_EQ(lo_prompt_.preselected.back(), "");
  EXPECT_EQ(File(), "[settings]\nstartdir=/picked\n");
}

TEST_F(FolderSettings, WriteFailureEndsTheOperation) {
  std::filesystem::create_directory(dir_ / "zodaZa.INI");  // cannot be read or replaced
  lo_prompt_.Next("/games/lo");
  EXPECT_THROW(ResolveLoFolder(store_, lo_prompt_), SettingsWriteError);
  objdat_prompt_.Next("/x");
  EXPECT_THROW(ChangeObjdatFolder(store_, objdat_prompt_), SettingsWriteError);
}

}  // namespace
