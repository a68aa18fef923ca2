#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

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
  // As the command left them (a Save, a group move), row_after selected;
  // Save stays on while a field is still red. With no row and nothing red,
  // no record is chosen (the fields show zeros).
  Kept,
  // Record row_after as stored, or no record (zeros) with none. The edits
  // left in the fields go into the history, as a row click would put them
  // there.
  StoredRecord,
  // The new record row_after as zeros typed in ("0.0"), as Add Object shows
  // it; the edits left go into the history.
  ZeroRecord,
};

// A writing command's step as the history names it, and what the fields and
// the map's group show after it, its Undo and its Redo.
struct TStepPlan {
  TStepKind kind = TStepKind::Save;
  std::string caption;  // "Add Object", "Paste of 3 records"
  int row_before = -1;  // the record an undo shows
  int row_after = -1;   // the record the command and a redo show
  TFieldsAfter fields = TFieldsAfter::StoredRecord;
  // The map's group after the command and a redo; unset: the group before it.
  std::optional<std::vector<int>> group_after = std::nullopt;
  // The names file's commands check and record that file instead; the
  // object data list shows its names again afterwards.
  TStepFile file = TStepFile::LoFile;
};

// The one way anything writes the open Lo file: a command's writes, and the
// history's steps played back or again. Each run
//  1. checks that the path still names the opened file (nothing changes
//     when it does not);
//  2. for a command, records its writes as one step, and once they are
//     done hands the edits the fields then drop to the history first;
//  3. brings the view in step with the document once at the end: the rows,
//     the record count, the map's points and group, and the fields as the
//     plan says (a row is limited to the records the file holds);
//  4. after a failure, has memory agree with what the file holds (no file
//     is shown when it cannot be read), shows that with the fields and the
//     group as they were before the command, the user's edits and their
//     marks included (a failure takes nothing typed away), and raises the
//     failure on. Only a typed number that does not read (ConvertError,
//     raised before any write) leaves memory and the marks as the command
//     left them: the values a Save read before it stay stored.
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
  // Plays a step of the history; the fields then show record `row` as
  // stored (zeros with no row) and the map's group is `group`, both limited
  // to the records the file holds.
  void Play(const std::function<void(TLoDocument&)>& play, int row, const std::vector<int>& group,
            TStepFile file = TStepFile::LoFile);

 private:
  // What the fields and the group showed as a command began.
  struct TShownBefore {
    int row = -1;
    std::vector<int> group;
    std::optional<TDroppedEdits> edits = std::nullopt;  // the user's, when Save was on
    bool typed = false;
    bool moved_on_map = false;
  };

  TShownBefore Shown() const;
  void ShowAgain(const TShownBefore& before);
  void Recover(TStepFile file);
  void ShowFile(TStepFile file);
  void ShowFields(TFieldsAfter fields, int row, TStepFile file = TStepFile::LoFile);

  TLoDocument& document_;
  TNamesFile& names_;
  TWriteRecorder& recorder_;
  TEditorView& view_;
  const TObjCatalogue& catalogue_;
  TFieldForm& form_;
  TUnsavedEdits& edits_;
};
