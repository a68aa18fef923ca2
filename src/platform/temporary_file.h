#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/binary_file.h"

// Temporary files beside the file they will become, for writes that must
// never leave a file half written.

// Creates a new temporary beside `target` and opens `file` on it: created
// exclusively under an unpredictable name (".<name>.<random>.tmp"), never
// through a link, and marked in use until `file` is closed. Returns its path.
// Raises InOutError when the folder refuses it.
std::filesystem::path CreateTemporaryBeside(const std::filesystem::path& target, BinaryFile& file);

// Removes the temporaries of `target` that no running save holds any more
// (left by a save that was killed). Best effort; never raises.
void RemoveStaleTemporaries(const std::filesystem::path& target);

// Removes a temporary after a failed save; never raises.
void DiscardTemporary(const std::filesystem::path& temporary);

// For tests: the names the next temporaries try, in this order, before random
// ones, so that something can be planted at the very name a save will use.
void PlanTemporaryNames(std::vector<std::string> names);
