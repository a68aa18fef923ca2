#pragma once

#include <array>
#include <bit>
#include <cstdint>

// Fields in the game's files are little-endian whatever the host is; floats
// travel as their four stored bytes (a signalling NaN stays one).
namespace little_endian {

inline std::uint16_t LoadU16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline void StoreU16(std::uint8_t* bytes, std::uint16_t value) {
  bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline std::uint32_t LoadU32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) |
         (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline void StoreU32(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::array<std::uint8_t, 4> U32Bytes(std::uint32_t value) {
  std::array<std::uint8_t, 4> bytes{};
  StoreU32(bytes.data(), value);
  return bytes;
}

inline std::array<std::uint8_t, 4> FloatBytes(float value) {
  return U32Bytes(std::bit_cast<std::uint32_t>(value));
}

inline float FloatFromBytes(const std::array<std::uint8_t, 4>& bytes) {
  return std::bit_cast<float>(LoadU32(bytes.data()));
}

}  // namespace little_endian
