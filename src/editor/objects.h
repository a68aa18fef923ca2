#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/lo_text.h"

class TEditorView;
class TLoDocument;
class TWriteTransaction;

// Objects leaving and entering the open Lo file: copy, paste, delete and
// cut. The objects a command acts on are the map group when there is one,
// else the shown record. Each command that writes is one step of the
// history; the clipboard itself belongs to the window.

// Where a paste puts the records.
struct TPastePoint {
  double x = 0.0;
  double y = 0.0;
};

// Records from clipboard text: lines in the exact form or in lodump's plain
// form. Raises LoTextError naming the first line that is not a record.
std::vector<TRecordBytes> ObjectsFromText(std::string_view text);

class TObjects {
 public:
  TObjects(TEditorView& view, const TLoDocument& document, TWriteTransaction& transaction)
      : view_(view), document_(document), transaction_(transaction) {}
  TObjects(const TObjects&) = delete;
  TObjects& operator=(const TObjects&) = delete;

  // The rows of the objects in record order: the map group, else the shown
  // record; empty when there is neither.
  std::vector<int> ChosenObjects() const;
  // The objects' records as stored (edits not saved are not in them). Raises
  // AppError kNoItemSelected when there are none.
  std::vector<TRecordBytes> CopyObjects() const;
  // Appends the records at the end of the file, the records first and the
  // count last, as one step ("Paste of 3 records"). They become the map group
  // and the last one is shown. With `at`, the group keeps its shape and the
  // centre of its X/Y bounding box goes to the point, each X and Y rounded to
  // two decimals (a record whose X or Y is not a finite number keeps both and
  // does not count for the centre). With a grid step in the view, the group
  // moves on so that its first placed record lands on the grid. More records
  // than the file has room for raise AppError (NoRoomMessage: how many would
  // fit), nothing written. A position beyond the single-float range raises
  // AppError before anything is written.
  void PasteObjects(std::span<const TRecordBytes> records, const TPastePoint* at = nullptr);
  // Removes the objects as one step ("Delete of 2 records"): the records after
  // each one move up, keeping their order, and the count is written last. Each
  // kept record is written to its new place before anything overwrites its old
  // one, so whatever fault strikes every kept record stands whole somewhere in
  // the file (at worst twice, under the old count). The record now at the
  // first deleted position is shown. Without objects, raises AppError
  // kNoItemSelected and writes nothing.
  void DeleteObjects();
  // Copy, then delete, as one step ("Cut of 1 record"). Returns the records
  // copied; raises as DeleteObjects.
  std::vector<TRecordBytes> CutObjects();

 private:
  int ShownRow() const;
  void RemoveRows(const std::vector<int>& rows, const std::string& command);

  TEditorView& view_;
  const TLoDocument& document_;
  TWriteTransaction& transaction_;
};

// "3 records", "1 record".
std::string RecordsCaption(std::size_t count);

// The refusal of a paste (or of what `nothing_done` names) when only
// `room` more records fit.
std::string NoRoomMessage(int room, const std::string& nothing_done = "nothing was pasted");
