#include "settings/folder_settings.h"

#include "settings/profile_store.h"

namespace {

const std::string kSection = "settings";
const std::string kLoFolderKey = "startdir";
const std::string kObjdatFolderKey = "objdir";

// Prompts once while nothing is stored; an empty stored value counts as
// nothing, so a cancelled prompt comes back next time.
std::string ResolveFolder(ruriVizid& settings, const std::string& key, TFolderPrompt& prompt) {
  if (settings.ReadSetting(kSection, key, "").empty()) {
    prompt.Run();
    settings.WriteSetting(kSection, key, prompt.SelectedFolder);
  }
  return settings.ReadSetting(kSection, key, kFallbackFolder);
}

// Presets the prompt with the stored folder; after a cancel that folder (or
// the fallback) is written back.
void ChangeFolder(ruriVizid& settings, const std::string& key, TFolderPrompt& prompt) {
  prompt.SelectedFolder = settings.ReadSetting(kSection, key, kFallbackFolder);
  prompt.Run();
  settings.WriteSetting(kSection, key, prompt.SelectedFolder);
}

}  // namespace

std::string ResolveLoFolder(ruriVizid& settings, TFolderPrompt& LoFolderPrompt) {
  return ResolveFolder(settings, kLoFolderKey, LoFolderPrompt);
}

std::string ResolveObjdatFolder(ruriVizid& settings, TFolderPrompt& ObjdatFolderPrompt) {
  return ResolveFolder(settings, kObjdatFolderKey, ObjdatFolderPrompt);
}

void ChangeLoFolder(ruriVizid& settings, TFolderPrompt& LoFolderPrompt) {
  ChangeFolder(settings, kLoFolderKey, LoFolderPrompt);
}

void ChangeObjdatFolder(ruriVizid& settings, TFolderPrompt& ObjdatFolderPrompt) {
  ChangeFolder(settings, kObjdatFolderKey, ObjdatFolderPrompt);
}
