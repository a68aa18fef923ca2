#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"
#include "editor/editor_view.h"
#include "editor/map_selection.h"
#include "editor/write_recorder.h"
#include "editor/write_step.h"

class ruriVizid;
class TFolderPrompt;

// What the file-open dialog is asked to show.
struct TOpenDialogRequest {
  std::string title;              // "Choose a Lo File to Edit"
  std::string filter;             // "Lo Files|Lo*.dat|Dat Files|*.dat", first entry chosen
  std::string default_extension;  // "dat"
  std::string initial_folder;
  std::filesystem::path file_name;  // the dialog's last chosen file, empty at first
};

// Which record a commit writes.
enum class TCommitTarget { SelectedRow, LastRecord };

inline const std::string kOpenDialogTitle = "Choose a Lo File to Edit";
inline const std::string kOpenDialogFilter = "Lo Files|Lo*.dat|Dat Files|*.dat";
inline const std::string kOpenDialogDefaultExtension = "dat";
inline const std::string kNoItemSelected = "No Item Selected";
inline const std::string kRecordTableFull = "A Lo file holds at most 256 records";
// Shown after the file's path when another editor has the file open.
inline const std::string kOpenElsewhereSuffix =
    " is open in another Lo editor; saving in both may overwrite changes";
// The record count box with no file open.
inline const std::string kNoFileRecordCount = "#";

// What the editor needs from the desktop. The windows layer implements it
// with the real dialogs; tests script it.
class TEditorHost {
 public:
  virtual ~TEditorHost() = default;
  // Runs the modal file-open dialog; the full path of the chosen file, or
  // nothing when the user cancels.
  virtual std::optional<std::filesystem::path> RunOpenDialog(const TOpenDialogRequest& request) = 0;
  virtual TFolderPrompt& LoFolderPrompt() = 0;
  virtual TFolderPrompt& ObjdatFolderPrompt() = 0;
  // A modal information box ("Information", one OK button).
  virtual void ShowInformation(const std::string& text) = 0;
  virtual void HideStartupWindow() = 0;
  // Asks the program to end once control is back in the event loop; the
  // operation that asks runs on to its end.
  virtual void RequestEnd() = 0;
  virtual bool IsEditorVisible() const = 0;
};

// The record editing logic. Owns the open Lo document, the catalogue and the
// view state, for the life of the process. The window sets the view's
// listener and shows what changes; the editor never hears from the view.
//
// How the window drives it: a row click writes the row with
// View().SetSelectedRowFromUser and calls ShowRecord; a user edit writes the
// text with View().SetTextFromUser and, when the field reports the edit,
// calls MarkFieldModified; a state click writes SetStateIndexFromUser and
// calls MarkStateModified. Every operation runs
// its steps in a fixed order; a failing step raises AppError (or a subclass) and leaves the steps
// before it done (view members set, tables changed, bytes written).
class RecordEditor {
 public:
  RecordEditor(ruriVizid& settings, TEditorHost& host);
  RecordEditor(const RecordEditor&) = delete;
  RecordEditor& operator=(const RecordEditor&) = delete;

  TEditorView& View() { return view_; }
  const TEditorView& View() const { return view_; }
  const TLoDocument& Document() const { return document_; }
  const TObjCatalogue& Catalogue() const { return catalogue_; }

  // The one character accepted and written between integer and fraction
  // digits; the windows layer sets it from the user's locale at start and on
  // every locale change.
  void SetDecimalSeparator(char separator) { separator_ = separator; }
  char DecimalSeparator() const { return separator_; }

