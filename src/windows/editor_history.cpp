#include "windows/editor_history.h"

#include "editor/record_editor.h"
#include "windows/step_commands.h"

EditorHistory::EditorHistory(RecordEditor& editor, QObject* parent)
    : QObject(parent), editor_(editor) {
  stack_.setUndoLimit(kStepLimit);
  connect(&stack_, &QUndoStack::indexChanged, this, &EditorHistory::changed);
  connect(&stack_, &QUndoStack::cleanChanged, this, &EditorHistory::changed);
  editor_.SetStepListener([this](TWriteStep step) { Push(std::move(step)); });
}

EditorHistory::~EditorHistory() { editor_.SetStepListener({}); }

void EditorHistory::Push(TWriteStep step) {
  stack_.push(MakeStepCommand(editor_, std::move(step)).release());
  emit changed();
}

// The stack hands its commands out as const; they are ours, all StepCommands.
StepCommand& EditorHistory::CommandAt(int index) {
  return *static_cast<StepCommand*>(const_cast<QUndoCommand*>(stack_.command(index)));
}

void EditorHistory::Undo() {
  if (stack_.canUndo() && CommandAt(stack_.index() - 1).Apply(true)) stack_.undo();
}

void EditorHistory::Redo() {
  if (stack_.canRedo() && CommandAt(stack_.index()).Apply(false)) stack_.redo();
}
