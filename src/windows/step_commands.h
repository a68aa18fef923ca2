#pragma once

#include <QUndoCommand>
#include <memory>

#include "editor/write_step.h"

class RecordEditor;

// One step of the editor window's history, one class per kind of step. The
// editor has made a step by the time it is pushed, so the push's redo()
// writes nothing. The history applies a step itself before it moves the
// stack (Apply), so that a step whose undo or redo failed stays where it is.
class StepCommand : public QUndoCommand {
 public:
  StepCommand(RecordEditor& editor, TWriteStep step);

  const TWriteStep& Step() const { return step_; }
  // Takes the step back or does it again; false, after the error box, when
  // that failed. The stack's next undo() or redo() of it then writes nothing.
  bool Apply(bool undo);

  void undo() override;
  void redo() override;

 private:
  RecordEditor& editor_;
  TWriteStep step_;
  bool applied_ = true;
};

class SaveCommand final : public StepCommand {
  using StepCommand::StepCommand;
};
class MoveCommand final : public StepCommand {
  using StepCommand::StepCommand;
};
class AddObjectCommand final : public StepCommand {
  using StepCommand::StepCommand;
};
class RemoveObjectCommand final : public StepCommand {
  using StepCommand::StepCommand;
};
class RestoreBackupCommand final : public StepCommand {
  using StepCommand::StepCommand;
};
// Writes nothing: brings the edits of a record back into the fields.
class DroppedEditsCommand final : public StepCommand {
  using StepCommand::StepCommand;
};

// The command for the step's kind.
std::unique_ptr<StepCommand> MakeStepCommand(RecordEditor& editor, TWriteStep step);
