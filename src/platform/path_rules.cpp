#include "platform/path_rules.h"

std::string PathSeparator() { return "/"; }

std::string FallbackFolder() { return "/"; }

std::string FolderWithoutTrailingSeparator(std::string folder) {
  // The root keeps its separator.
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}
