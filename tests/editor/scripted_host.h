#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/record_editor.h"
#include "settings/folder_settings.h"

// A folder prompt that confirms a preset answer and counts its runs.
class ScriptedPrompt : public TFolderPrompt {
 public:
  std::string answer;
  int runs = 0;
  bool Run() override {
    ++runs;
    SelectedFolder = answer;
    return true;
  }
};

// The desktop as a test scripts it: open-dialog answers are queued in advance.
class ScriptedHost : public TEditorHost {
 public:
  std::deque<std::optional<std::filesystem::path>> open_answers;
  std::vector<TOpenDialogRequest> open_requests;
  ScriptedPrompt lo_prompt;
  ScriptedPrompt objdat_prompt;
  std::vector<std::string> information;
  int startup_hides = 0;
  int end_requests = 0;
  bool visible = true;

  std::optional<std::filesystem::path> RunOpenDialog(const TOpenDialogRequest& request) override {
    open_requests.push_back(request);
    if (open_answers.empty()) return std::nullopt;
    auto answer = open_answers.front();
    open_answers.pop_front();
    return answer;
  }
  TFolderPrompt& LoFolderPrompt() override { return lo_prompt; }
  TFolderPrompt& ObjdatFolderPrompt() override { return objdat_prompt; }
  void ShowInformation(const std::string& text) override { information.push_back(text); }
  void HideStartupWindow() override { ++startup_hides; }
  void RequestEnd() override { ++end_requests; }
  bool IsEditorVisible() const override { return visible; }
};
