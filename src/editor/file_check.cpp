#include "editor/file_check.h"

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"

std::vector<TLoFinding> CheckOpenFile(TLoDocument& document, const TObjCatalogue& catalogue) {
  const std::vector<std::uint8_t> bytes = document.ReadFileBytes();
  return CheckLoFile(bytes, catalogue.ObjLastIndex >= 0 ? &catalogue : nullptr);
}
