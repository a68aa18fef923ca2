#include "editor/undo_history.h"

void TUndoHistory::TookBack() {
  if (done_ == 0) return;
  --done_;
  Changed();
}

void TUndoHistory::DidAgain() {
  if (done_ >= steps_.size()) return;
  ++done_;
  if (steps_[done_ - 1].kind == TStepKind::RestoreBackup) opened_at_ = static_cast<long>(done_);
  Changed();
}

void TUndoHistory::AddTakenBack(TWriteStep step) {
  Add(std::move(step));
  --done_;
  Changed();
}

void TUndoHistory::StepMade(TWriteStep step) {
  Add(std::move(step));
  if (steps_.back().kind == TStepKind::RestoreBackup) opened_at_ = static_cast<long>(done_);
  Changed();
}

void TUndoHistory::Add(TWriteStep step) {
  steps_.resize(done_);  // what could be redone is gone
  if (opened_at_ > static_cast<long>(done_)) opened_at_ = -1;
  steps_.push_back(std::move(step));
  ++done_;
  if (steps_.size() > kStepLimit) {
    steps_.erase(steps_.begin());
    --done_;
    opened_at_ = opened_at_ > 0 ? opened_at_ - 1 : -1;
  }
}

void TUndoHistory::FileChanged() {
  steps_.clear();
  done_ = 0;
  opened_at_ = 0;
  Changed();
}

void TUndoHistory::Changed() const {
  if (changed_) changed_();
}
