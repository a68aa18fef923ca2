#pragma once

#include <string>

#include "platform/path_rules.h"

class ruriVizid;

// A modal folder browser. The windows layer gives the real dialog; tests a fake.
class TFolderPrompt {
 public:
  virtual ~TFolderPrompt() = default;
  // The folder the prompt holds; empty at start. Preselected when Run opens.
  std::string SelectedFolder;
  // Shows the prompt; true when the user confirmed an item (SelectedFolder is
  // then replaced), false otherwise (SelectedFolder unchanged).
  virtual bool Run() = 0;
};

// The folder used where no folder is stored: "/" here, "c:\" on Windows.
inline const std::string kFallbackFolder = FallbackFolder();

// Each reads the setting, prompts when it is empty, writes what the prompt
// holds (also after a cancel) and returns the stored value. Write failures
// raise SettingsWriteError; a read that fails raises SettingsReadError before
// any prompt or write.
std::string ResolveLoFolder(ruriVizid& settings, TFolderPrompt& LoFolderPrompt);
std::string ResolveObjdatFolder(ruriVizid& settings, TFolderPrompt& ObjdatFolderPrompt);
void ChangeLoFolder(ruriVizid& settings, TFolderPrompt& LoFolderPrompt);
void ChangeObjdatFolder(ruriVizid& settings, TFolderPrompt& ObjdatFolderPrompt);
