#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_host.h"
#include "settings/folder_settings.h"

// A folder prompt that answers from its script (a folder confirms it, nullopt
// cancels) and, once the script is used up, confirms `answer`. It records
// what each run had preselected.
class ScriptedPrompt : public TFolderPrompt {
 public:
  std::deque<std::optional<std::string>> script;
  std::string answer;
  std::vector<std::string> preselected;

  bool Run() override {
    preselected.push_back(SelectedFolder);
    std::optional<std::string> next = answer;
    if (!script.empty()) {
      next = script.front();
      script.pop_front();
    }
    if (next) SelectedFolder = *next;
    return next.has_value();
  }
  std::size_t runs() const { return preselected.size(); }
};

// The desktop as a test scripts it: open-dialog answers are queued in advance
// (none left means a cancel).
class ScriptedHost : public TEditorHost {
 public:
  std::deque<std::optional<std::filesystem::path>> open_answers;
  std::vector<TOpenDialogRequest> open_requests;
  ScriptedPrompt lo_prompt;
  ScriptedPrompt objdat_prompt;
  std::vector<std::string> information;
  std::vector<std::string> questions;
  bool answer_yes = true;  // what every question is answered
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
  bool AskQuestion(const std::string& text) override {
    questions.push_back(text);
    return answer_yes;
  }
  void HideStartupWindow() override { ++startup_hides; }
  void RequestEnd() override { ++end_requests; }
  bool IsEditorVisible() const override { return visible; }
};
