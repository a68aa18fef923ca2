// The record editor's unsaved edits as steps of the history: the edits of a
// record the user leaves for another one, and the edits Undo takes back.

#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "editor/record_editor.h"

std::string RecordEditor::UnsavedEditsCaption() const {
  return fields_row_ < 0 ? "edits of the fields" : "edits of record " + IntegerText(fields_row_);
}

// What the fields show now, as edits of the record they belong to.
TDroppedEdits RecordEditor::FieldEdits(int next_row) const {
  TDroppedEdits edits;
  edits.row = fields_row_;
  edits.next_row = next_row;
  for (const TFieldInfo& info : kFieldTable) {
    if (info.kind == TFieldKind::RecordNumber || !info.IsText()) continue;
    edits.texts[FieldIndex(info.field)] = view_.Text(info.field);
    edits.highlights[FieldIndex(info.field)] = view_.Highlight(info.field);
  }
  edits.state_index = view_.StateIndex();
  edits.state_highlight = view_.StateHighlight();
  return edits;
}

// The user leaves a record with edits not saved: they go into the history.
void RecordEditor::NoteDroppedEdits(int next_row) {
  if (!view_.SaveEnabled() || !recorder_.HasListener()) return;
  TWriteStep step;
  step.kind = TStepKind::DroppedEdits;
  step.description = UnsavedEditsCaption();
  step.row_before = fields_row_;
  step.row_after = next_row;
  step.edits = std::make_shared<TDroppedEdits>(FieldEdits(next_row));
  recorder_.Report(std::move(step));
}

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
