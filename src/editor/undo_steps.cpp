// The undo side of the record editor: recording the writes of a command as
// one step, applying a step back or again, the dropped edits of a record,
// and the backup copies.

#include <algorithm>
#include <numeric>

#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "editor/record_editor.h"
#include "platform/whole_file.h"

namespace {

// A restored copy's records go in pieces of this many bytes.
constexpr std::size_t kRestorePiece = 4096;

// What the user knows the byte at `offset` as.
std::string PartAt(std::uint64_t offset) {
  if (offset >= kFirstRecordOffset) {
    return "Record " + std::to_string((offset - kFirstRecordOffset) / kRecordSize);
  }
  if (offset < kCountOffset) return "The Lo file name";
  if (offset < kCountOffset + 2) return "The record count";
  if (offset < FieldInfo(TField::Description).offset) return "The file header";
  return "The Lo file description";
}

AppError ChangedOutside(const std::string& part, const std::filesystem::path& file, bool undo) {
  return AppError(part + " of " + file.filename().string() +
                  " was changed outside the editor; nothing was " + (undo ? "undone" : "redone"));
}

// The record count a Lo file's bytes declare, when they hold that many records.
std::optional<int> HeldCount(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kFirstRecordOffset) return std::nullopt;
  const int count = static_cast<std::int16_t>(bytes[kCountOffset] | bytes[kCountOffset + 1] << 8);
  if (count < 0 || count > kLoRecordCapacity) return std::nullopt;
  if (bytes.size() < kFirstRecordOffset + kRecordSize * static_cast<std::size_t>(count)) {
    return std::nullopt;
  }
  return count;
}

}  // namespace

void RecordEditor::RunRecorded(const std::function<void()>& command,
                               const std::function<void(TWriteStep&)>& describe) {
  recording_.emplace();
  document_.ObserveWrites(
      [this](std::uint64_t offset, std::span<const std::uint8_t> before,
             std::span<const std::uint8_t> after) { RecordWrite(offset, before, after); });
  try {
    command();
  } catch (...) {
    // The writes made so far, and the one that failed, stay in the history.
    FinishRecording(describe);
    throw;
  }
  FinishRecording(describe);
}

// Runs just before each write, after the bytes it replaces were read.
void RecordEditor::RecordWrite(std::uint64_t offset, std::span<const std::uint8_t> before,
                               std::span<const std::uint8_t> after) {
  TWriteStep& step = *recording_;
  if (step.writes.empty()) {
    // A failed copy is told and never stops the write.
    if (std::optional<std::string> message = backups_.BeforeWrite()) {
      host_.ShowInformation(*message);
    }
    step.length_before = document_.FileLength();
    step.length_after = step.length_before;
  }
  step.Add(offset, before.data(), after.data(), before.size());
  step.length_after = std::max<std::uint64_t>(step.length_after, offset + after.size());
}

void RecordEditor::FinishRecording(const std::function<void(TWriteStep&)>& describe) {
  document_.ObserveWrites({});
  TWriteStep step = std::move(*recording_);
  recording_.reset();
  if (!step.WritesFile()) return;
  describe(step);
  if (step_listener_) step_listener_(std::move(step));
}

// "Move of record 3" when the record was moved on the map and only X and Y
// changed, else "Save of record 3".
void RecordEditor::DescribeSave(TWriteStep& step, int index) const {
  step.row_before = step.row_after = index;
  if (index < 0) {
    step.description = "Save of the name and description";
    return;
  }
  const std::uint64_t base = kFirstRecordOffset + kRecordSize * static_cast<std::uint64_t>(index);
  const auto in_position = [&](std::uint64_t offset) {
    for (TField field : {TField::X, TField::Y}) {
      const TFieldInfo& info = FieldInfo(field);
      if (offset >= base + info.offset && offset < base + info.offset + info.width) return true;
    }
    return false;
  };
  bool moved = false, other = false;
  for (const TStepWrite& write : step.writes) {
    for (std::size_t i = 0; i < write.width; ++i) {
      if (step.before[write.at + i] == step.after[write.at + i]) continue;
      (in_position(write.offset + i) ? moved : other) = true;
    }
  }
  step.kind = moved_on_map_ && moved && !other ? TStepKind::Move : TStepKind::Save;
  step.description =
      (step.kind == TStepKind::Move ? "Move of record " : "Save of record ") + IntegerText(index);
}

