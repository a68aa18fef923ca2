#include "platform/path_rules.h"

std::string PathSeparator() { return "\\"; }

// Three characters with a lower-case drive letter, as the old program stored it.
std::string FallbackFolder() { return "c:\\"; }

std::string FolderWithoutTrailingSeparator(std::string folder) {
  const bool trailing = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  // A drive's root keeps its separator ("C:\"); "C:" alone would mean that
  // drive's current folder.
  const bool drive_root = folder.size() >= 2 && folder[folder.size() - 2] == ':';
  if (trailing && !drive_root) folder.pop_back();
  return folder;
}
