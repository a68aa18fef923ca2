#include "support/temp_dir.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
#ifdef _WIN32
  // No mkdtemp here: a random name, created only when it is free.
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const fs::path candidate = fs::temp_directory_path() / ("lo-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) path_ = candidate;
  }
  if (path_.empty()) throw std::runtime_error("no temporary folder");
#else
  std::string pattern = (fs::temp_directory_path() / "lo-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
#endif
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Give back write permission that a test may have taken away, then remove.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

void WriteBytes(const fs::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

Bytes ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& file, const std::string& text) {
  WriteBytes(file, Bytes(text.begin(), text.end()));
}

std::string ReadText(const fs::path& file) {
  const Bytes bytes = ReadBytes(file);
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
  for (std::size_t i = 0; i < text.size(); ++i)
    bytes.at(offset + i) = static_cast<std::uint8_t>(text[i]);
}

void MakeReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool DropPrivilegesForChild(const fs::path& tree_to_open) {
  std::error_code ignored;
  fs::permissions(tree_to_open, fs::perms::others_all, fs::perm_options::add, ignored);
  for (auto& entry : fs::recursive_directory_iterator(tree_to_open, ignored)) {
    if (entry.is_directory()) {
      fs::permissions(entry.path(), fs::perms::others_all, fs::perm_options::add, ignored);
    }
  }
#ifdef _WIN32
  // No superuser's override to drop: scripts/test runs these tests as a
  // user without it (the read-only attribute then holds).
  return true;
#else
  if (::geteuid() != 0) return true;
  return ::setgid(65534) == 0 && ::setuid(65534) == 0;
#endif
}
