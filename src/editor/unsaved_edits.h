#pragma once

#include <optional>
#include <string>

#include "editor/write_step.h"

class TEditorView;
class TWriteRecorder;

// The edits the user made in the fields and has not saved, as the undo
// history sees them: which record they belong to, whether the user typed
// since the history last showed edits, and what they are. Edits left for
// another record go to the history as a step of their own.
class TUnsavedEdits {
 public:
  TUnsavedEdits(TEditorView& view, TWriteRecorder& recorder) : view_(view), recorder_(recorder) {}

  // The record the fields show (-1: none chosen), whose edits a row change drops.
  int Row() const { return row_; }
  // The fields show record `row` (-1: none), as stored and unmarked.
  void ShowingRecord(int row);
  // The user changed a field; `typed` false: the edits shown are the history's.
  void SetTyped(bool typed) { typed_ = typed; }
  bool Typed() const { return typed_; }
  // The record was moved on the map since it was shown: a Save that changes
  // nothing but X and Y is then a "Move".
  void SetMovedOnMap(bool moved) { moved_on_map_ = moved; }
  bool MovedOnMap() const { return moved_on_map_; }

  // Edits the user made since the fields last showed a record or a step of
  // the history: Save is enabled and the history does not hold them.
  bool Any() const;
  // "edits of record 7" ("edits of the fields" with no record chosen).
  std::string Caption() const;
  // What the fields show now, as edits of their record; `next_row` is where
  // the user goes.
  TDroppedEdits Capture(int next_row) const;
  // The fields are about to show record `next_row`: edits left in them go
  // into the history, as a row click would put them there.
  void NoteDropped(int next_row);
  // That step (nothing when there are no edits or no history), for a
  // command to hand over only once its writes are done.
  std::optional<TWriteStep> Dropped(int next_row) const;

 private:
  TEditorView& view_;
  TWriteRecorder& recorder_;
  int row_ = -1;
  bool typed_ = false;
  bool moved_on_map_ = false;
};