// The user leaves a record with edits not saved: they go into the history.
void RecordEditor::NoteDroppedEdits(int next_row) {
  if (!view_.SaveEnabled() || !step_listener_) return;
  auto edits = std::make_shared<TDroppedEdits>();
  edits->row = fields_row_;
  edits->next_row = next_row;
  for (const TFieldInfo& info : kFieldTable) {
    if (info.kind == TFieldKind::RecordNumber || !info.IsText()) continue;
    edits->texts[FieldIndex(info.field)] = view_.Text(info.field);
    edits->highlights[FieldIndex(info.field)] = view_.Highlight(info.field);
  }
  edits->state_index = view_.StateIndex();
  edits->state_highlight = view_.StateHighlight();
  TWriteStep step;
  step.kind = TStepKind::DroppedEdits;
  step.description =
      fields_row_ < 0 ? "edits of the fields" : "edits of record " + IntegerText(fields_row_);
  step.row_before = fields_row_;
  step.row_after = next_row;
  step.edits = std::move(edits);
  step_listener_(std::move(step));
}

void RecordEditor::UndoStep(const TWriteStep& step) { ApplyStep(step, true); }

void RecordEditor::RedoStep(const TWriteStep& step) { ApplyStep(step, false); }

void RecordEditor::ApplyStep(const TWriteStep& step, bool undo) {
  if (!step.WritesFile()) {
    if (!step.edits) return;
    if (undo) return ShowDroppedEdits(*step.edits);
    view_.SetSelectedRow(std::min<int>(step.edits->next_row, document_.LastIndex));
    return ShowRecordNow();
  }
  document_.CheckStillAtPath();
  const std::uint64_t length_now = CheckStepStillThere(step, undo);
  const std::vector<std::uint8_t>& bytes = undo ? step.before : step.after;
  const std::uint64_t length = undo ? step.length_before : step.length_after;
  std::vector<std::size_t> order(step.writes.size());
  std::iota(order.begin(), order.end(), 0);
  // Undo goes back through the writes: the count shrinks before the records
  // it named are taken away and grows only after they are in place.
  if (undo) std::reverse(order.begin(), order.end());
  std::size_t done = 0;
  try {
    std::uint64_t end = length_now;
    for (; done < order.size(); ++done) {
      const TStepWrite& write = step.writes[order[done]];
      document_.WriteBytes(write.offset, {bytes.data() + write.at, write.width});
      end = std::max<std::uint64_t>(end, write.offset + write.width);
    }
    if (end > length) document_.ShortenTo(length);
  } catch (...) {
    TakeBackFailedApply(step, order, done, undo);
    throw;
  }
  for (const TStepWrite& write : step.writes) {
    document_.TakeFileBytes(write.offset, {bytes.data() + write.at, write.width});
  }
  ShowStepRow(undo ? step.row_before : step.row_after);
}

// Before anything is written: the bytes the step left are still there. A
// byte may hold the step's old or its new value (a step or an undo stopped
// part-way leaves such a mix); bytes only one of the two lengths covers may
// be missing. Returns the file's length.
std::uint64_t RecordEditor::CheckStepStillThere(const TWriteStep& step, bool undo) {
  const std::filesystem::path& file = document_.Path();
  const std::uint64_t shorter = std::min(step.length_before, step.length_after);
  const std::uint64_t longer = std::max(step.length_before, step.length_after);
  const std::uint64_t length = document_.FileLength();
  if (length < shorter || length > longer) throw ChangedOutside("The length", file, undo);
  std::vector<std::uint8_t> now;
  for (const TStepWrite& write : step.writes) {
    now.resize(write.width);
    const std::size_t got = document_.ReadBytes(write.offset, now.data(), write.width);
    for (std::size_t i = 0; i < write.width; ++i) {
      const std::uint64_t offset = write.offset + i;
      const bool known =
          i < got ? now[i] == step.before[write.at + i] || now[i] == step.after[write.at + i]
                  : offset >= shorter;
      if (!known) throw ChangedOutside(PartAt(offset), file, undo);
    }
  }
  return length;
}

// A write failed: memory takes what is surely on disk, the failed write's
// bytes as read back, and the count the file holds.
void RecordEditor::TakeBackFailedApply(const TWriteStep& step,
                                       const std::vector<std::size_t>& order, std::size_t done,
                                       bool undo) {
  const std::vector<std::uint8_t>& bytes = undo ? step.before : step.after;
  for (std::size_t k = 0; k < done; ++k) {
    const TStepWrite& write = step.writes[order[k]];
    document_.TakeFileBytes(write.offset, {bytes.data() + write.at, write.width});
  }
  if (done < order.size()) {
    const TStepWrite& write = step.writes[order[done]];
    std::vector<std::uint8_t> now(write.width);
    try {
      now.resize(document_.ReadBytes(write.offset, now.data(), write.width));
      document_.TakeFileBytes(write.offset, now);
    } catch (const AppError&) {
    }
  }
  AgreeWithFile();
  if (document_.IsOpen()) ShowStepRow(undo ? step.row_before : step.row_after);
}

