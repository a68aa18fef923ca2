#include "editor/object_transfer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/number_text.h"
#include "editor/record_editor.h"
#include "errors/app_error.h"
#include "shared/map_geometry.h"

namespace {

int ShownRow(const RecordEditor& editor) {
  const int row = editor.View().SelectedRow();
  return row >= 0 && row <= editor.Document().LastIndex ? row : -1;
}

// One record written with one positioned call; memory takes it once it is there.
void PutRecord(TLoDocument& document, int index, const TRecordBytes& bytes) {
  const std::uint64_t offset = RecordOffset(index);
  document.WriteBytes(offset, bytes);
  document.TakeFileBytes(offset, bytes);
}

// After a failed write: memory, rows and count take what the file holds,
// and the fields show a record as it is now.
void AgreeAfterFailure(RecordEditor& editor, int row) {
  TLoDocument& document = editor.FileDocument();
  try {
    document.TakeFileBytes(0, document.ReadFileBytes());
  } catch (const AppError&) {
  }
  editor.AgreeWithFile();
  if (document.IsOpen()) editor.ShowFileAt(row);
}

float RoundedTwoDecimals(double value) {
  const double rounded = std::round(value * 100.0) / 100.0;
  if (!std::isfinite(rounded) || std::abs(rounded) > std::numeric_limits<float>::max()) {
    throw AppError(
        "The objects cannot be placed there: a position lies beyond the numbers a Lo "
        "file holds; nothing was pasted");
  }
  return static_cast<float>(rounded);
}

// The records with the centre of their X/Y bounding box moved to `at`. On a
// grid of `step`, the first placed record lands on it and the others keep
// their places to it, as in a group drag.
std::vector<TRecordBytes> PlacedAt(std::span<const TRecordBytes> records, const TPastePoint& at,
                                   double step) {
  std::vector<TLoRecord> unpacked;
  double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
  for (const TRecordBytes& bytes : records) {
    const TLoRecord& record = unpacked.emplace_back(UnpackRecord(bytes));
    if (!std::isfinite(record.x) || !std::isfinite(record.y)) continue;
    x0 = std::min<double>(x0, record.x);
    x1 = std::max<double>(x1, record.x);
    y0 = std::min<double>(y0, record.y);
    y1 = std::max<double>(y1, record.y);
  }
  std::vector<TRecordBytes> placed(records.begin(), records.end());
  if (x0 > x1) return placed;  // no record has a place to keep
  double dx = at.x - (x0 + x1) / 2.0;
  double dy = at.y - (y0 + y1) / 2.0;
  for (const TLoRecord& anchor : unpacked) {
    if (!(step > 0.0)) break;
    if (!std::isfinite(anchor.x) || !std::isfinite(anchor.y)) continue;
    dx = SnapToGrid(anchor.x + dx, step) - anchor.x;
    dy = SnapToGrid(anchor.y + dy, step) - anchor.y;
    break;
  }
  for (std::size_t i = 0; i < unpacked.size(); ++i) {
    TLoRecord& record = unpacked[i];
    if (!std::isfinite(record.x) || !std::isfinite(record.y)) continue;
    record.x = RoundedTwoDecimals(record.x + dx);
    record.y = RoundedTwoDecimals(record.y + dy);
    placed[i] = PackRecord(record);
  }
  return placed;
}

// Moves the kept records up over the deleted ones; the caption names the
// command ("Delete", "Cut").
void RemoveRows(RecordEditor& editor, const std::vector<int>& rows, const std::string& command) {
  TLoDocument& document = editor.FileDocument();
  document.CheckStillAtPath();
  const int count = document.LastIndex + 1;
  const int first = rows.front();
  std::vector<TRecordBytes> kept;
  for (int index = first; index < count; ++index) {
    if (!std::binary_search(rows.begin(), rows.end(), index)) {
      kept.push_back(PackRecord(document.LoRecordTable[static_cast<std::size_t>(index)]));
    }
  }
  const int shown_before = ShownRow(editor);
  editor.NoteDroppedEdits(first);
  editor.View().SetMapGroup({});
  editor.Recorder().Run(
      [&] {
        try {
          // In increasing order of position: a kept record's old place lies
          // at or after its new one, so it is overwritten only after the
          // record stands at its new place.
          for (std::size_t i = 0; i < kept.size(); ++i) {
            const int index = first + static_cast<int>(i);
            if (PackRecord(document.LoRecordTable[static_cast<std::size_t>(index)]) == kept[i]) {
              continue;  // already there
            }
            PutRecord(document, index, kept[i]);
          }
          document.WriteCount(static_cast<std::int16_t>(count - static_cast<int>(rows.size())));
        } catch (...) {
          AgreeAfterFailure(editor, first);
          throw;
        }
      },
      [&](TWriteStep& step) {
        step.kind = TStepKind::DeleteObjects;
        step.description = command + " of " + RecordsCaption(rows.size());
        step.row_before = shown_before;
        step.row_after = first;
      });
  editor.ShowFileAt(first);
}

}  // namespace

