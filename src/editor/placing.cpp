// Placing objects by name: picking class and type from the catalogue,
// appending records with values, the map's group selection, move and turn,
// and turning the shown record by its handle.

#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "editor/record_editor.h"
#include "shared/map_geometry.h"

namespace {

bool Holds(const std::vector<int>& rows, int row) {
  return std::find(rows.begin(), rows.end(), row) != rows.end();
}

}  // namespace

bool RecordEditor::HasShownRecord() const {
  const int row = view_.SelectedRow();
  return row >= 0 && row <= document_.LastIndex;
}

void RecordEditor::PickCatalogueEntry(int entry) {
  if (!HasShownRecord() || entry < 0 || entry > catalogue_.ObjLastIndex) return;
  const TObjEntry& picked = catalogue_.ObjEntryTable[static_cast<std::size_t>(entry)];
  // The byte a commit would store: a word above 255 would not fit the field.
  view_.SetText(TField::Class, IntegerText(picked.words[0] & 0xFF));
  MarkFieldModified(TField::Class);
  view_.SetText(TField::Type, IntegerText(picked.words[1] & 0xFF));
  MarkFieldModified(TField::Type);
}

void RecordEditor::DropCatalogueEntry(int entry, double x, double y) {
  if (entry < 0 || entry > catalogue_.ObjLastIndex) return;
  const TObjEntry& dropped = catalogue_.ObjEntryTable[static_cast<std::size_t>(entry)];
  // A drop lands on the grid, as a dragged marker does.
  const double step = view_.GridStep();
  AppendRecord(static_cast<std::uint8_t>(dropped.words[0] & 0xFF),
               static_cast<std::uint8_t>(dropped.words[1] & 0xFF), SnapToGrid(x, step),
               SnapToGrid(y, step));
}

void RecordEditor::AppendRecord(std::uint8_t object_class, std::uint8_t object_type, double x,
                                double y) {
  // The values a Save of the same texts would store.
  const std::optional<std::string> x_text = MovedText(TField::X, x);
  const std::optional<std::string> y_text = MovedText(TField::Y, y);
  if (!x_text || !y_text) return;
  TLoRecord record;
  record.object_class = object_class;
  record.object_type = object_type;
  record.x = ParseFloat(*x_text, separator_);
  record.y = ParseFloat(*y_text, separator_);
  AppendStoredRecord(record, "Add Object");
}

void RecordEditor::DuplicateRecord() {
  if (!HasShownRecord()) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  // A copy, not a reference: the append writes into the same table.
  const TLoRecord shown = document_.LoRecordTable[static_cast<std::size_t>(view_.SelectedRow())];
  AppendStoredRecord(shown, "Duplicate Object");
}

// Only the new record and the count are written: the record first, so the
// count never names a record the file does not hold. One undo step.
void RecordEditor::AppendStoredRecord(const TLoRecord& record, const std::string& description) {
  if (document_.LastIndex + 1 >= kLoRecordCapacity) {
    host_.ShowInformation(kRecordTableFull);
    return;
  }
  document_.CheckStillAtPath();
  const int index = document_.LastIndex + 1;
  const int shown_before = view_.SelectedRow();
  NoteDroppedEdits(index);
  recorder_.Run(
      [&] {
        try {
          document_.LoRecordTable[static_cast<std::size_t>(index)] = record;
          document_.WriteRecord(index);
          document_.WriteCount(static_cast<std::int16_t>(index + 1));
        } catch (...) {
          AgreeWithFile();
          throw;
        }
      },
      [&](TWriteStep& step) {
        step.kind = TStepKind::AddObject;
        step.description = description;
        step.row_before = shown_before;
        step.row_after = index;
      });
  RefreshContentsRows(document_, catalogue_, view_);
  view_.SetRecordCountText(IntegerText(document_.LastIndex + 1));
  view_.SetMapGroup({});
  view_.SetSelectedRow(index);
  ShowRecordNow();  // the edits left behind are in the history already
}

void RecordEditor::ToggleInMapGroup(int row) {
  if (row < 0 || row > document_.LastIndex) return;
  const int shown = HasShownRecord() ? view_.SelectedRow() : -1;
  std::vector<int> group = ToggledGroup(view_.MapGroup(), shown, row);
  const bool added = Holds(group, row);
  view_.SetMapGroup(std::move(group));
  if (added && row != shown) ChooseShown(row);
}

void RecordEditor::AddAreaToMapGroup(const TMapArea& area) {
  const std::vector<int> inside =
      RecordsInArea(MapRecordPoints(document_, catalogue_, view_, separator_), area);
  if (inside.empty()) return;
  const int shown = HasShownRecord() ? view_.SelectedRow() : -1;
  std::vector<int> group = WidenedGroup(view_.MapGroup(), shown, inside);
  const bool shown_in_group = Holds(group, shown);
  view_.SetMapGroup(std::move(group));
  if (!shown_in_group) ChooseShown(inside.front());
}

void RecordEditor::ClearMapGroup() { view_.SetMapGroup({}); }

// Unlike ChooseRecord, the group stays.
void RecordEditor::ChooseShown(int row) {
  view_.SetSelectedRow(row);
  ShowRecord();
}

