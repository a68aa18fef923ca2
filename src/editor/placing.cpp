// Placing objects by name: picking class and type from the catalogue,
// appending records with values, the map's group selection, move and turn,
// and turning the shown record by its handle.

#include "editor/placing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"
#include "editor/editor_host.h"
#include "editor/field_form.h"
#include "editor/number_text.h"
#include "editor/unsaved_edits.h"
#include "editor/write_transaction.h"
#include "shared/map_geometry.h"

namespace {

bool Holds(const std::vector<int>& rows, int row) {
  return std::find(rows.begin(), rows.end(), row) != rows.end();
}

}  // namespace

TPlacing::TPlacing(TEditorHost& host, TEditorView& view, const TLoDocument& document,
                   const TObjCatalogue& catalogue, TFieldForm& form, TUnsavedEdits& edits,
                   TWriteTransaction& transaction)
    : host_(host),
      view_(view),
      document_(document),
      catalogue_(catalogue),
      form_(form),
      edits_(edits),
      transaction_(transaction) {}

bool TPlacing::HasShownRecord() const {
  const int row = view_.SelectedRow();
  return row >= 0 && row <= document_.LastIndex;
}

void TPlacing::PickCatalogueEntry(int entry) {
  if (!HasShownRecord() || entry < 0 || entry > catalogue_.ObjLastIndex) return;
  const TObjEntry& picked = catalogue_.ObjEntryTable[static_cast<std::size_t>(entry)];
  // The byte a commit would store: a word above 255 would not fit the field.
  form_.Enter(TField::Class, IntegerText(picked.words[0] & 0xFF));
  form_.Enter(TField::Type, IntegerText(picked.words[1] & 0xFF));
}

void TPlacing::DropCatalogueEntry(int entry, double x, double y) {
  if (entry < 0 || entry > catalogue_.ObjLastIndex) return;
  const TObjEntry& dropped = catalogue_.ObjEntryTable[static_cast<std::size_t>(entry)];
  // A drop lands on the grid, as a dragged marker does.
  const double step = view_.GridStep();
  // The values a Save of the same texts would store.
  const std::optional<std::string> x_text = Placed(TField::X, SnapToGrid(x, step));
  const std::optional<std::string> y_text = Placed(TField::Y, SnapToGrid(y, step));
  if (!x_text || !y_text) return;
  TLoRecord record;
  record.object_class = static_cast<std::uint8_t>(dropped.words[0] & 0xFF);
  record.object_type = static_cast<std::uint8_t>(dropped.words[1] & 0xFF);
  record.x = ParseFloat(*x_text, view_.DecimalSeparator());
  record.y = ParseFloat(*y_text, view_.DecimalSeparator());
  Append(record, "Add Object");
}

void TPlacing::DuplicateRecord() {
  if (!HasShownRecord()) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  // A copy, not a reference: the append writes into the same table.
  const TLoRecord shown = document_.LoRecordTable[static_cast<std::size_t>(view_.SelectedRow())];
  Append(shown, "Duplicate Object");
}

// Only the new record and the count are written: the record first, so the
// count never names a record the file does not hold. One undo step.
void TPlacing::Append(const TLoRecord& record, const std::string& caption) {
  if (document_.LastIndex + 1 >= kLoRecordCapacity) {
    host_.ShowInformation(kRecordTableFull);
    return;
  }
  const int index = document_.LastIndex + 1;
  transaction_.Run({TStepKind::AddObject, caption, view_.SelectedRow(), index,
                    TFieldsAfter::StoredRecord, std::vector<int>{}},
                   [&](TLoDocument& document) {
                     document.AppendRecords({&record, 1});
                   });
}

void TPlacing::ToggleInMapGroup(int row) {
  if (row < 0 || row > document_.LastIndex) return;
  const int shown = HasShownRecord() ? view_.SelectedRow() : -1;
  std::vector<int> group = ToggledGroup(view_.MapGroup(), shown, row);
  const bool added = Holds(group, row);
  // The shown record is always one of the group: what is highlighted is
  // what Copy, Delete and the group's commands act on.
  const int next = added ? row : row == shown && !group.empty() ? group.back() : shown;
  view_.SetMapGroup(std::move(group));
  if (next != shown) ChooseShown(next);
}

void TPlacing::AddAreaToMapGroup(const TMapArea& area) {
  const std::vector<int> inside =
      RecordsInArea(MapRecordPoints(document_, catalogue_, view_, view_.DecimalSeparator()), area);
  if (inside.empty()) return;
  const int shown = HasShownRecord() ? view_.SelectedRow() : -1;
  std::vector<int> group = WidenedGroup(view_.MapGroup(), shown, inside);
  const bool shown_in_group = Holds(group, shown);
  view_.SetMapGroup(std::move(group));
  if (!shown_in_group) ChooseShown(inside.front());
}

