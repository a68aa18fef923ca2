#pragma once

class TEditorHost;
class TEditorView;
class TFieldForm;
class TLoDocument;
class TUnsavedEdits;
class TWriteTransaction;
struct TWriteStep;

// Which record a commit writes.
enum class TCommitTarget { SelectedRow, LastRecord };

// The record operations the window's menu and buttons name: "Save", "Add
// Object", "Remove Object". Each runs through the write transaction, so each
// first checks that the file is still the one at its path (103 with no
// file), changing nothing when it is not, and is one step of the history.
class TRecordCommands {
 public:
  TRecordCommands(TEditorHost& host, TEditorView& view, const TLoDocument& document,
                  TFieldForm& form, TUnsavedEdits& edits, TWriteTransaction& transaction);
  TRecordCommands(const TRecordCommands&) = delete;
  TRecordCommands& operator=(const TRecordCommands&) = delete;

  // "Save" (SelectedRow): converts every field text in window order,
  // storing each value as it is read (ConvertError at the first bad one: the
  // values before it stay stored, nothing is written), writes the record and
  // the header texts, refreshes the contents list and reselects the row. A
  // record field that still shows what ShowRecord showed for this record
  // keeps its stored value instead of being read from its text. With no row
  // selected only the header texts are written; a changed record field keeps
  // its text and mark, and kNoItemSelected is shown.
  void CommitRecord(TCommitTarget target);
  // "Add Object": appends a zeroed record, field by field at its offsets,
  // then writes the header texts as typed and the new count last, so the
  // count never names a record the file does not hold. At 256 records it
  // shows kRecordTableFull and changes nothing.
  void AddObject();
  // "Remove Object": drops the last record when its row is selected, else
  // shows kNoItemSelected. The count is written first; the file is not
  // shortened. The new last record and the header texts are then written
  // back as stored; with no record left, the header texts as typed, while
  // changed record fields keep their text and mark and kNoItemSelected says
  // that no record took them.
  void RemoveLastObject();

 private:
  void DescribeSave(TWriteStep& step, int index) const;

  TEditorHost& host_;
  TEditorView& view_;
  const TLoDocument& document_;
  TFieldForm& form_;
  TUnsavedEdits& edits_;
  TWriteTransaction& transaction_;
};
