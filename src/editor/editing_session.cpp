#include "editor/editing_session.h"

TEditingSession::TEditingSession(ruriVizid& settings, TEditorHost& host)
    : recorder_(document_, names_, [&host](const std::string& notice) { host.ShowInformation(notice); }),
      form_(view_, document_, host, edits_),
      transaction_(document_, names_, recorder_, view_, catalogue_, form_, edits_),
      files_(settings, host, view_, document_, catalogue_, form_, edits_, recorder_),
      records_(host, view_, document_, form_, edits_, transaction_),
      placing_(host, view_, document_, catalogue_, form_, edits_, transaction_),
      objects_(view_, document_, transaction_),
      backup_restore_(view_, document_, recorder_, transaction_),
      group_(host, view_, document_, form_, transaction_),
      undo_(history_, player_, transaction_, form_, edits_),
      compare_(view_, document_, catalogue_, transaction_),
      naming_(host, view_, catalogue_, names_, transaction_) {
  recorder_.SetListener(&history_);
}

void TEditingSession::ClickRow(int row) {
  view_.SetMapGroup({});  // a plain click chooses the record alone
  view_.SetSelectedRowFromUser(row);
  view_.SetSelectionAnchor(row);
  form_.ShowRecord();
}

void TEditingSession::ToggleRow(int row) {
  placing_.ToggleInMapGroup(row);
  view_.SetSelectionAnchor(row);
}

void TEditingSession::ExtendSelectionToRow(int row) {
  if (row < 0 || row > document_.LastIndex) return;
  const int shown = view_.SelectedRow() <= document_.LastIndex ? view_.SelectedRow() : -1;
  // An anchor left from before the record was last chosen alone (on the
  // map, by a command) is not the user's any more.
  int anchor = view_.SelectionAnchor();
  const bool still_anchors = anchor == shown || !view_.MapGroup().empty();
  if (!still_anchors || anchor < 0 || anchor > document_.LastIndex) {
    anchor = shown >= 0 ? shown : row;
  }
  std::vector<int> range = RowRange(view_.ShownRows(TList::Contents), anchor, row);
  if (range.size() < 2) range.clear();  // the row alone
  view_.SetMapGroup(std::move(range));
  view_.SetSelectionAnchor(anchor);
  view_.SetSelectedRow(row);
  form_.ShowRecord();
}

// The text first, then what it means; what shows it elsewhere (the map, the
// Redo caption) hears of it once it is marked.
void TEditingSession::TypeText(TField field, const std::string& text) {
  view_.SetTextFromUser(field, text);
  if (field == TField::RecordNo) {
    view_.ReportTyped(field);
    return form_.GotoRecordNumber();
  }
  form_.MarkFieldModified(field);
  view_.ReportTyped(field);
}

void TEditingSession::ChooseState(int index) {
  view_.SetStateIndexFromUser(index);
  form_.MarkStateModified();
  view_.ReportTyped(TField::State);
}
