#include "platform/whole_file.h"

namespace {

using Step = WholeFileError::Step;

// Bytes read per call at first; doubled while the file goes on.
constexpr std::size_t kFirstReadSize = 4096;

}  // namespace

FileReader::FileReader(const std::filesystem::path& path) {
  try {
    file_.OpenReadOnly(path);
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Open, e);
  }
  // A pipe or device would block or never end.
  if (!file_.IsRegularFile()) throw WholeFileError(Step::Open, InOutError(5), true);
}

std::size_t FileReader::Read(char* buffer, std::size_t size) {
  try {
    const std::size_t got = file_.ReadUpTo(offset_, buffer, size);
    offset_ += got;
    return got;
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Transfer, e);
  }
}

void FileReader::Close() {
  try {
    file_.Close();
  } catch (const InOutError& e) {
    throw WholeFileError(Step::Transfer, e);
  }
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  FileReader file(path);
  std::string bytes;
  std::size_t chunk = kFirstReadSize;
  for (;;) {
    const std::size_t have = bytes.size();
    bytes.resize(have + chunk);
    const std::size_t got = file.Read(bytes.data() + have, chunk);
    bytes.resize(have + got);
    if (got == 0) break;
    if (got == chunk) chunk *= 2;
  }
  file.Close();
  return bytes;
}
