// The exact text form both ways. Any input, read as text, is refused with a
// line error or read into bytes that print and read back the same. Read as a
// Lo file the editor opens (count 0..256, every counted record present), the
// bytes printed as exact text must read back to the very same bytes. The
// file check takes any bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "datafiles/lo_check.h"
#include "datafiles/lo_document.h"
#include "datafiles/lo_file_bytes.h"
#include "datafiles/lo_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  try {
    const std::vector<std::uint8_t> file = LoFileFromExactText(text);
    if (LoFileFromExactText(LoFileToExactText(file)) != file) std::abort();
  } catch (const LoTextError&) {
    // Not a Lo file's text: refused with the line, as expected.
  }
  try {
    const std::vector<TRecordBytes> records = ParseRecordLines(text);
    if (ParseRecordLines(ExactRecordLines(records)) != records) std::abort();
  } catch (const LoTextError&) {
  }

  // The file check reads any bytes; each finding names a record or the file.
  for (const TLoFinding& finding : CheckLoFile(bytes, nullptr)) {
    if (finding.record < -1 || finding.record >= kLoRecordCapacity || finding.text.empty()) {
      std::abort();
    }
  }

  if (CountInFile(bytes).fit != TCountFit::Holds) return 0;
  if (LoFileFromExactText(LoFileToExactText(bytes)) !=
      std::vector<std::uint8_t>(bytes.begin(), bytes.end())) {
    std::abort();
  }
  return 0;
}
