#include "editor/objects.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "datafiles/lo_document.h"
#include "editor/editor_host.h"
#include "editor/editor_view.h"
#include "editor/number_text.h"
#include "editor/write_transaction.h"
#include "errors/app_error.h"
#include "shared/map_geometry.h"

namespace {

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

}  // namespace

std::string RecordsCaption(std::size_t count) {
  return IntegerText(static_cast<long long>(count)) + (count == 1 ? " record" : " records");
}

std::string NoRoomMessage(int room, const std::string& nothing_done) {
  const std::string limit = " (a Lo file holds " + IntegerText(kLoRecordCapacity) + " records)";
  if (room <= 0) return "No more records fit in this file" + limit + "; " + nothing_done;
  return "Only " + IntegerText(room) + (room == 1 ? " more record fits" : " more records fit") +
         " in this file" + limit + "; " + nothing_done;
}

int TObjects::ShownRow() const {
  const int row = view_.SelectedRow();
  return row >= 0 && row <= document_.LastIndex ? row : -1;
}

std::vector<int> TObjects::ChosenObjects() const {
  std::vector<int> rows;
  for (int row : view_.MapGroup()) {
    if (row <= document_.LastIndex) rows.push_back(row);
  }
  if (rows.empty() && ShownRow() >= 0) rows.push_back(ShownRow());
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<TRecordBytes> TObjects::CopyObjects() const {
  const std::vector<int> rows = ChosenObjects();
  if (rows.empty()) throw AppError(kNoItemSelected);
  std::vector<TRecordBytes> records;
  for (int row : rows) {
    records.push_back(PackRecord(document_.LoRecordTable[static_cast<std::size_t>(row)]));
  }
  return records;
}

std::vector<TRecordBytes> ObjectsFromText(std::string_view text) { return ParseRecordLines(text); }

void TObjects::PasteObjects(std::span<const TRecordBytes> records, const TPastePoint* at) {
  if (records.empty()) return;
  const int count = document_.LastIndex + 1;
  const int room = kLoRecordCapacity - count;
  if (static_cast<int>(records.size()) > room) {
    throw AppError(NoRoomMessage(room));
  }
  const std::vector<TRecordBytes> placed =
      at != nullptr ? PlacedAt(records, *at, view_.GridStep())
                    : std::vector<TRecordBytes>(records.begin(), records.end());
  std::vector<TLoRecord> appended;
  for (const TRecordBytes& bytes : placed) appended.push_back(UnpackRecord(bytes));
  const int last = count + static_cast<int>(placed.size()) - 1;
  std::vector<int> pasted;
  for (int row = count; row <= last; ++row) pasted.push_back(row);
  transaction_.Run({TStepKind::PasteObjects, "Paste of " + RecordsCaption(placed.size()),
                    ShownRow(), last, TFieldsAfter::StoredRecord, std::move(pasted)},
                   [&](TLoDocument& document) { document.AppendRecords(appended); });
}

// Moves the kept records up over the deleted ones; the caption names the
// command ("Delete", "Cut").
void TObjects::RemoveRows(const std::vector<int>& rows, const std::string& command) {
  const int count = document_.LastIndex + 1;
  const int first = rows.front();
  std::vector<TLoRecord> kept;
  for (int index = first; index < count; ++index) {
    if (!std::binary_search(rows.begin(), rows.end(), index)) {
      kept.push_back(document_.LoRecordTable[static_cast<std::size_t>(index)]);
    }
  }
  transaction_.Run(
      {TStepKind::DeleteObjects, command + " of " + RecordsCaption(rows.size()), ShownRow(), first,
       TFieldsAfter::StoredRecord, std::vector<int>{}},
      [&](TLoDocument& document) {
        // In increasing order of position: a kept record's old place lies
        // at or after its new one, so it is overwritten only after the
        // record stands at its new place.
        for (std::size_t i = 0; i < kept.size(); ++i) {
          const int index = first + static_cast<int>(i);
          const TRecordBytes bytes = PackRecord(kept[i]);
          if (PackRecord(document.LoRecordTable[static_cast<std::size_t>(index)]) == bytes) {
            continue;  // already there
          }
          document.WriteBytes(RecordOffset(index), bytes);
        }
        document.WriteCount(static_cast<std::int16_t>(count - static_cast<int>(rows.size())));
      });
}

void TObjects::DeleteObjects() {
  const std::vector<int> rows = ChosenObjects();
  if (rows.empty()) throw AppError(kNoItemSelected);
  RemoveRows(rows, "Delete");
}

std::vector<TRecordBytes> TObjects::CutObjects() {
  const std::vector<int> rows = ChosenObjects();
  if (rows.empty()) throw AppError(kNoItemSelected);
  std::vector<TRecordBytes> records = CopyObjects();
  RemoveRows(rows, "Cut");
  return records;
}
