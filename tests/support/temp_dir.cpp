#include "support/temp_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sys/types.h>
#include <fstream>
#include <stdexcept>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lo-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = buffer.data();
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Give back write permission that a test may have taken away, then remove.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

Bytes ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
  WriteBytes(file, Bytes(text.begin(), text.end()));
}

std::string ReadText(const std::filesystem::path& file) {
  Bytes bytes = ReadBytes(file);
  return std::string(bytes.begin(), bytes.end());
}

void PutU16(Bytes& bytes, std::size_t offset, std::uint16_t value) {
  bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
  bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutF32(Bytes& bytes, std::size_t offset, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(bytes, offset, bits);
}

void PutText(Bytes& bytes, std::size_t offset, const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(text[i]);
}

bool PermissionsAreBypassed() { return ::geteuid() == 0; }

bool DropPrivilegesForChild(const std::filesystem::path& tree_to_open) {
  std::error_code ignored;
  std::filesystem::permissions(tree_to_open, std::filesystem::perms::others_all,
                               std::filesystem::perm_options::add, ignored);
  for (auto& entry : std::filesystem::recursive_directory_iterator(tree_to_open, ignored)) {
    if (entry.is_directory()) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::others_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  if (::geteuid() != 0) return true;
  return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}
