#include "editor/backup_restore.h"

#include <algorithm>
#include <optional>

#include "datafiles/lo_document.h"
#include "datafiles/lo_file_bytes.h"
#include "editor/editor_view.h"
#include "editor/write_recorder.h"
#include "editor/write_transaction.h"
#include "errors/app_error.h"
#include "platform/whole_file.h"

namespace {

// A restored copy's records go in pieces of this many bytes.
constexpr std::size_t kRestorePiece = 4096;

// The record count a Lo file's bytes declare, when they hold that many records.
std::optional<int> HeldCount(const std::vector<std::uint8_t>& bytes) {
  const TCountInFile found = CountInFile(bytes);
  if (found.fit != TCountFit::Holds) return std::nullopt;
  return found.count;
}

}  // namespace

// The count never names a record the file lacks, as it drops first and
// grows last (taken back in reverse, the same holds).
void WriteCopy(TLoDocument& document, const std::vector<std::uint8_t>& bytes, int count) {
  const int count_now = document.LastIndex + 1;
  const std::uint64_t length_now = document.FileLength();
  if (count < count_now) document.WriteCount(static_cast<std::int16_t>(count));
  document.WriteBytes(0, {bytes.data(), kCountOffset});
  document.WriteBytes(kReservedOffset,
                      {bytes.data() + kReservedOffset, kFirstRecordOffset - kReservedOffset});
  // Past the copy's end, zeros up to the file's end, so that the bytes cut
  // off below are in the step for its undo.
  const std::uint64_t end = std::max<std::uint64_t>(bytes.size(), length_now);
  std::vector<std::uint8_t> piece;
  for (std::uint64_t at = kFirstRecordOffset; at < end; at += kRestorePiece) {
    piece.assign(std::min<std::uint64_t>(kRestorePiece, end - at), 0);
    if (at < bytes.size()) {
      std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                  std::min<std::uint64_t>(piece.size(), bytes.size() - at), piece.begin());
    }
    document.WriteBytes(at, piece);
  }
  if (count > count_now) document.WriteCount(static_cast<std::int16_t>(count));
  if (length_now > bytes.size()) document.ShortenTo(bytes.size());
}

TBackupKeeper& TBackupRestore::Keeper() { return recorder_.Backups(); }

std::vector<TBackupCopy> TBackupRestore::Copies() {
  if (!document_.IsOpen()) return {};
  return recorder_.Backups().Copies(document_.ReadFileBytes());
}

void TBackupRestore::Restore(const std::filesystem::path& copy) {
  document_.CheckStillAtPath();
  const std::string text = ReadWholeFile(copy);
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  const std::optional<int> count = HeldCount(bytes);
  if (!count) {
    throw AppError(copy.filename().string() + " is not a copy of a Lo file; nothing was restored");
  }
  const int shown = view_.SelectedRow();
  transaction_.Run({TStepKind::RestoreBackup, "Restore of a Backup", shown,
                    std::min(shown, *count - 1), TFieldsAfter::StoredRecord},
                   [&](TLoDocument& document) { WriteCopy(document, bytes, *count); });
}
