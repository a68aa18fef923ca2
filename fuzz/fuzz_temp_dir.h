#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

// One scratch folder per fuzzing process, made on first use and removed at
// exit. The path is never destroyed, so the exit handler can still use it.
inline const std::filesystem::path& FuzzTempDir() {
  static const std::filesystem::path* dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "lo-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ::abort();
    auto* made = new std::filesystem::path(pattern);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(FuzzTempDir(), ignored);
    });
    return made;
  }();
  return *dir;
}

inline void WriteFuzzFile(const std::filesystem::path& file, const std::uint8_t* data,
                          std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) ::abort();
}

inline std::string ReadFuzzFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
