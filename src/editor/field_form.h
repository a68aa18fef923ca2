#pragma once

#include <array>
#include <optional>
#include <string>

#include "datafiles/record_fields.h"
#include "editor/editor_view.h"
#include "editor/write_step.h"

class TEditorHost;
class TLoDocument;
class TUnsavedEdits;

// The fields of the editor window as the logic fills and reads them: the
// record shown, the texts typed, the red marks, and the record a Save would
// write. It reads the document and stores typed values into its memory for
// a Save, but never writes the file.
class TFieldForm {
 public:
  TFieldForm(TEditorView& view, const TLoDocument& document, TEditorHost& host,
             TUnsavedEdits& edits);
  TFieldForm(const TFieldForm&) = delete;
  TFieldForm& operator=(const TFieldForm&) = delete;

  // Shows the record of the selected row; nothing when no row is selected.
  // Edits left in the fields go into the history first. A stored
  // signalling NaN stops it with FloatError at that field.
  void ShowRecord();
  // The user typed a record number (the view holds it): selects and shows
  // that record, limited to 0 ... LastIndex. Runs only while the editor
  // window is visible.
  void GotoRecordNumber();
  // The user modified a field: the field turns red and Save is enabled.
  void MarkFieldModified(TField field);
  // The user chose the other state.
  void MarkStateModified();
  // A text the logic enters for the user (a drag, a pick, a turn): shown and
  // marked as typing marks it.
  void Enter(TField field, const std::string& text);

  // Record `row` as stored (limited to the last record), selected and
  // unmarked; with no row, the header texts as stored and the record fields
  // cleared, nothing chosen.
  void ShowStoredRecord(int row);
  // The fields of a zeroed record numbered `index` ("0.0" in the user's
  // separator), unmarked, row `index` selected.
  void ShowZeroRecord(int index);
  // The header texts as stored, unmarked; the record fields keep their edits.
  void ShowHeaderTexts();
  // The window as it is at start: no file, nothing in the fields or lists.
  void ShowNoFile();
  // The edits of a step again, with their marks, on their record.
  void ShowEdits(const TDroppedEdits& edits);
  // The unsaved edits as a step (nothing written), and the fields show the
  // stored record again, unmarked, as after a click on its row.
  TWriteStep TakeBackUnsavedEdits();
  // A group write put `text` into record `row`'s field: when that record is
  // shown, its field shows the text, unmarked, as stored.
  void ShowWritten(int row, TField field, const std::string& text);

  // What a Save of record `index` stores in memory before it writes: the
  // header texts, then every record field in window order, each value as
  // soon as it is read (ConvertError at the first bad one, the ones before
  // it stored). A field that still shows what was shown for this record
  // keeps its stored value. With `index` -1 only the header texts.
  void StoreTyped(int index, TLoDocument& document);

 private:
  void ShowRecordNow();
  void ReplaceRecordNumber(int index);
  void MoveToRecordNumber(bool note_dropped_edits);
  void RememberShown(TField field);
  bool StillShown(int index, TField field) const;
  void ForgetShown(int index = -1);
  std::string ZeroText() const;

  TEditorView& view_;
  const TLoDocument& document_;
  TEditorHost& host_;
  TUnsavedEdits& edits_;
  // What ShowRecord put into each record field for record shown_index_'s
  // stored value (the text as the field holds it; the state as its choice).
  // A commit writes the stored bytes back for a field that still shows it, so
  // an untouched field never loses what its shown form rounds off or cuts.
  int shown_index_ = -1;
  std::array<std::optional<std::string>, kFieldCount> shown_;
};

// The text a coordinate placed on the map shows in `field`: rounded to two
// decimals first, so that the float's own digits do not decide the
// rounding. Nothing for a value that is not finite, lies beyond the
// single-float range or needs more characters than the field holds.
std::optional<std::string> PlacedText(TField field, double value, char separator);
