#include "editor/field_form.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "datafiles/lo_document.h"
#include "editor/editor_host.h"
#include "editor/number_text.h"
#include "editor/unsaved_edits.h"

TFieldForm::TFieldForm(TEditorView& view, const TLoDocument& document, TEditorHost& host,
                       TUnsavedEdits& edits)
    : view_(view), document_(document), host_(host), edits_(edits) {}

void TFieldForm::ShowRecord() {
  edits_.NoteDropped(view_.SelectedRow());
  ShowRecordNow();
}

void TFieldForm::ShowRecordNow() {
  const int index = view_.SelectedRow();
  if (index < 0 || index >= kLoRecordCapacity) return;
  edits_.ShowingRecord(index);
  const TLoRecord& record = document_.LoRecordTable[static_cast<std::size_t>(index)];
  // The number of the record shown; it needs no going there.
  view_.SetText(TField::RecordNo, IntegerText(index));
  ForgetShown(index);
  for (const TFieldInfo& info : kFieldTable) {
    switch (info.kind) {
      case TFieldKind::RecordNumber:
        break;
      case TFieldKind::HeaderText:
        // From the header buffers: uncommitted edits of these texts are dropped.
        view_.SetText(info.field, document_.HeaderText(info.field));
        break;
      case TFieldKind::Byte:
        view_.SetText(info.field, IntegerText(record.*info.byte));
        break;
      case TFieldKind::Float:
        view_.SetText(info.field, FormatFixed2(record.*info.number, view_.DecimalSeparator()));
        break;
      case TFieldKind::Choice:
        view_.SetStateIndex(record.*info.byte == 0 ? 0 : 1);
        break;
    }
    if (info.InRecord()) RememberShown(info.field);
  }
  for (const TFieldInfo& info : kFieldTable) view_.SetHighlight(info.field, THighlight::Normal);
  view_.SetSaveEnabled(false);
}

// Typed by the user: edits of the record left go into the history.
void TFieldForm::GotoRecordNumber() { MoveToRecordNumber(true); }

// A new record number moves to its record, as typing it would, before the
// caller goes on: the zeroed fields of a new or cleared record replace what
// that record showed, its edits of the name and description included.
void TFieldForm::ReplaceRecordNumber(int index) {
  const std::string text = IntegerText(index);
  if (view_.Text(TField::RecordNo) == text) return;
  view_.SetText(TField::RecordNo, text);
  MoveToRecordNumber(false);
}

void TFieldForm::MoveToRecordNumber(bool note_dropped_edits) {
  if (!host_.IsEditorVisible()) return;
  if (view_.Text(TField::RecordNo).empty()) view_.SetText(TField::RecordNo, "0");
  int n = static_cast<std::int16_t>(ParseInteger(view_.Text(TField::RecordNo)));
  if (n < 0) {
    n = 0;
    view_.SetText(TField::RecordNo, "0");
  }
  const int limit = document_.LastIndex < 0 ? 0 : document_.LastIndex;
  if (n > limit) {
    n = limit;
    view_.SetText(TField::RecordNo, IntegerText(n));
  }
  if (note_dropped_edits) edits_.NoteDropped(n);
  view_.SetSelectedRow(n);
  ShowRecordNow();
}

void TFieldForm::MarkFieldModified(TField field) {
  edits_.SetTyped(true);
  view_.SetSaveEnabled(true);
  view_.SetHighlight(field, THighlight::Modified);
}

void TFieldForm::MarkStateModified() {
  edits_.SetTyped(true);
  view_.SetStateHighlight(THighlight::Modified);
  view_.SetSaveEnabled(true);
}

void TFieldForm::Enter(TField field, const std::string& text) {
  view_.SetText(field, text);
  MarkFieldModified(field);
}

void TFieldForm::ShowStoredRecord(int row) {
  row = std::min<int>(row, document_.LastIndex);
  if (row >= 0) {
    view_.SetSelectedRow(row);
    return ShowRecordNow();
  }
  // No record chosen: the fields as an open leaves them.
  ShowZeroRecord(0);
  view_.SetSelectedRow(-1);
  edits_.ShowingRecord(-1);
  ShowHeaderTexts();
  view_.SetSaveEnabled(false);
}

void TFieldForm::ShowZeroRecord(int index) {
  ReplaceRecordNumber(index);
  for (TField field : kRecordFields) {
    const TFieldKind kind = FieldInfo(field).kind;
    if (kind == TFieldKind::Byte) view_.SetText(field, "0");
    if (kind == TFieldKind::Float) view_.SetText(field, ZeroText());
  }
  ForgetShown();
  for (TField field : kRecordFields) {
    if (FieldInfo(field).IsText()) view_.SetHighlight(field, THighlight::Normal);
  }
  view_.SetStateIndex(0);
  view_.SetStateHighlight(THighlight::Normal);
  view_.SetSelectedRow(index);
  edits_.ShowingRecord(index);
}

