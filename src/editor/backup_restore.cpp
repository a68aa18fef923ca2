#include "editor/backup_restore.h"

#include <algorithm>
#include <optional>

#include "editor/record_editor.h"
#include "errors/app_error.h"
#include "platform/whole_file.h"

namespace {

// A restored copy's records go in pieces of this many bytes.
constexpr std::size_t kRestorePiece = 4096;

// The record count a Lo file's bytes declare, when they hold that many records.
std::optional<int> HeldCount(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kFirstRecordOffset) return std::nullopt;
  const int count = static_cast<std::int16_t>(bytes[kCountOffset] | bytes[kCountOffset + 1] << 8);
  if (count < 0 || count > kLoRecordCapacity) return std::nullopt;
  if (bytes.size() < RecordOffset(count)) return std::nullopt;
  return count;
}

// Writes the copy's bytes over the file: the count never names a record
// the file lacks, as it drops first and grows last (taken back in reverse,
// the same holds).
void WriteCopy(TLoDocument& document, TWriteStep& step, const std::vector<std::uint8_t>& bytes,
               int count) {
  const int count_now = document.LastIndex + 1;
  const std::uint64_t length_now = document.FileLength();
  if (count < count_now) document.WriteCount(static_cast<std::int16_t>(count));
  document.WriteBytes(0, {bytes.data(), kCountOffset});
  const std::uint64_t after_count = kCountOffset + kCountWidth;
  document.WriteBytes(after_count, {bytes.data() + after_count, kFirstRecordOffset - after_count});
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
  if (length_now > bytes.size()) {
    document.ShortenTo(bytes.size());
    step.length_after = bytes.size();
  }
  document.TakeFileBytes(0, bytes);
}

}  // namespace

std::vector<TBackupCopy> BackupCopies(RecordEditor& editor) {
  TLoDocument& document = editor.FileDocument();
  if (!document.IsOpen()) return {};
  return editor.Recorder().Backups().Copies(document.ReadFileBytes());
}

void RestoreBackup(RecordEditor& editor, const std::filesystem::path& copy) {
  TLoDocument& document = editor.FileDocument();
  document.CheckStillAtPath();
  const std::string text = ReadWholeFile(copy);
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  const std::optional<int> count = HeldCount(bytes);
  if (!count) {
    throw AppError(copy.filename().string() + " is not a copy of a Lo file; nothing was restored");
  }
  TWriteRecorder& recorder = editor.Recorder();
  const int shown = editor.View().SelectedRow();
  const int row = std::min(shown, *count - 1);
  recorder.Run(
      [&] {
        try {
          WriteCopy(document, *recorder.Recording(), bytes, *count);
        } catch (...) {
          // Memory and rows take what the file holds now.
          try {
            document.TakeFileBytes(0, document.ReadFileBytes());
          } catch (const AppError&) {
          }
          editor.AgreeWithFile();
          throw;
        }
      },
      [&](TWriteStep& step) {
        step.kind = TStepKind::RestoreBackup;
        step.description = "Restore of a Backup";
        step.row_before = shown;
        step.row_after = row;
      });
  editor.ShowFileAt(row);
}
