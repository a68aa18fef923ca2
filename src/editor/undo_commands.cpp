#include "editor/undo_commands.h"

#include "editor/field_form.h"
#include "editor/undo_history.h"
#include "editor/unsaved_edits.h"
#include "editor/write_transaction.h"

TUndoCommands::TUndoCommands(TUndoHistory& history, TStepPlayer& player,
                             TWriteTransaction& transaction, TFieldForm& form,
                             const TUnsavedEdits& edits)
    : history_(history), player_(player), transaction_(transaction), form_(form), edits_(edits) {}

bool TUndoCommands::CanUndo() const { return edits_.Any() || history_.NextBack() != nullptr; }

bool TUndoCommands::CanRedo() const { return !edits_.Any() && history_.NextAgain() != nullptr; }

std::string TUndoCommands::UndoCaption() const {
  if (edits_.Any()) return edits_.Caption();
  const TWriteStep* step = history_.NextBack();
  return step != nullptr ? step->description : std::string();
}

std::string TUndoCommands::RedoCaption() const {
  return CanRedo() ? history_.NextAgain()->description : std::string();
}

void TUndoCommands::Undo() {
  // Kept as a step already taken back: Redo brings the edits again.
  if (edits_.Any()) return history_.AddTakenBack(form_.TakeBackUnsavedEdits());
  const TWriteStep* step = history_.NextBack();
  if (step == nullptr) return;
  Take(*step, TStepWay::Back);
  history_.TookBack();
}

void TUndoCommands::Redo() {
  if (!CanRedo()) return;
  Take(*history_.NextAgain(), TStepWay::Again);
  history_.DidAgain();
}

void TUndoCommands::SetChangeListener(std::function<void()> listener) {
  history_.SetChangeListener(std::move(listener));
}

void TUndoCommands::Take(const TWriteStep& step, TStepWay way) {
  const bool back = way == TStepWay::Back;
  const int row = back ? step.row_before : step.row_after;
  if (!step.WritesFile()) {
    // Edits left for another record show again when taken back; edits taken
    // back by Undo show again when done again.
    const bool edits_again = (step.kind == TStepKind::TypedEdits) == (way == TStepWay::Again);
    if (step.edits && edits_again) return form_.ShowEdits(*step.edits);
    return form_.ShowStoredRecord(row);
  }
  transaction_.Play([&](TLoDocument&) { player_.Play(step, way); }, row,
                    back ? step.group_before : step.group_after, step.file);
}
