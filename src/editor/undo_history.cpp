#include "editor/undo_history.h"

#include "editor/record_editor.h"

TUndoHistory::TUndoHistory(RecordEditor& editor) : editor_(editor), player_(editor.FileDocument()) {
  editor_.Recorder().SetListener(this);
}

TUndoHistory::~TUndoHistory() { editor_.Recorder().SetListener(nullptr); }

bool TUndoHistory::CanUndo() const { return editor_.HasUnsavedEdits() || done_ > 0; }

bool TUndoHistory::CanRedo() const { return !editor_.HasUnsavedEdits() && done_ < steps_.size(); }

std::string TUndoHistory::UndoCaption() const {
  if (editor_.HasUnsavedEdits()) return editor_.UnsavedEditsCaption();
  return done_ > 0 ? steps_[done_ - 1].description : std::string();
}

std::string TUndoHistory::RedoCaption() const {
  return CanRedo() ? steps_[done_].description : std::string();
}

void TUndoHistory::Undo() {
  if (editor_.HasUnsavedEdits()) {
    // Kept as a step already taken back: Redo brings the edits again.
    Add(editor_.TakeBackUnsavedEdits());
    --done_;
    return Changed();
  }
  if (done_ == 0) return;
  Take(steps_[done_ - 1], TStepWay::Back);
  --done_;
  Changed();
}

void TUndoHistory::Redo() {
  if (!CanRedo()) return;
  Take(steps_[done_], TStepWay::Again);
  ++done_;
  if (steps_[done_ - 1].kind == TStepKind::RestoreBackup) opened_at_ = static_cast<long>(done_);
  Changed();
}

void TUndoHistory::Take(const TWriteStep& step, TStepWay way) {
  const int row = way == TStepWay::Back ? step.row_before : step.row_after;
  if (!step.WritesFile()) {
    // Edits left for another record show again when taken back; edits taken
    // back by Undo show again when done again.
    const bool edits_again = (step.kind == TStepKind::TypedEdits) == (way == TStepWay::Again);
    if (step.edits && edits_again) return editor_.ShowEdits(*step.edits);
    return editor_.ShowStoredRecord(row);
  }
  try {
    player_.Play(step, way);
  } catch (...) {
    editor_.AgreeWithFile();
    if (editor_.Document().IsOpen()) editor_.ShowFileAt(row);
    throw;
  }
  editor_.ShowFileAt(row);
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
