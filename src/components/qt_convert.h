#pragma once

#include <QString>
#include <filesystem>
#include <string>

// The one place where the core's standard types meet Qt's.
// Core texts are UTF-8 (messages, paths) or raw 8-bit bytes (file texts).

inline QString ToQString(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string ToStdString(const QString& text) { return text.toStdString(); }

// File texts are single bytes; code page 1252 is what the game's files use,
// Latin-1 is the closest Qt offers without codec tables.
inline QString BytesToQString(const std::string& bytes) { return QString::fromLatin1(bytes); }
inline std::string QStringToBytes(const QString& text) { return text.toLatin1().toStdString(); }

inline QString PathToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}
inline std::filesystem::path QStringToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
}