void TFieldForm::ShowHeaderTexts() {
  for (TField field : kHeaderTextFields) {
    view_.SetText(field, document_.HeaderText(field));
    view_.SetHighlight(field, THighlight::Normal);
  }
}

// Nothing of a file given up stays in the fields, the tables or the lists,
// so no Save can carry it anywhere.
void TFieldForm::ShowNoFile() {
  view_.ReplaceContentsRows({""});
  view_.SetRecordCountText(kNoFileRecordCount);
  view_.SetWindowCaption(kInitialWindowCaption);
  view_.SetAddRemoveEnabled(false);
  ShowZeroRecord(0);
  for (TField field : kHeaderTextFields) {
    view_.SetText(field, "");
    view_.SetHighlight(field, THighlight::Normal);
  }
  view_.SetSaveEnabled(false);
}

void TFieldForm::ShowEdits(const TDroppedEdits& edits) {
  // Edits of a record the file no longer holds show over no record.
  const int row = edits.row <= document_.LastIndex ? edits.row : -1;
  ShowStoredRecord(row);
  for (const TFieldInfo& info : kFieldTable) {
    if (info.kind == TFieldKind::RecordNumber || !info.IsText()) continue;
    view_.SetText(info.field, edits.texts[FieldIndex(info.field)]);
    view_.SetHighlight(info.field, edits.highlights[FieldIndex(info.field)]);
  }
  view_.SetStateIndex(edits.state_index);
  view_.SetStateHighlight(edits.state_highlight);
  view_.SetSaveEnabled(true);
  edits_.SetTyped(false);  // these edits are the history's
}

TWriteStep TFieldForm::TakeBackUnsavedEdits() {
  TWriteStep step;
  step.kind = TStepKind::TypedEdits;
  step.description = edits_.Caption();
  step.row_before = step.row_after = edits_.Row();
  step.edits = std::make_shared<TDroppedEdits>(edits_.Capture(edits_.Row()));
  ShowStoredRecord(edits_.Row());
  return step;
}

void TFieldForm::ShowWritten(int row, TField field, const std::string& text) {
  if (row != view_.SelectedRow()) return;
  view_.SetText(field, text);
  view_.SetHighlight(field, THighlight::Normal);
  if (shown_index_ == row) RememberShown(field);
}

void TFieldForm::StoreTyped(int index, TLoDocument& document) {
  for (TField field : kHeaderTextFields) document.SetHeaderText(field, view_.Text(field));
  for (TField field : kHeaderTextFields) view_.SetHighlight(field, THighlight::Normal);
  if (index < 0) return;
  TLoRecord& record = document.LoRecordTable[static_cast<std::size_t>(index)];
  // Each value is stored as soon as it is read, so a bad text leaves the
  // ones before it stored.
  for (TField field : kRecordFields) {
    const TFieldInfo& info = FieldInfo(field);
    if (StillShown(index, field)) {
      view_.SetHighlight(field, THighlight::Normal);
      continue;
    }
    shown_[FieldIndex(field)].reset();  // the stored value will be the typed one
    switch (info.kind) {
      case TFieldKind::Byte:
        record.*info.byte = ParseByte(view_.Text(field));
        break;
      case TFieldKind::Float:
        record.*info.number = ParseFloat(view_.Text(field), view_.DecimalSeparator());
        break;
      case TFieldKind::Choice:
        record.*info.byte = static_cast<std::uint8_t>(view_.StateIndex() & 0xFF);
        break;
      default:
        break;
    }
    view_.SetHighlight(field, THighlight::Normal);
  }
}

void TFieldForm::RememberShown(TField field) {
  shown_[FieldIndex(field)] = FieldInfo(field).kind == TFieldKind::Choice
                                  ? IntegerText(view_.StateIndex())
                                  : view_.Text(field);
}

bool TFieldForm::StillShown(int index, TField field) const {
  const std::optional<std::string>& shown = shown_[FieldIndex(field)];
  if (index < 0 || index != shown_index_ || !shown) return false;
  if (FieldInfo(field).kind == TFieldKind::Choice) return *shown == IntegerText(view_.StateIndex());
  return *shown == view_.Text(field);
}

// Nothing is remembered; `index` is the record whose values are about to be shown.
void TFieldForm::ForgetShown(int index) {
  shown_index_ = index;
  for (auto& shown : shown_) shown.reset();
}

// "0.0" in the user's own separator: a literal "0.0" would not read back
// under a "," locale, and every Add Object would then fail.
std::string TFieldForm::ZeroText() const {
  return std::string("0") + view_.DecimalSeparator() + "0";
}

std::optional<std::string> PlacedText(TField field, double value, char separator) {
  const double rounded = std::round(value * 100.0) / 100.0;
  if (!std::isfinite(rounded) || std::abs(rounded) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  std::string text = FormatFixed2(static_cast<float>(rounded), separator);
  if (text.size() > TEditorView::MaxLength(field)) return std::nullopt;
  return text;
}
