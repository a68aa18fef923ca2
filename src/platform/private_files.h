#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// Files the program keeps for the user alone (the backup copies of Lo files).
// Every step passes the fault seam and fails with InOutError as BinaryFile does.

// Creates `folder` and any missing folder above it; the folders it creates
// are readable by the user alone (0700).
void MakePrivateFolders(const std::filesystem::path& folder);

struct TFolderFile {
  std::string name;
  std::uint64_t size = 0;
};
// The regular files of `folder` (links and folders left out), unsorted.
std::vector<TFolderFile> RegularFilesIn(const std::filesystem::path& folder);

void RemoveFile(const std::filesystem::path& file);

// Writes `bytes` as the new file `target`: into an exclusive temporary beside
// it, flushed to disk, then renamed into place and the folder synced. Never
// replaces a file: false (and nothing left behind) when `target` exists.
// On failure the temporary is removed and no `target` was made.
bool WriteNewFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// `time` in the local time zone as "2026-12-07T15-04-05" (no colons, so the
// text can be part of a file name anywhere).
std::string LocalTimeStamp(std::time_t time);
