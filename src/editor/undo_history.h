#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "editor/write_recorder.h"
#include "editor/write_step.h"

// The open file's steps, newest last, and how many of them are done. It
// holds at most kStepLimit steps (the oldest go first) and is emptied when
// another file is opened. It only keeps steps: playing them and showing
// what they leave is the undo commands' job (undo_commands.h).
class TUndoHistory : public TStepListener {
 public:
  static constexpr std::size_t kStepLimit = 1000;

  TUndoHistory() = default;
  TUndoHistory(const TUndoHistory&) = delete;
  TUndoHistory& operator=(const TUndoHistory&) = delete;

  // Told after every change of the steps or of how many are done.
  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

  // The step an undo would take back, and the one a redo would do again;
  // null when there is none.
  const TWriteStep* NextBack() const { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }
  const TWriteStep* NextAgain() const { return done_ < steps_.size() ? &steps_[done_] : nullptr; }
  // NextBack was taken back, NextAgain was done again.
  void TookBack();
  void DidAgain();
  // A step already taken back (unsaved edits Undo took away): Redo brings it.
  void AddTakenBack(TWriteStep step);

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

  std::vector<TWriteStep> steps_;
  std::size_t done_ = 0;
  long opened_at_ = 0;
  std::function<void()> changed_;
};
