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
  const bool replaces_fields = plan.fields == TFieldsAfter::StoredRecord;
  if (replaces_fields) edits_.NoteDropped(plan.row_after);
  try {
    recorder_.Run([&] { writes(document_); },
                  [&](TWriteStep& step) {
                    step.kind = plan.kind;
                    step.description = plan.caption;
                    step.row_before = plan.row_before;
                    step.row_after = plan.row_after;
                    if (describe) describe(step);
                  },
                  plan.file);
  } catch (const ConvertError&) {
    throw;  // a typed number that does not read: nothing was written
  } catch (...) {
    Recover(plan.file);
    // Fields that held no edits show the record as the file now holds it.
    const bool edits_shown = plan.fields == TFieldsAfter::Kept && view_.SaveEnabled();
    if (document_.IsOpen()) {
      ShowFields(edits_shown ? TFieldsAfter::Kept : TFieldsAfter::StoredRecord, plan.row_before);
    }
    throw;
  }
  ShowFile(plan.file);
  ShowFields(plan.fields, plan.row_after);
}

void TWriteTransaction::Play(const std::function<void(TLoDocument&)>& play, int row,
                             TStepFile file) {
  try {
    play(document_);
  } catch (...) {
    Recover(file);
    if (document_.IsOpen()) ShowFields(TFieldsAfter::StoredRecord, row);
    throw;
  }
  ShowFile(file);
  ShowFields(TFieldsAfter::StoredRecord, row);
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

// Record `row` as stored (with no row: the header texts as stored, the
// fields' edits kept), or the fields as they are with row `row` selected
// again: the rows' refresh leaves none.
void TWriteTransaction::ShowFields(TFieldsAfter fields, int row) {
  row = std::min<int>(row, document_.LastIndex);
  if (fields == TFieldsAfter::Kept) return view_.SetSelectedRow(row);
  if (row >= 0) return form_.ShowStoredRecord(row);
  view_.SetSelectedRow(-1);
  form_.ShowHeaderTexts();
}
