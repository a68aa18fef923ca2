#include "platform/binary_file.h"
#include "platform/file_system.h"
#include "platform/private_files.h"
#include "platform/temporary_file.h"

bool WriteNewFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
  BinaryFile file;
  const std::filesystem::path temporary = CreateTemporaryBeside(target, file);
  bool placed = false;
  try {
    if (!bytes.empty()) file.WriteAt(0, bytes.data(), bytes.size());
    file.Flush();
    placed = RenameIfAbsent(temporary, target);
  } catch (const InOutError&) {
    DiscardTemporary(temporary);
    throw;
  }
  if (!placed) {
    DiscardTemporary(temporary);
    return false;
  }
  // The copy is in place and on disk; a failed close or folder sync cannot take that back.
  try {
    file.Close();
    SyncFolder(target.parent_path());
  } catch (const InOutError&) {
  }
  return true;
}
