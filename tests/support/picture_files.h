#pragma once

// Picture files for the map's backdrop tests, built with Qt: plain ones with
// known colours, and ones that must be refused; and the memory they take.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// Four quadrants: red top left, green top right, blue bottom left, yellow
// bottom right.
inline QImage Quadrants(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::black);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2;
      const bool bottom = y >= height / 2;
      image.setPixelColor(x, y,
                          bottom ? (right ? Qt::yellow : Qt::blue) : (right ? Qt::green : Qt::red));
    }
  }
  return image;
}

inline std::uint32_t Crc32(const QByteArray& bytes) {
  std::uint32_t crc = 0xffffffffu;
  for (char c : bytes) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline QByteArray BigEndian(std::uint32_t value) {
  QByteArray bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (24 - 8 * i));
  return bytes;
}

inline QByteArray Chunk(const char* type, const QByteArray& data) {
  const QByteArray body = QByteArray(type) + data;
  return BigEndian(static_cast<std::uint32_t>(data.size())) + body + BigEndian(Crc32(body));
}

// A valid PNG header claiming `width` x `height` RGBA pixels of `depth`
// bits a channel, with a few bytes of image data: the shape of a
// decompression bomb.
inline QByteArray PngClaiming(std::uint32_t width, std::uint32_t height, char depth = 8) {
  QByteArray header = BigEndian(width) + BigEndian(height);
  header += depth;
  header += QByteArray("\x06\x00\x00\x00", 4);
  return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) +
         Chunk("IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + Chunk("IEND", {});
}

inline void WriteFile(const std::filesystem::path& file, const QByteArray& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.constData(), bytes.size());
}

// Half of a PNG of noise: its header reads, its pixels do not.
inline QByteArray DamagedPng() {
  QImage image(64, 64, QImage::Format_RGB32);
  std::uint32_t seed = 1;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, seed = seed * 1664525u + 1013904223u);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.left(bytes.size() / 2);
}

// The peak of this process's resident memory since the last reset, in kB.
inline long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

inline void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Colours that differ little in each channel (a line or blending over them).
inline bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 50 && std::abs(a.green() - b.green()) < 50 &&
         std::abs(a.blue() - b.blue()) < 50;
}
