#pragma once

#include <functional>
#include <string>

#include "editor/write_step.h"

class TEditorView;
class TFieldForm;
class TLoDocument;
class TNamesFile;
class TObjCatalogue;
class TUnsavedEdits;
class TWriteRecorder;

// What the fields show once a command has written.
enum class TFieldsAfter {
  // As the command left them (a Save, a group move), row_after selected.
  Kept,
  // Record row_after as stored. The edits left in the fields go into the
  // history before anything is written, as a row click would put them there.
  StoredRecord,
};

// A writing command's step as the history names it.
struct TStepPlan {
  TStepKind kind = TStepKind::Save;
  std::string caption;  // "Add Object", "Paste of 3 records"
  int row_before = -1;  // the record an undo shows
  int row_after = -1;   // the record the command and a redo show
  TFieldsAfter fields = TFieldsAfter::StoredRecord;
  // The names file's commands check and record that file instead; the
  // object data list shows its names again afterwards.
  TStepFile file = TStepFile::LoFile;
};

// The one way anything writes the open Lo file: a command's writes, and the
// history's steps played back or again. Each run
//  1. checks that the path still names the opened file (nothing changes
//     when it does not);
//  2. for a command, hands the unsaved edits to the history when the fields
//     will show a stored record, and records its writes as one step;
//  3. brings the view in step with the document once at the end: the rows,
//     the record count, the map's points and the fields;
//  4. after a failure, has memory agree with what the file holds (no file
//     is shown when it cannot be read), shows that (the fields show
//     row_before as stored unless they hold edits the command kept), and
//     raises the failure on. Only a typed number that does not read
//     (ConvertError, raised before any write) leaves memory as the command
//     left it: the values a Save read before it stay stored.
class TWriteTransaction {
 public:
  TWriteTransaction(TLoDocument& document, TNamesFile& names, TWriteRecorder& recorder,
                    TEditorView& view, const TObjCatalogue& catalogue, TFieldForm& form,
                    TUnsavedEdits& edits);
  TWriteTransaction(const TWriteTransaction&) = delete;
  TWriteTransaction& operator=(const TWriteTransaction&) = delete;

  // Runs a command's writes as one step of the history. `describe` may
  // name the step from what it wrote (a Save that only moved is a "Move").
  void Run(const TStepPlan& plan, const std::function<void(TLoDocument&)>& writes,
           const std::function<void(TWriteStep&)>& describe = {});
  // Plays a step of the history; the fields then show record `row` (or only
  // the header texts again with no row).
  void Play(const std::function<void(TLoDocument&)>& play, int row,
            TStepFile file = TStepFile::LoFile);

 private:
  void Recover(TStepFile file);
  void ShowFile(TStepFile file);
  void ShowFields(TFieldsAfter fields, int row);

  TLoDocument& document_;
  TNamesFile& names_;
  TWriteRecorder& recorder_;
  TEditorView& view_;
  const TObjCatalogue& catalogue_;
  TFieldForm& form_;
  TUnsavedEdits& edits_;
};
