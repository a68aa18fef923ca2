// Feeds arbitrary bytes as objdat.dat (and optionally objdat.nam) to Load.
// Input: 2 bytes little-endian names-file length N (0xFFFF: no names file,
// so Load creates it), N bytes of names file, the rest is the catalogue.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "datafiles/obj_catalogue.h"
#include "errors/app_error.h"
#include "fuzz_temp_dir.h"

namespace {

void CheckCreatedNames(const std::string& names, int count) {
  if (names.size() != 30u * static_cast<std::size_t>(std::max(count, 0))) std::abort();
  const std::string slot = std::string("No Name Entered") + std::string(15, '\0');
  for (std::size_t at = 0; at < names.size(); at += 30) {
    if (names.compare(at, 30, slot) != 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TObjCatalogue catalogue;
  if (size < 2) return 0;
  const std::size_t names_length = data[0] | (data[1] << 8);
  const bool names_given = names_length != 0xFFFF;
  const std::size_t names_size = names_given ? std::min(names_length, size - 2) : 0;
  const std::uint8_t* names = data + 2;
  const std::uint8_t* objdat = names + names_size;
  const std::size_t objdat_size = size - 2 - names_size;

  const std::filesystem::path& dir = FuzzTempDir();
  WriteFuzzFile(dir / "objdat.dat", objdat, objdat_size);
  std::error_code ignored;
  std::filesystem::remove(dir / "objdat.nam", ignored);
  if (names_given) WriteFuzzFile(dir / "objdat.nam", names, names_size);

  int rows = 0;
  try {
    catalogue.Load(dir.string(), {[&] { rows = 0; }, [&](int) { ++rows; }});
  } catch (const AppError&) {
    return 0;
  }
  if (rows != catalogue.ObjLastIndex + 1) std::abort();
  const std::string names_after = ReadFuzzFile(dir / "objdat.nam");
  if (names_given) {
    if (names_after != std::string(reinterpret_cast<const char*>(names), names_size)) std::abort();
  } else {
    CheckCreatedNames(names_after, catalogue.ObjLastIndex + 1);
  }
  // The first entry with a class and type is the one FindName answers with.
  for (int i = 0; i <= std::min<int>(catalogue.ObjLastIndex, 15); ++i) {
    const auto& words = catalogue.ObjEntryTable[static_cast<std::size_t>(i)].words;
    if (words[0] > 255 || words[1] > 255) continue;
    const auto name = catalogue.FindName(static_cast<std::uint8_t>(words[0]),
                                         static_cast<std::uint8_t>(words[1]));
    if (!name || name->size() > 30) std::abort();
  }
  return 0;
}