  // "Open a Lo File": hides the start-up window, resolves the Lo folder, runs
  // the open dialog, reads the chosen file (a cancel asks the program to end
  // and goes on with what is in memory), shows the header texts, clears the
  // fields, loads the catalogue and fills both lists. Fields show zeros and
  // no row is selected afterwards. A file that fails to open or read is
  // given up and the window shows no file, as at start (zeroed fields and
  // table, the one empty row, nothing marked); a file another editor holds open
  // is reported (kOpenElsewhereSuffix) and opened all the same. When the
  // catalogue fails, the file's rows are still shown, none selected.
  void OpenLoFile();
  // Opening a file named on the command line: the steps of OpenLoFile after
  // its dialog, with `file` as the chosen file. The Lo folder is not resolved
  // and no dialog runs; the object data folder is resolved as usual. A file
  // that cannot be opened raises its error and leaves no file open.
  void OpenLoFileNamed(const std::filesystem::path& file);
  // Shows the record of the selected row; nothing when no row is selected.
  // A stored signalling NaN stops it with FloatError at that field.
  void ShowRecord();
  // The user typed a record number (View().SetTextFromUser first): selects
  // and shows that record, limited to 0 ... LastIndex. Runs only while the
  // editor window is visible.
  void GotoRecordNumber();
  // "Save" (SelectedRow): first checks that the file is still the one at its
  // path (103 with no file; see TLoDocument::CheckStillAtPath), changing
  // nothing when it is not. Then converts every field text in window order,
  // storing each value as it is read (ConvertError at the first bad one: the
  // values before it stay stored, nothing is written), writes the record and
  // the header texts, refreshes the contents list and reselects the row. A
  // record field that still shows what ShowRecord showed for this record
  // keeps its stored value instead of being read from its text. With no row
  // selected only the header texts are written; a changed record field keeps
  // its text and mark, and kNoItemSelected is shown.
  void CommitRecord(TCommitTarget target);
  // "Add Object": appends a zeroed record. The record and the header texts
  // are written before the new count, so the count never names a record the
  // file does not hold. At 256 records it shows kRecordTableFull and changes
  // nothing; with no file (103) or a replaced one it fails before anything
  // changes. After a failure the table and rows hold the count the file holds.
  void AddObject();
  // "Remove Object": drops the last record when its row is selected, else
  // shows kNoItemSelected. The file is not shortened. Checks the file as
  // Save does before its first write.
  void RemoveLastObject();
  // The user modified a field: the field turns red and Save is enabled.
  void MarkFieldModified(TField field);
  // The user chose the other state.
  void MarkStateModified();
  // A click on a record's marker on the map: selects its row and shows the
  // record, as a click on the row does, and ends a map group. A row that does
  // not exist selects none.
  void ChooseRecord(int row);
  // The selected record was dragged (or nudged) on the map: X and Y take the
  // position rounded to two decimals, in the user's separator, and are marked
  // as typing marks them (red, Save enabled). Nothing is written to the file.
  // Changes nothing without a selected record, or for a value that is not
  // finite, lies beyond the single-float range or needs more characters than
  // its field holds.
  void MoveSelectedRecord(double x, double y);
  // The editor window closes: closes the Lo file and asks the program to end.
  void CloseLoFile();

  // Placing objects by name (placing.cpp). The writes below check the file
  // as Save does before their first write, write one positioned call per
  // field, and leave the count, the table and the rows agreeing with the
  // file after a failure.

  // A double-click or Enter on Object Data List row `entry`: the shown
  // record's Class and Type take that entry's class and type, marked as
  // typing marks them (red, Save enabled); nothing is written. The fields
  // show the low 8 bits, the value a record holds. Nothing happens without a
  // shown record or for a row that does not exist.
  void PickCatalogueEntry(int entry);
  // Catalogue row `entry` dropped on the map at (x, y): appends a record of
  // that entry's class and type at (x, y) rounded to two decimals, Z, R,
  // density and state 0: the record is written first, the count last. The
  // new row is selected and shown. At 256 records it shows kRecordTableFull
  // and writes nothing; a position the X and Y fields cannot show (not
  // finite, too long) writes nothing. Nothing for a row that does not exist.
  void DropCatalogueEntry(int entry, double x, double y);
  // "Duplicate Object": appends a copy of the shown record as stored (its
  // unsaved edits are not copied) and shows the copy. Without a shown record
  // it shows kNoItemSelected; at 256 records kRecordTableFull.
  void DuplicateRecord();
  // Shift+click on a marker: adds the record to the map group (choosing it:
  // the fields show it) or takes it out. A group starts from the shown record.
  void ToggleInMapGroup(int row);
  // Shift+rectangle: adds the records drawn inside to the map group. The
  // fields show the first of them unless the shown record is in the group.
  void AddAreaToMapGroup(const TMapArea& area);
  // Esc on the map.
  void ClearMapGroup();
  // Moves every record of the map group by (dx, dy) from where the map draws
  // it, each X and Y rounded to two decimals, and writes only those X and Y
  // fields. The shown record's X and Y then show the written values. When any
  // record would land where its fields cannot show it, nothing moves.
  void MoveMapGroup(double dx, double dy);
  // Turns every record of the map group by `degrees` (counter-clockwise)
  // about the middle of their extent, from where the map draws them: X and Y
  // turn around it and every R grows by the angle, each rounded to two
  // decimals, and only those X, Y and R fields are written, as one step.
  // When any record's value would not show in its field, nothing turns.
  void TurnMapGroup(double degrees);
  // The shown record's turning handle is dragged: R shows `angle` in two
  // decimals, marked as typing marks it. The first call of a turn remembers
  // R's text and mark and the Save state, for CancelTurn.
  void TurnShownRecord(double angle);
  // The turn is over: what it set stays (FinishTurn) or goes back to what
  // R and Save were before it (CancelTurn).
  void FinishTurn() { turn_start_.reset(); }
  void CancelTurn();

