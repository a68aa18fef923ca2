#pragma once

#include <filesystem>
#include <vector>

#include "editor/backups.h"

class RecordEditor;

// The open file's backup copies, newest first, each compared with the file
// now; none without an open file. Raises InOutError when the folder cannot
// be listed.
std::vector<TBackupCopy> BackupCopies(RecordEditor& editor);

// Writes the copy over the open file, in place, as one step of the history:
// the count drops first and grows last, so it never names a record the file
// lacks, and the file is cut to the copy's length. Checks the file as Save
// does and refuses a copy that is not a Lo file (AppError) before anything
// is written. After a failure memory and rows take what the file holds.
void RestoreBackup(RecordEditor& editor, const std::filesystem::path& copy);
