#include "platform/file_lookup.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>

#include "platform/file_system.h"

namespace {

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

bool MeansMissing(const std::error_code& error) {
  return error.value() == ENOENT || error.value() == ENOTDIR;
}

}  // namespace

std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& path) {
  if (IdentityAt(path)) return path;
  CountFileOperation(FileOperation::Lookup);
  const std::string wanted = path.filename().string();
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  std::filesystem::directory_iterator entries(folder, error);
  if (error) {
    if (MeansMissing(error)) return std::nullopt;
    throw FileError(error.value(), folder);
  }
  std::string best;
  // Stepping with an error code: a folder that vanishes midway is no match, not a throw.
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const std::string name = entries->path().filename().string();
    if (SameIgnoringAsciiCase(name, wanted) && (best.empty() || name < best)) best = name;
  }
  if (best.empty()) return std::nullopt;
  return path.parent_path() / best;
}
