#include "editor/record_commands.h"

#include "datafiles/lo_document.h"
#include "editor/editor_host.h"
#include "editor/editor_view.h"
#include "editor/field_form.h"
#include "editor/number_text.h"
#include "editor/unsaved_edits.h"
#include "editor/write_transaction.h"

TRecordCommands::TRecordCommands(TEditorHost& host, TEditorView& view, const TLoDocument& document,
                                 TFieldForm& form, TUnsavedEdits& edits,
                                 TWriteTransaction& transaction)
    : host_(host),
      view_(view),
      document_(document),
      form_(form),
      edits_(edits),
      transaction_(transaction) {}

void TRecordCommands::CommitRecord(TCommitTarget target) {
  const int index = target == TCommitTarget::LastRecord ? document_.LastIndex : view_.SelectedRow();
  transaction_.Run(
      {TStepKind::Save, "", index, index, TFieldsAfter::Kept},
      [&](TLoDocument& document) {
        form_.StoreTyped(index, document);
        if (index >= 0) document.WriteRecord(index);
        document.WriteHeaderTexts();
      },
      [&](TWriteStep& step) { DescribeSave(step, index); });
  // No record took the record fields: a field the user changed keeps its
  // text and its mark, and the user is told why it was not saved.
  if (index < 0 && view_.SaveEnabled()) host_.ShowInformation(kNoItemSelected);
}

// "Move of record 3" when the record was moved on the map and only X and Y
// changed, else "Save of record 3".
void TRecordCommands::DescribeSave(TWriteStep& step, int index) const {
  if (index < 0) {
    step.description = "Save of the name and description";
    return;
  }
  const std::uint64_t base = RecordOffset(index);
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
  step.kind = edits_.MovedOnMap() && moved && !other ? TStepKind::Move : TStepKind::Save;
  step.description =
      (step.kind == TStepKind::Move ? "Move of record " : "Save of record ") + IntegerText(index);
}

void TRecordCommands::AddObject() {
  if (document_.LastIndex + 1 >= kLoRecordCapacity) {
    host_.ShowInformation(kRecordTableFull);
    return;
  }
  const int index = document_.LastIndex + 1;
  transaction_.Run(
      {TStepKind::AddObject, "Add Object", document_.LastIndex, index, TFieldsAfter::ZeroRecord},
      [&](TLoDocument& document) {
        // The new record field by field, then the texts as typed,
        // and the count last: it never names a record the file lacks.
        form_.StoreTyped(-1, document);
        document.LoRecordTable[static_cast<std::size_t>(index)] = TLoRecord{};
        document.WriteRecord(index);
        document.WriteHeaderTexts();
        document.WriteCount(static_cast<std::int16_t>(index + 1));
      });
}

void TRecordCommands::RemoveLastObject() {
  const int selected = view_.SelectedRow();
  if (selected < 0 || selected != document_.LastIndex) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  // The count first; the new last record is then shown as stored and
  // written back with the texts. With none left, the fields stay as typed
  // and the commit takes only the texts.
  const bool none_left = selected == 0;
  transaction_.Run({TStepKind::RemoveObject, "Remove Object", selected, selected - 1,
                    none_left ? TFieldsAfter::Kept : TFieldsAfter::StoredRecord},
                   [&](TLoDocument& document) {
                     document.WriteCount(document.LastIndex);
                     if (none_left) form_.StoreTyped(-1, document);
                     if (document.LastIndex >= 0) document.WriteRecord(document.LastIndex);
                     document.WriteHeaderTexts();
                   });
  if (none_left && view_.SaveEnabled()) host_.ShowInformation(kNoItemSelected);
}