std::string RecordsCaption(std::size_t count) {
  return IntegerText(static_cast<long long>(count)) + (count == 1 ? " record" : " records");
}

std::string NoRoomMessage(int room) {
  const std::string limit = " (a Lo file holds " + IntegerText(kLoRecordCapacity) + " records)";
  if (room <= 0) return "No more records fit in this file" + limit + "; nothing was pasted";
  return "Only " + IntegerText(room) + (room == 1 ? " more record fits" : " more records fit") +
         " in this file" + limit + "; nothing was pasted";
}

std::vector<int> ChosenObjects(const RecordEditor& editor) {
  std::vector<int> rows;
  for (int row : editor.View().MapGroup()) {
    if (row <= editor.Document().LastIndex) rows.push_back(row);
  }
  if (rows.empty() && ShownRow(editor) >= 0) rows.push_back(ShownRow(editor));
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<TRecordBytes> CopyObjects(const RecordEditor& editor) {
  const std::vector<int> rows = ChosenObjects(editor);
  if (rows.empty()) throw AppError(kNoItemSelected);
  std::vector<TRecordBytes> records;
  for (int row : rows) {
    records.push_back(PackRecord(editor.Document().LoRecordTable[static_cast<std::size_t>(row)]));
  }
  return records;
}

std::vector<TRecordBytes> ObjectsFromText(std::string_view text) { return ParseRecordLines(text); }

void PasteObjects(RecordEditor& editor, std::span<const TRecordBytes> records,
                  const TPastePoint* at) {
  if (records.empty()) return;
  TLoDocument& document = editor.FileDocument();
  const int count = document.LastIndex + 1;
  const int room = kLoRecordCapacity - count;
  if (static_cast<int>(records.size()) > room) {
    throw AppError(NoRoomMessage(room));
  }
  const std::vector<TRecordBytes> placed =
      at != nullptr ? PlacedAt(records, *at, editor.View().GridStep())
                    : std::vector<TRecordBytes>(records.begin(), records.end());
  document.CheckStillAtPath();
  const int last = count + static_cast<int>(placed.size()) - 1;
  const int shown_before = ShownRow(editor);
  editor.NoteDroppedEdits(last);
  editor.Recorder().Run(
      [&] {
        try {
          for (std::size_t i = 0; i < placed.size(); ++i) {
            PutRecord(document, count + static_cast<int>(i), placed[i]);
          }
          document.WriteCount(static_cast<std::int16_t>(last + 1));
        } catch (...) {
          AgreeAfterFailure(editor, shown_before);
          throw;
        }
      },
      [&](TWriteStep& step) {
        step.kind = TStepKind::PasteObjects;
        step.description = "Paste of " + RecordsCaption(placed.size());
        step.row_before = shown_before;
        step.row_after = last;
      });
  editor.ShowFileAt(last);
  std::vector<int> group;
  for (int row = count; row <= last; ++row) group.push_back(row);
  editor.View().SetMapGroup(std::move(group));
}

void DeleteObjects(RecordEditor& editor) {
  const std::vector<int> rows = ChosenObjects(editor);
  if (rows.empty()) throw AppError(kNoItemSelected);
  RemoveRows(editor, rows, "Delete");
}

std::vector<TRecordBytes> CutObjects(RecordEditor& editor) {
  const std::vector<int> rows = ChosenObjects(editor);
  if (rows.empty()) throw AppError(kNoItemSelected);
  std::vector<TRecordBytes> records = CopyObjects(editor);
  RemoveRows(editor, rows, "Cut");
  return records;
}
