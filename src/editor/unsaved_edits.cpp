#include "editor/unsaved_edits.h"

#include <memory>

#include "editor/editor_view.h"
#include "editor/number_text.h"
#include "editor/write_recorder.h"

void TUnsavedEdits::ShowingRecord(int row) {
  row_ = row;
  moved_on_map_ = false;
}

bool TUnsavedEdits::Any() const { return view_.SaveEnabled() && typed_; }

std::string TUnsavedEdits::Caption() const {
  return row_ < 0 ? "edits of the fields" : "edits of record " + IntegerText(row_);
}

TDroppedEdits TUnsavedEdits::Capture(int next_row) const {
  TDroppedEdits edits;
  edits.row = row_;
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

void TUnsavedEdits::NoteDropped(int next_row) {
  if (std::optional<TWriteStep> step = Dropped(next_row)) recorder_.Report(std::move(*step));
}

std::optional<TWriteStep> TUnsavedEdits::Dropped(int next_row) const {
  if (!view_.SaveEnabled() || !recorder_.HasListener()) return std::nullopt;
  TWriteStep step;
  step.kind = TStepKind::DroppedEdits;
  step.description = Caption();
  step.row_before = row_;
  step.row_after = next_row;
  step.edits = std::make_shared<TDroppedEdits>(Capture(next_row));
  return step;
}
