#pragma once

#include <string>

#include "datafiles/lo_document.h"
#include "datafiles/names_file.h"
#include "datafiles/obj_catalogue.h"
#include "editor/backup_restore.h"
#include "editor/comparison.h"
#include "editor/editor_host.h"
#include "editor/editor_view.h"
#include "editor/field_form.h"
#include "editor/file_check.h"
#include "editor/file_opening.h"
#include "editor/group_edits.h"
#include "editor/object_naming.h"
#include "editor/objects.h"
#include "editor/placing.h"
#include "editor/record_commands.h"
#include "editor/step_player.h"
#include "editor/undo_commands.h"
#include "editor/undo_history.h"
#include "editor/unsaved_edits.h"
#include "editor/write_recorder.h"
#include "editor/write_transaction.h"

class ruriVizid;

// The editing session: the open Lo document, the catalogue, the view state,
// the field form, the write recorder and the history, for the life of the
// process, and the parts that act on them. It is the one surface the
// window's commands part, the tests and the benchmarks drive, the same way:
// the user's events below, and the commands of its parts. Nothing outside it
// writes the document or reaches the recorder.
//
// Every operation runs its steps in a fixed order; a failing step raises
// AppError (or a subclass) and leaves the steps before it done. The window
// sets the view's listener and shows what changes.
class TEditingSession {
 public:
  TEditingSession(ruriVizid& settings, TEditorHost& host);
  TEditingSession(const TEditingSession&) = delete;
  TEditingSession& operator=(const TEditingSession&) = delete;

  TEditorView& View() { return view_; }
  const TEditorView& View() const { return view_; }
  const TLoDocument& Document() const { return document_; }
  const TObjCatalogue& Catalogue() const { return catalogue_; }

  // The user's events, as the window reports them.
  // A click on contents row `row` (a record number, not a position among
  // the rows a find leaves): selects it alone (a map group ends) and shows
  // the record.
  void ClickRow(int row);
  // Ctrl+click on contents row `row`: takes it into the selection (the map
  // group) or out, as Shift+click on its marker does; it anchors a range.
  void ToggleRow(int row);
  // Shift+click on contents row `row`, or Shift+arrow onto it: the rows the
  // list shows from the anchor to `row` become the selection, `row` shown.
  // The anchor is the row last clicked alone or with Ctrl, while a group
  // stands or that row is shown; else the shown record.
  void ExtendSelectionToRow(int row);
  // The user changed a field's text to `text`: the view takes it; a record
  // number goes to its record, any other field turns red and enables Save.
  void TypeText(TField field, const std::string& text);
  // The user chose state `index` (0 or 1).
  void ChooseState(int index);

  // The commands, by family.
  TFileOpening& Files() { return files_; }
  TRecordCommands& Records() { return records_; }
  TPlacing& Placing() { return placing_; }
  TObjects& Objects() { return objects_; }
  TBackupRestore& BackupRestore() { return backup_restore_; }
  TGroupEdits& Group() { return group_; }
  TUndoCommands& Undo() { return undo_; }
  TComparison& Compare() { return compare_; }
  std::vector<TLoFinding> CheckFile() { return CheckOpenFile(document_, catalogue_); }
  TObjectNaming& Naming() { return naming_; }
  const TUndoCommands& Undo() const { return undo_; }
  // The steps the history holds, for what shows them.
  const TUndoHistory& History() const { return history_; }

 private:
  TEditorView view_;
  TLoDocument document_;
  TObjCatalogue catalogue_;
  TNamesFile names_{catalogue_};
  TWriteRecorder recorder_;
  TUndoHistory history_;
  TStepPlayer player_{document_, names_};
  TUnsavedEdits edits_{view_, recorder_};
  TFieldForm form_;
  TWriteTransaction transaction_;
  TFileOpening files_;
  TRecordCommands records_;
  TPlacing placing_;
  TObjects objects_;
  TBackupRestore backup_restore_;
  TGroupEdits group_;
  TUndoCommands undo_;
  TComparison compare_;
  TObjectNaming naming_;
};
