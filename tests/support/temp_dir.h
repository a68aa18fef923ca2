#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& file, const Bytes& bytes);
Bytes ReadBytes(const std::filesystem::path& file);
void WriteText(const std::filesystem::path& file, const std::string& text);
std::string ReadText(const std::filesystem::path& file);

// Little-endian helpers for building test files byte by byte.
void PutU16(Bytes& bytes, std::size_t offset, std::uint16_t value);
void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value);
void PutF32(Bytes& bytes, std::size_t offset, float value);
void PutText(Bytes& bytes, std::size_t offset, const std::string& text);

// Takes every write permission away from `file` (r--r--r--).
void MakeReadOnly(const std::filesystem::path& file);
// The names of the entries of `folder`, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);

// For permission tests under root (CI runs as root): call inside a gtest
// death-test body (EXPECT_EXIT), which runs in a forked child. Opens the
// folder tree to everyone, then switches the child to the user "nobody".
// Returns false when that is not possible.
bool DropPrivilegesForChild(const std::filesystem::path& tree_to_open);