void RecordEditor::ShowDroppedEdits(const TDroppedEdits& edits) {
  const int row = edits.row <= document_.LastIndex ? edits.row : -1;
  view_.SetSelectedRow(row);
  if (row >= 0) ShowRecordNow();
  fields_row_ = row;
  for (const TFieldInfo& info : kFieldTable) {
    if (info.kind == TFieldKind::RecordNumber || !info.IsText()) continue;
    view_.SetText(info.field, edits.texts[FieldIndex(info.field)]);
    view_.SetHighlight(info.field, edits.highlights[FieldIndex(info.field)]);
  }
  view_.SetStateIndex(edits.state_index);
  view_.SetStateHighlight(edits.state_highlight);
  view_.SetSaveEnabled(true);
}

// After a step: the lists as the file is now, and the step's row shown. With
// no row, only the header texts are shown again; edits of the fields stay.
void RecordEditor::ShowStepRow(int row) {
  view_.RecordValuesChanged();  // values no row shows (a group's X and Y) came back too
  RefreshContentsRows(document_, catalogue_, view_);
  view_.SetRecordCountText(IntegerText(document_.LastIndex + 1));
  row = std::min<int>(row, document_.LastIndex);
  view_.SetSelectedRow(row);
  if (row >= 0) return ShowRecordNow();
  for (TField field : kHeaderTextFields) {
    view_.SetText(field, document_.HeaderText(field));
    view_.SetHighlight(field, THighlight::Normal);
  }
}

void RecordEditor::KeepOpenedBytes() {
  try {
    backups_.Opened(document_.Path(), document_.ReadFileBytes());
  } catch (const AppError& error) {
    // Opening goes on; the user hears why there is no copy at the first write.
    backups_.OpenedUnread(document_.Path(), error.what());
  }
}

std::vector<TBackupCopy> RecordEditor::BackupCopies() {
  if (!document_.IsOpen()) return {};
  return backups_.Copies(document_.ReadFileBytes());
}

void RecordEditor::RestoreBackup(const std::filesystem::path& copy) {
  document_.CheckStillAtPath();
  const std::string text = ReadWholeFile(copy);
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  const std::optional<int> count = HeldCount(bytes);
  if (!count) {
    throw AppError(copy.filename().string() + " is not a copy of a Lo file; nothing was restored");
  }
  const int count_now = document_.LastIndex + 1;
  const int row = std::min(view_.SelectedRow(), *count - 1);
  const auto restore = [&] {
    const std::uint64_t length_now = document_.FileLength();
    // The count never names a record the file lacks: it drops first and
    // grows last. Undo, going back through the writes, keeps that too.
    if (*count < count_now) document_.WriteCount(static_cast<std::int16_t>(*count));
    document_.WriteBytes(0, {bytes.data(), kCountOffset});
    document_.WriteBytes(kCountOffset + 2,
                         {bytes.data() + kCountOffset + 2, kFirstRecordOffset - kCountOffset - 2});
    // Past the copy's end, zeros up to the file's end, so that the bytes
    // cut off below are in the step for its undo.
    const std::uint64_t end = std::max<std::uint64_t>(bytes.size(), length_now);
    std::vector<std::uint8_t> piece;
    for (std::uint64_t at = kFirstRecordOffset; at < end; at += kRestorePiece) {
      piece.assign(std::min<std::uint64_t>(kRestorePiece, end - at), 0);
      if (at < bytes.size()) {
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                    std::min<std::uint64_t>(piece.size(), bytes.size() - at), piece.begin());
      }
      document_.WriteBytes(at, piece);
    }
    if (*count > count_now) document_.WriteCount(static_cast<std::int16_t>(*count));
    if (length_now > bytes.size()) {
      document_.ShortenTo(bytes.size());
      recording_->length_after = bytes.size();
    }
    document_.TakeFileBytes(0, bytes);
  };
  RunRecorded(
      [&] {
        try {
          restore();
        } catch (...) {
          // Memory and rows take what the file holds now.
          try {
            document_.TakeFileBytes(0, document_.ReadFileBytes());
          } catch (const AppError&) {
          }
          AgreeWithFile();
          throw;
        }
      },
      [&](TWriteStep& step) {
        step.kind = TStepKind::RestoreBackup;
        step.description = "Restore of a Backup";
        step.row_before = view_.SelectedRow();
        step.row_after = row;
      });
  ShowStepRow(row);
}
