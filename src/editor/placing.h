#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "datafiles/record_fields.h"
#include "editor/editor_view.h"
#include "editor/map_selection.h"
#include "editor/write_step.h"

class TEditorHost;
class TFieldForm;
class TLoDocument;
class TObjCatalogue;
class TUnsavedEdits;
class TWriteTransaction;

// Placing objects: choosing a record on the map, picking class and type from
// the catalogue, appending records where they are dropped or as copies, the
// map's group, and moving and turning one record or the group. The writes
// run through the write transaction; a failure leaves memory and rows
// agreeing with the file.
class TPlacing {
 public:
  TPlacing(TEditorHost& host, TEditorView& view, const TLoDocument& document,
           const TObjCatalogue& catalogue, TFieldForm& form, TUnsavedEdits& edits,
           TWriteTransaction& transaction);
  TPlacing(const TPlacing&) = delete;
  TPlacing& operator=(const TPlacing&) = delete;

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
  // A double-click or Enter on Object Data List row `entry`: the shown
  // record's Class and Type take that entry's class and type, marked as
  // typing marks them (red, Save enabled); nothing is written. The fields
  // show the low 8 bits, the value a record holds. Nothing happens without a
  // shown record or for a row that does not exist.
  void PickCatalogueEntry(int entry);
  // Catalogue row `entry` dropped on the map at (x, y): appends a record of
  // that entry's class and type at (x, y) (on the grid, when there is one)
  // rounded to two decimals, Z, R, density and state 0. The new row is
  // selected and shown. At 256 records it shows kRecordTableFull and writes
  // nothing; a position the X and Y fields cannot show (not finite, too
  // long) writes nothing. Nothing for a row that does not exist.
  void DropCatalogueEntry(int entry, double x, double y);
  // "Duplicate Object": appends a copy of the shown record as stored (its
  // unsaved edits are not copied) and shows the copy. Without a shown record
  // it shows kNoItemSelected; at 256 records kRecordTableFull.
  void DuplicateRecord();
  // Shift+click on a marker: adds the record to the map group (choosing it:
  // the fields show it) or takes it out (the shown record taken out, the
  // fields show the group's last record). A group starts from the shown record.
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

 private:
  struct TGroupWrite {
    int row = 0;
    std::vector<std::pair<TField, std::string>> texts;  // X, Y or R
  };
  bool HasShownRecord() const;
  void ChooseShown(int row);
  std::optional<std::string> Placed(TField field, double value) const;
  void Append(const TLoRecord& record, const std::string& caption);
  void WriteGroupFields(const std::vector<TGroupWrite>& writes, TStepKind kind,
                        const std::string& verb);

  TEditorHost& host_;
  TEditorView& view_;
  const TLoDocument& document_;
  const TObjCatalogue& catalogue_;
  TFieldForm& form_;
  TUnsavedEdits& edits_;
  TWriteTransaction& transaction_;
  // R and Save as they were when the handle drag began.
  struct TTurnStart {
    std::string r_text;
    THighlight r_highlight = THighlight::Normal;
    bool save_enabled = false;
    bool typed = false;
  };
  std::optional<TTurnStart> turn_start_;
};
