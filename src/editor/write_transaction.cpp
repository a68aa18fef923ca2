#include "editor/write_transaction.h"

#include <algorithm>

#include "datafiles/lo_document.h"
#include "datafiles/names_file.h"
#include "editor/editor_view.h"
#include "editor/field_form.h"
#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "editor/unsaved_edits.h"
#include "editor/write_recorder.h"
#include "errors/app_error.h"

TWriteTransaction::TWriteTransaction(TLoDocument& document, TNamesFile& names,
                                     TWriteRecorder& recorder, TEditorView& view,
                                     const TObjCatalogue& catalogue, TFieldForm& form,
                                     TUnsavedEdits& edits)
    : document_(document),
      names_(names),
      recorder_(recorder),
      view_(view),
      catalogue_(catalogue),
      form_(form),
      edits_(edits) {}

void TWriteTransaction::Run(const TStepPlan& plan, const std::function<void(TLoDocument&)>& writes,
                            const std::function<void(TWriteStep&)>& describe) {
  if (plan.file == TStepFile::Names) {
    names_.CheckStillAtPath();
  } else {
    document_.CheckStillAtPath();
  }
  const TShownBefore before = Shown();
  const std::vector<int> group_after = plan.group_after.value_or(before.group);
  std::optional<TWriteStep> dropped;
  if (plan.fields != TFieldsAfter::Kept) dropped = edits_.Dropped(plan.row_after);
  try {
    recorder_.Run([&] { writes(document_); },
                  [&](TWriteStep& step) {
                    step.kind = plan.kind;
                    step.description = plan.caption;
                    step.row_before = plan.row_before;
                    step.row_after = plan.row_after;
                    step.group_before = before.group;
                    step.group_after = group_after;
                    if (describe) describe(step);
                  },
                  plan.file, std::move(dropped));
  } catch (const ConvertError&) {
    throw;  // a typed number that does not read: nothing was written
  } catch (...) {
    Recover(plan.file);
    if (document_.IsOpen()) ShowAgain(before);
    throw;
  }
  ShowFile(plan.file);
  ShowFields(plan.fields, plan.row_after, plan.file);
  view_.SetMapGroup(group_after);
}

void TWriteTransaction::Play(const std::function<void(TLoDocument&)>& play, int row,
                             const std::vector<int>& group, TStepFile file) {
  try {
    play(document_);
  } catch (...) {
    Recover(file);
    if (document_.IsOpen()) ShowFields(TFieldsAfter::StoredRecord, row);
    throw;
  }
  ShowFile(file);
  ShowFields(TFieldsAfter::StoredRecord, row);
  view_.SetMapGroup(group);  // rows the file no longer holds drop out
}

TWriteTransaction::TShownBefore TWriteTransaction::Shown() const {
  TShownBefore shown{view_.SelectedRow(), view_.MapGroup()};
  if (view_.SaveEnabled()) {
    shown.edits = edits_.Capture(edits_.Row());
    shown.typed = edits_.Typed();
    shown.moved_on_map = edits_.MovedOnMap();
  }
  return shown;
}

// After a failure: the fields and the group as the command found them, over
// what the file now holds.
void TWriteTransaction::ShowAgain(const TShownBefore& before) {
  if (before.edits) {
    form_.ShowEdits(*before.edits);
    edits_.SetTyped(before.typed);
    edits_.SetMovedOnMap(before.moved_on_map);
  } else {
    ShowFields(TFieldsAfter::StoredRecord, before.row);
  }
  view_.SetMapGroup(before.group);
}

// The one recovery rule: memory agrees with the file, or no file is shown.
void TWriteTransaction::Recover(TStepFile file) {
  if (file == TStepFile::Names) names_.AgreeWithFile();
  document_.AgreeWithFile();
  if (!document_.IsOpen()) {
    document_ = TLoDocument();  // a zeroed table, as at start
    if (file == TStepFile::Names) ShowCatalogueNames(catalogue_, view_);
    return form_.ShowNoFile();
  }
  ShowFile(file);
}

void TWriteTransaction::ShowFile(TStepFile file) {
  if (file == TStepFile::Names) ShowCatalogueNames(catalogue_, view_);
  view_.RecordValuesChanged();  // values no row shows (a group's X and Y) changed too
  RefreshContentsRows(document_, catalogue_, view_);
  view_.SetRecordCountText(IntegerText(document_.LastIndex + 1));
}

void TWriteTransaction::ShowFields(TFieldsAfter fields, int row, TStepFile file) {
  row = std::min<int>(row, document_.LastIndex);
  switch (fields) {
    case TFieldsAfter::Kept: {
      // The rows' refresh left none selected.
      view_.SetSelectedRow(row);
      bool edits_left = false;
      for (const TFieldInfo& info : kFieldTable) {
        edits_left = edits_left || view_.Highlight(info.field) == THighlight::Modified;
      }
      view_.SetSaveEnabled(edits_left);
      if (edits_left) return;
      if (row >= 0) return edits_.ShowingRecord(row);
      // A name leaves the record fields and the chosen kind as they are.
      if (file == TStepFile::Names) return;
      return form_.ShowStoredRecord(-1);
    }
    case TFieldsAfter::ZeroRecord:
      form_.ShowStoredRecord(row);
      if (row >= 0) form_.ShowZeroRecord(row);
      return;
    case TFieldsAfter::StoredRecord:
      return form_.ShowStoredRecord(row);
  }
}
