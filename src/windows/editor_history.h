#pragma once

#include <QObject>
#include <QUndoStack>

#include "editor/write_step.h"

class RecordEditor;
class StepCommand;

// The open file's undo history, owned by the editor window's commands: each
// step the editor reports goes on the stack (step_commands.h). Undo and Redo run
// through the error box; a failed one leaves the stack as it was, so that it
// can be tried again.
class EditorHistory : public QObject {
  Q_OBJECT

 public:
  static constexpr int kStepLimit = 1000;

  EditorHistory(RecordEditor& editor, QObject* parent);
  ~EditorHistory() override;

  // A step the editor has made.
  void Push(TWriteStep step);
  void Undo();
  void Redo();
  // Another file is open (or none): its steps are gone.
  void Clear() { stack_.clear(); }
  const QUndoStack& Stack() const { return stack_; }

 signals:
  // What Undo and Redo would do now changed.
  void changed();

 private:
  StepCommand& CommandAt(int index);
  RecordEditor& editor_;
  QUndoStack stack_;
};
