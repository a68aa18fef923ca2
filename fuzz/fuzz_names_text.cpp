// Feeds a damaged names file and a names text to the import, and checks
// that export then import gives a names file back byte for byte.
// Input: 1 byte entry count K (at most 64), K pairs of bytes (class, type),
// 2 bytes little-endian names-file length N, N bytes of names file, the
// rest is the text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "datafiles/names_text.h"

namespace {

// A name holding a line break cannot stand on one line of the text.
bool FitsOnALine(const std::vector<std::uint8_t>& names, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (!SlotTextAt(names, static_cast<int>(i), text)) return false;
    if (text.find_first_of("\r\n") != std::string::npos) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::size_t count = std::min<std::size_t>(data[0] % 65, (size - 1) / 2);
  std::vector<TObjKind> kinds;
  for (std::size_t i = 0; i < count; ++i) kinds.push_back({data[1 + 2 * i], data[2 + 2 * i]});
  std::size_t at = 1 + 2 * count;
  if (size - at < 2) return 0;
  const std::size_t names_length = std::min<std::size_t>(data[at] | data[at + 1] << 8, size - at - 2);
  at += 2;
  const std::vector<std::uint8_t> names(data + at, data + at + names_length);
  at += names_length;
  const std::string text(reinterpret_cast<const char*>(data + at), size - at);

  // Any text: a whole slot per entry, bytes after the slots kept, every
  // refusal numbered.
  const TNamesImport result = ImportNamesText(text, kinds, names);
  if (result.file.size() < std::max(names.size(), kObjNameSize * count)) std::abort();
  for (std::size_t i = kObjNameSize * count; i < names.size(); ++i) {
    if (result.file[i] != names[i]) std::abort();
  }
  for (const std::string& problem : result.problems) {
    if (problem.rfind("line ", 0) != 0) std::abort();
  }
  // What the import wrote reads back: its export imports without a change.
  if (FitsOnALine(result.file, count)) {
    const TNamesImport again = ImportNamesText(NamesText(kinds, result.file), kinds, result.file);
    if (again.file != result.file || !again.problems.empty()) std::abort();
  }
  // A names file with a slot for every entry comes back byte for byte.
  if (names.size() >= kObjNameSize * count && FitsOnALine(names, count)) {
    const TNamesImport back = ImportNamesText(NamesText(kinds, names), kinds, names);
    if (back.file != names || back.named != 0 || !back.problems.empty()) std::abort();
  }
  return 0;
}
