// Feeds arbitrary bytes as a Lo file to ReadAll. When the file is accepted,
// writing every record and the header texts back must leave it byte-identical.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "datafiles/lo_document.h"
#include "errors/app_error.h"
#include "fuzz_temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One document for the whole run, as in the program: leftovers of earlier
  // inputs stay in its tables.
  static TLoDocument doc;
  const std::filesystem::path file = FuzzTempDir() / "LoFUZZ.dat";
  WriteFuzzFile(file, data, size);
  try {
    doc.Open(file);
    const int count = doc.ReadAll();
    if (count != doc.LastIndex + 1) std::abort();
    if (doc.NameText().size() > 20 || doc.DescriptionText().size() > 74) std::abort();
    for (int i = 0; i < count; ++i) doc.WriteRecord(i);
    doc.WriteHeaderTexts();
    doc.Close();
    if (ReadFuzzFile(file) != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
  } catch (const AppError&) {
    // Refused or short files are expected here.
  }
  return 0;
}
