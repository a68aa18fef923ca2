#pragma once

#include <functional>
#include <string>

#include "editor/step_player.h"

class TFieldForm;
class TUndoHistory;
class TUnsavedEdits;
class TWriteTransaction;
struct TWriteStep;

// "Undo" and "Redo" of the editor window. Unsaved edits in the fields are
// the newest change: while there are any, Undo takes them back first (the
// fields show the stored record again), as a step that Redo brings back
// with their marks; the steps after the done ones cannot be redone over
// them. A step that wrote the file is played through the write transaction.
class TUndoCommands {
 public:
  TUndoCommands(TUndoHistory& history, TStepPlayer& player, TWriteTransaction& transaction,
                TFieldForm& form, const TUnsavedEdits& edits);
  TUndoCommands(const TUndoCommands&) = delete;
  TUndoCommands& operator=(const TUndoCommands&) = delete;

  bool CanUndo() const;
  bool CanRedo() const;
  // What Undo and Redo would take: "Save of record 7"; empty when nothing.
  std::string UndoCaption() const;
  std::string RedoCaption() const;
  // Takes the newest change back, or does the next one again. A failure
  // raises after the fields show what the file now holds; the step stays
  // where it was, so that it can be tried again.
  void Undo();
  void Redo();
  // Told after every change of what Undo and Redo would do but for edits
  // typed (the window hears of those through the view).
  void SetChangeListener(std::function<void()> listener);

 private:
  void Take(const TWriteStep& step, TStepWay way);

  TUndoHistory& history_;
  TStepPlayer& player_;
  TWriteTransaction& transaction_;
  TFieldForm& form_;
  const TUnsavedEdits& edits_;
};