  // The parts beside the editor: the undo history plays steps on the
  // document and has the editor show the result; restoring a backup runs
  // through the recorder like every command that writes.
  TLoDocument& FileDocument() { return document_; }
  TWriteRecorder& Recorder() { return recorder_; }

  // Edits the user made in the fields since they last showed a record or a
  // step of the history: Save is enabled and the history does not hold them.
  bool HasUnsavedEdits() const { return view_.SaveEnabled() && typed_; }
  // A command is about to show record `next_row`: edits the user left in
  // the fields go into the history, as a row click would put them there.
  void NoteDroppedEdits(int next_row);
  // "edits of record 7" ("edits of the fields" with no record chosen).
  std::string UnsavedEditsCaption() const;
  // The edits as a step (nothing written), and the fields show the stored
  // record again, unmarked, as after a click on its row.
  TWriteStep TakeBackUnsavedEdits();
  // The fields show these edits again, with their marks, on their record.
  void ShowEdits(const TDroppedEdits& edits);
  // The fields show record `row` as stored (limited to the last record);
  // with no row, the header texts as stored and the record fields cleared.
  void ShowStoredRecord(int row);
  // The file's bytes changed under the editor (a step was played): the
  // lists and the count as the file is now, and record `row` shown. With no
  // row, only the header texts are shown again; edits of the fields stay.
  void ShowFileAt(int row);
  // After a failed write: the table, the rows and the record count say what
  // the file says (no file shown when its count cannot be read).
  void AgreeWithFile();

 private:
  void OpenChosenFile();
  void ReadChosenFile();
  void ShowContents();
  void ShowNoFile();
  void CommitHeaderTexts();
  void ClearFields();
  void ShowZeroRecord(int index);
  void ReplaceRecordNumber(int index);
  void LoadCatalogue();
  void ShowOpenedFile();
  void CommitRecordAt(int index, std::optional<std::int16_t> count_after_record = {});
  void RememberShown(TField field);
  bool StillShown(int index, TField field) const;
  void ForgetShown(int index = -1);
  std::optional<std::string> MovedText(TField field, double value) const;
  std::string ZeroText() const;
  void AppendRecord(std::uint8_t object_class, std::uint8_t object_type, double x, double y);
  void AppendStoredRecord(const TLoRecord& record, const std::string& description);
  bool HasShownRecord() const;
  void ChooseShown(int row);
  void ShowRecordNow();
  void MoveToRecordNumber(bool note_dropped_edits);
  TDroppedEdits FieldEdits(int next_row) const;
  void DescribeSave(TWriteStep& step, int index) const;
  struct TGroupWrite {
    int row = 0;
    std::vector<std::pair<TField, std::string>> texts;  // X, Y or R
  };
  void WriteGroupFields(const std::vector<TGroupWrite>& writes, TStepKind kind,
                        const std::string& verb);

  ruriVizid& settings_;
  TEditorHost& host_;
  TEditorView view_;
  TLoDocument document_;
  TObjCatalogue catalogue_;
  char separator_ = '.';
  // The open dialog keeps its last chosen file name, also across a cancel.
  std::filesystem::path dialog_file_name_;
  // What ShowRecord put into each record field for record shown_index_'s
  // stored value (the text as the field holds it; the state as its choice).
  // A commit writes the stored bytes back for a field that still shows it, so
  // an untouched field never loses what its shown form rounds off or cuts.
  int shown_index_ = -1;
  std::array<std::optional<std::string>, kFieldCount> shown_;
  // The record the fields show (-1: none chosen), whose edits a row change drops.
  int fields_row_ = -1;
  // The record was moved on the map since it was shown: a Save that changes
  // nothing but X and Y is then a "Move".
  bool moved_on_map_ = false;
  // The user changed a field since the history last showed edits.
  bool typed_ = false;
  // R and Save as they were when the handle drag began.
  struct TTurnStart {
    std::string r_text;
    THighlight r_highlight = THighlight::Normal;
    bool save_enabled = false;
    bool typed = false;
  };
  std::optional<TTurnStart> turn_start_;
  TWriteRecorder recorder_;
};
