// What the fields show after the history took a step: the edits of a step
// again, a record as stored, the file as a played step left it.

#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "editor/record_editor.h"

TWriteStep RecordEditor::TakeBackUnsavedEdits() {
  TWriteStep step;
  step.kind = TStepKind::TypedEdits;
  step.description = UnsavedEditsCaption();
  step.row_before = step.row_after = fields_row_;
  step.edits = std::make_shared<TDroppedEdits>(FieldEdits(fields_row_));
  ShowStoredRecord(fields_row_);
  return step;
}

void RecordEditor::ShowEdits(const TDroppedEdits& edits) {
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
  typed_ = false;  // these edits are the history's
}

void RecordEditor::ShowStoredRecord(int row) {
  row = std::min<int>(row, document_.LastIndex);
  if (row >= 0) {
    view_.SetSelectedRow(row);
    return ShowRecordNow();
  }
  // No record chosen: the fields as an open leaves them.
  const int selected = view_.SelectedRow();
  ShowZeroRecord(0);
  view_.SetSelectedRow(selected);
  fields_row_ = -1;
  for (TField field : kHeaderTextFields) {
    view_.SetText(field, document_.HeaderText(field));
    view_.SetHighlight(field, THighlight::Normal);
  }
  view_.SetSaveEnabled(false);
}

void RecordEditor::ShowFileAt(int row) {
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
