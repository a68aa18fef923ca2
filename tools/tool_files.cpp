#include "tool_files.h"

#include <optional>
#include <vector>

#include "platform/file_lookup.h"
#include "platform/whole_file.h"

bool LoadCatalogueWithoutCreating(const std::string& folder, TObjCatalogue& catalogue) {
  const std::filesystem::path exact_path = TObjCatalogue::CataloguePath(folder);
  const std::optional<std::filesystem::path> catalogue_path = FindIgnoringCase(exact_path);
  if (catalogue_path) {
    std::filesystem::path names_path = *catalogue_path;
    names_path.replace_extension(".nam");
    if (!FindIgnoringCase(names_path)) return false;
  }
  catalogue.Load(folder, {}, TObjCatalogue::Access::ReadOnly);
  return true;
}

TLoFileParts ReadLoFileParts(const std::filesystem::path& path) {
  const std::string bytes = ReadWholeFile(path);
  return SplitLoFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}
