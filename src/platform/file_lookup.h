#pragma once

#include <filesystem>
#include <optional>

// Game files often come from a case-insensitive file system, so their names
// may arrive in any case ("OBJDAT.DAT").

// `path` itself when something exists there; otherwise the entry of the same
// folder whose name equals its file name ignoring ASCII case (the first such
// name in byte order when several do); otherwise nothing (also when the
// folder is missing). A folder that exists but cannot be listed raises
// InOutError: the name may well be there, just not visible.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& path);
