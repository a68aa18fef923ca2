#include "editor/editing_session.h"

TEditingSession::TEditingSession(ruriVizid& settings, TEditorHost& host)
    : recorder_(document_, names_, [&host](const std::string& notice) { host.ShowInformation(notice); }),
      form_(view_, document_, host, edits_),
      transaction_(document_, names_, recorder_, view_, catalogue_, form_, edits_),
      files_(settings, host, view_, document_, catalogue_, form_, edits_, recorder_),
      records_(host, view_, document_, form_, edits_, transaction_),
      placing_(host, view_, document_, catalogue_, form_, edits_, transaction_),
      objects_(view_, document_, transaction_),
      backups_(view_, document_, recorder_, transaction_),
      group_(host, view_, document_, catalogue_, form_, transaction_),
      undo_(history_, player_, transaction_, form_, edits_),
      compare_(view_, document_, catalogue_, transaction_),
      naming_(host, view_, catalogue_, names_, transaction_) {
  recorder_.SetListener(&history_);
}

void TEditingSession::ClickRow(int row) {
  view_.SetMapGroup({});  // a plain click chooses the record alone
  view_.SetSelectedRowFromUser(row);
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
