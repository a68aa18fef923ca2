#include "platform/file_lookup.h"

#include "platform/file_system.h"

// The system itself matches names in any letter case: whatever the path
// names is the file, and nothing there means no such name in any case.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& path) {
  if (IdentityAt(path)) return path;
  return std::nullopt;
}
