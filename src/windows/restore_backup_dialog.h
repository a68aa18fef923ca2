#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "editor/backups.h"

class QWidget;

// "Open" > "Restore a Backup...": a modal list of the open file's copies,
// newest first (when the file was opened, size, records that differ from the
// file now), and where they are kept. The chosen copy, or nothing on Cancel.
std::optional<std::filesystem::path> ChooseBackupCopy(QWidget* parent,
                                                      const std::vector<TBackupCopy>& copies,
                                                      const std::filesystem::path& folder);