void RecordEditor::MoveMapGroup(double dx, double dy) {
  std::vector<TGroupWrite> writes;
  // From where the map draws each record: the shown one where its fields say.
  const std::vector<TMapRecordPoint> points =
      MapRecordPoints(document_, catalogue_, view_, separator_);
  for (int row : view_.MapGroup()) {
    if (row > document_.LastIndex) return;
    const TMapRecordPoint& at = points[static_cast<std::size_t>(row)];
    std::optional<std::string> x_text = MovedText(TField::X, at.x + dx);
    std::optional<std::string> y_text = MovedText(TField::Y, at.y + dy);
    if (!x_text || !y_text) return;
    writes.push_back({row, {{TField::X, std::move(*x_text)}, {TField::Y, std::move(*y_text)}}});
  }
  WriteGroupFields(writes, TStepKind::Move, "Move");
}

void RecordEditor::TurnMapGroup(double degrees) {
  if (!std::isfinite(degrees)) return;
  const std::vector<TMapRecordPoint> points =
      MapRecordPoints(document_, catalogue_, view_, separator_);
  std::vector<TTurnPoint> members;
  for (int row : view_.MapGroup()) {
    if (row > document_.LastIndex) return;
    const TMapRecordPoint& at = points[static_cast<std::size_t>(row)];
    members.push_back({at.x, at.y, at.r});
  }
  const std::vector<TTurnPoint> turned = TurnAbout(members, TurnCentre(members), degrees);
  std::vector<TGroupWrite> writes;
  for (std::size_t i = 0; i < turned.size(); ++i) {
    TGroupWrite write{view_.MapGroup()[i], {}};
    for (auto [field, value] :
         {std::pair{TField::X, turned[i].x}, {TField::Y, turned[i].y}, {TField::R, turned[i].r}}) {
      std::optional<std::string> text = MovedText(field, value);
      if (!text) return;  // a member that cannot be shown: the group stays as it is
      write.texts.emplace_back(field, std::move(*text));
    }
    writes.push_back(std::move(write));
  }
  WriteGroupFields(writes, TStepKind::Turn, "Turn");
}

namespace {

float& Coordinate(TLoRecord& record, TField field) {
  return field == TField::X ? record.x : field == TField::Y ? record.y : record.r;
}

}  // namespace

// Writes only the given fields of each record, as one step; the shown
// record's fields then show what was written.
void RecordEditor::WriteGroupFields(const std::vector<TGroupWrite>& writes, TStepKind kind,
                                    const std::string& verb) {
  if (writes.empty()) return;
  document_.CheckStillAtPath();
  const int shown = view_.SelectedRow();
  try {
    recorder_.Run(
        [&] {
          for (const TGroupWrite& write : writes) {
            TLoRecord& record = document_.LoRecordTable[static_cast<std::size_t>(write.row)];
            for (const auto& [field, text] : write.texts) {
              Coordinate(record, field) = ParseFloat(text, separator_);
              document_.WriteRecordField(write.row, field);
            }
          }
        },
        [&](TWriteStep& step) {
          step.kind = kind;
          step.description = verb + " of " + IntegerText(static_cast<long long>(writes.size())) +
                             (writes.size() == 1 ? " record" : " records");
          step.row_before = shown;
          step.row_after = shown;
        });
  } catch (...) {
    view_.RecordValuesChanged();  // the map shows what was written
    throw;
  }
  for (const TGroupWrite& write : writes) {
    if (write.row != view_.SelectedRow()) continue;
    for (const auto& [field, text] : write.texts) {
      view_.SetText(field, text);
      view_.SetHighlight(field, THighlight::Normal);
      if (shown_index_ == write.row) RememberShown(field);
    }
  }
  bool edits_left = false;
  for (const TFieldInfo& info : kFieldTable) {
    edits_left = edits_left || view_.Highlight(info.field) == THighlight::Modified;
  }
  view_.SetSaveEnabled(edits_left);
  view_.RecordValuesChanged();
}

void RecordEditor::ChooseRecord(int row) {
  view_.SetMapGroup({});
  view_.SetSelectedRow(row);
  ShowRecord();
}

void RecordEditor::MoveSelectedRecord(double x, double y) {
  const int selected = view_.SelectedRow();
  if (selected < 0 || selected > document_.LastIndex) return;
  const std::optional<std::string> x_text = MovedText(TField::X, x);
  const std::optional<std::string> y_text = MovedText(TField::Y, y);
  if (!x_text || !y_text) return;
  view_.SetText(TField::X, *x_text);
  view_.SetText(TField::Y, *y_text);
  moved_on_map_ = true;
  MarkFieldModified(TField::X);
  MarkFieldModified(TField::Y);
}

// The text a moved coordinate shows: rounded to two decimals first, so that
// the float's own digits do not decide the rounding.
std::optional<std::string> RecordEditor::MovedText(TField field, double value) const {
  const double rounded = std::round(value * 100.0) / 100.0;
  if (!std::isfinite(rounded) || std::abs(rounded) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  std::string text = FormatFixed2(static_cast<float>(rounded), separator_);
  if (text.size() > TEditorView::MaxLength(field)) return std::nullopt;
  return text;
}

void RecordEditor::TurnShownRecord(double angle) {
  if (!HasShownRecord()) return;
  const std::optional<std::string> text = MovedText(TField::R, angle);
  if (!text) return;
  if (!turn_start_) {
    turn_start_ =
        TTurnStart{view_.Text(TField::R), view_.Highlight(TField::R), view_.SaveEnabled(), typed_};
  }
  view_.SetText(TField::R, *text);
  MarkFieldModified(TField::R);
}

void RecordEditor::CancelTurn() {
  if (!turn_start_) return;
  const TTurnStart start = *turn_start_;
  turn_start_.reset();
  view_.SetText(TField::R, start.r_text);
  view_.SetHighlight(TField::R, start.r_highlight);
  view_.SetSaveEnabled(start.save_enabled);
  typed_ = start.typed;
}