void TPlacing::ClearMapGroup() { view_.SetMapGroup({}); }

// Unlike ChooseRecord, the group stays.
void TPlacing::ChooseShown(int row) {
  view_.SetSelectedRow(row);
  form_.ShowRecord();
}

void TPlacing::MoveMapGroup(double dx, double dy) {
  std::vector<TGroupWrite> writes;
  // From where the map draws each record: the shown one where its fields say.
  const std::vector<TMapRecordPoint> points =
      MapRecordPoints(document_, catalogue_, view_, view_.DecimalSeparator());
  for (int row : view_.MapGroup()) {
    if (row > document_.LastIndex) return;
    const TMapRecordPoint& at = points[static_cast<std::size_t>(row)];
    std::optional<std::string> x_text = Placed(TField::X, at.x + dx);
    std::optional<std::string> y_text = Placed(TField::Y, at.y + dy);
    if (!x_text || !y_text) return;
    writes.push_back({row, {{TField::X, std::move(*x_text)}, {TField::Y, std::move(*y_text)}}});
  }
  WriteGroupFields(writes, TStepKind::Move, "Move");
}

void TPlacing::TurnMapGroup(double degrees) {
  if (!std::isfinite(degrees)) return;
  const std::vector<TMapRecordPoint> points =
      MapRecordPoints(document_, catalogue_, view_, view_.DecimalSeparator());
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
      std::optional<std::string> text = Placed(field, value);
      if (!text) return;  // a member that cannot be shown: the group stays as it is
      write.texts.emplace_back(field, std::move(*text));
    }
    writes.push_back(std::move(write));
  }
  WriteGroupFields(writes, TStepKind::Turn, "Turn");
}

// Writes only the given fields of each record, as one step; the shown
// record's fields show what was written as it is written, other edits stay.
void TPlacing::WriteGroupFields(const std::vector<TGroupWrite>& writes, TStepKind kind,
                                const std::string& verb) {
  if (writes.empty()) return;
  const int shown = view_.SelectedRow();
  const std::string caption = verb + " of " + IntegerText(static_cast<long long>(writes.size())) +
                              (writes.size() == 1 ? " record" : " records");
  transaction_.Run({kind, caption, shown, shown, TFieldsAfter::Kept}, [&](TLoDocument& document) {
    for (const TGroupWrite& write : writes) {
      TLoRecord values;
      std::vector<TField> fields;
      for (const auto& [field, text] : write.texts) {
        const float value = ParseFloat(text, view_.DecimalSeparator());
        (field == TField::X ? values.x : field == TField::Y ? values.y : values.r) = value;
        fields.push_back(field);
      }
      document.WriteRecordFields(write.row, values, fields);
      for (const auto& [field, text] : write.texts) form_.ShowWritten(write.row, field, text);
    }
  });
}

void TPlacing::ChooseRecord(int row) {
  view_.SetMapGroup({});
  view_.SetSelectedRow(row);
  form_.ShowRecord();
}

void TPlacing::MoveSelectedRecord(double x, double y) {
  const int selected = view_.SelectedRow();
  if (selected < 0 || selected > document_.LastIndex) return;
  const std::optional<std::string> x_text = Placed(TField::X, x);
  const std::optional<std::string> y_text = Placed(TField::Y, y);
  if (!x_text || !y_text) return;
  form_.Enter(TField::X, *x_text);
  form_.Enter(TField::Y, *y_text);
  edits_.SetMovedOnMap(true);
}

std::optional<std::string> TPlacing::Placed(TField field, double value) const {
  return PlacedText(field, value, view_.DecimalSeparator());
}

void TPlacing::TurnShownRecord(double angle) {
  if (!HasShownRecord()) return;
  const std::optional<std::string> text = Placed(TField::R, angle);
  if (!text) return;
  if (!turn_start_) {
    turn_start_ = TTurnStart{view_.Text(TField::R), view_.Highlight(TField::R), view_.SaveEnabled(),
                             edits_.Typed()};
  }
  form_.Enter(TField::R, *text);
}

void TPlacing::CancelTurn() {
  if (!turn_start_) return;
  const TTurnStart start = *turn_start_;
  turn_start_.reset();
  view_.SetText(TField::R, start.r_text);
  view_.SetHighlight(TField::R, start.r_highlight);
  view_.SetSaveEnabled(start.save_enabled);
  edits_.SetTyped(start.typed);
}
