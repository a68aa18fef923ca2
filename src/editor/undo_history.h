#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "editor/step_player.h"
#include "editor/write_recorder.h"
#include "editor/write_step.h"

class RecordEditor;

// The open file's undo history: the steps the editor made, newest last, and
// how many of them are done. The window, the tests and the benchmarks all
// keep this one. It holds at most kStepLimit steps (the oldest go first) and
// is emptied when another file is opened.
//
// Unsaved edits in the fields are the newest change: while there are any,
// Undo takes them back first (the fields show the stored record again), as a
// step that Redo brings back with their marks; the steps after the done ones
// cannot be redone over them.
class TUndoHistory : public TStepListener {
 public:
  static constexpr std::size_t kStepLimit = 1000;

  explicit TUndoHistory(RecordEditor& editor);
  ~TUndoHistory() override;
  TUndoHistory(const TUndoHistory&) = delete;
  TUndoHistory& operator=(const TUndoHistory&) = delete;

  // Told after every change of what Undo and Redo would do.
  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

  bool CanUndo() const;
  bool CanRedo() const;
  // What Undo and Redo would take: "Save of record 7"; empty when nothing.
  std::string UndoCaption() const;
  std::string RedoCaption() const;
  // Takes the newest change back, or does the next one again. A failure
  // raises what the editor raises, after the editor shows what the file now
  // holds; the step stays where it was, so that it can be tried again.
  void Undo();
  void Redo();

  const std::vector<TWriteStep>& Steps() const { return steps_; }
  std::size_t Done() const { return done_; }
  // Where the file is as it was opened (or last restored from a backup):
  // the number of steps done then, or -1 when no longer reachable.
  long OpenedAt() const { return opened_at_; }

  void StepMade(TWriteStep step) override;
  void FileChanged() override;

 private:
  void Add(TWriteStep step);
  void Changed() const;
  void Take(const TWriteStep& step, TStepWay way);

  RecordEditor& editor_;
  TStepPlayer player_;
  std::vector<TWriteStep> steps_;
  std::size_t done_ = 0;
  long opened_at_ = 0;
  std::function<void()> changed_;
};
