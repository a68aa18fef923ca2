#include "windows/step_commands.h"

#include "editor/record_editor.h"
#include "qt_convert.h"
#include "windows/guarded.h"

StepCommand::StepCommand(RecordEditor& editor, TWriteStep step)
    : editor_(editor), step_(std::move(step)) {
  setText(ToQString(step_.description));
}

bool StepCommand::Apply(bool undo) {
  bool done = false;
  guarded([&] {
    if (undo) {
      editor_.UndoStep(step_);
    } else {
      editor_.RedoStep(step_);
    }
    done = true;
  });
  applied_ = done;
  return done;
}

void StepCommand::undo() {
  if (!applied_) Apply(true);
  applied_ = false;
}

void StepCommand::redo() {
  if (!applied_) Apply(false);
  applied_ = false;
}

std::unique_ptr<StepCommand> MakeStepCommand(RecordEditor& editor, TWriteStep step) {
  switch (step.kind) {
    case TStepKind::Save:
      return std::make_unique<SaveCommand>(editor, std::move(step));
    case TStepKind::Move:
      return std::make_unique<MoveCommand>(editor, std::move(step));
    case TStepKind::AddObject:
      return std::make_unique<AddObjectCommand>(editor, std::move(step));
    case TStepKind::RemoveObject:
      return std::make_unique<RemoveObjectCommand>(editor, std::move(step));
    case TStepKind::RestoreBackup:
      return std::make_unique<RestoreBackupCommand>(editor, std::move(step));
    case TStepKind::DroppedEdits:
      return std::make_unique<DroppedEditsCommand>(editor, std::move(step));
  }
  return std::make_unique<SaveCommand>(editor, std::move(step));
}
