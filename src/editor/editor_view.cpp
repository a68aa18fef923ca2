#include "editor/editor_view.h"

#include <utility>

TEditorView::TEditorView() {
  // Every number field starts as "0"; the header texts start empty.
  for (const TFieldInfo& info : kFieldTable) {
    if (info.kind == TFieldKind::HeaderText || !info.IsText()) continue;
    // not = "0": GCC 12 -Wrestrict misfires at -O2
    texts_[FieldIndex(info.field)].assign(1, '0');
  }
  highlights_.fill(THighlight::Normal);
}

std::size_t TEditorView::MaxLength(TField field) { return FieldInfo(field).max_length; }

bool TEditorView::StoreText(TField field, const std::string& text) {
  std::string cut = text.substr(0, MaxLength(field));
  std::string& current = texts_[FieldIndex(field)];
  if (cut == current) return false;
  current = std::move(cut);
  return true;
}

void TEditorView::SetText(TField field, const std::string& text) {
  if (!StoreText(field, text)) return;
  Notify({TAspect::Text, field});
}

void TEditorView::SetTextFromUser(TField field, const std::string& text) { StoreText(field, text); }

void TEditorView::SetHighlight(TField field, THighlight highlight) {
  if (field == TField::RecordNo || highlights_[FieldIndex(field)] == highlight) return;
  highlights_[FieldIndex(field)] = highlight;
  Notify({TAspect::Highlight, field});
}

int TEditorView::LimitStateIndex(int index) {
  if (index > 1) return 1;
  if (index < -1) return -1;
  return index;
}

void TEditorView::SetStateIndex(int index) {
  index = LimitStateIndex(index);
  if (index == state_index_) return;
  state_index_ = index;
  Notify({TAspect::Choice, TField::State});
}

void TEditorView::SetStateIndexFromUser(int index) { state_index_ = LimitStateIndex(index); }

void TEditorView::SetSaveEnabled(bool enabled) {
  if (enabled == save_enabled_) return;
  save_enabled_ = enabled;
  Notify({TAspect::SaveEnabled});
}

void TEditorView::SetAddRemoveEnabled(bool enabled) {
  if (enabled == add_remove_enabled_) return;
  add_remove_enabled_ = enabled;
  Notify({TAspect::AddRemoveEnabled});
}

void TEditorView::SetRecordCountText(const std::string& text) {
  if (text == record_count_text_) return;
  record_count_text_ = text;
  Notify({TAspect::RecordCountText});
}

void TEditorView::SetWindowCaption(const std::string& text) {
  if (text == window_caption_) return;
  window_caption_ = text;
  Notify({TAspect::WindowCaption});
}

void TEditorView::ReplaceContentsRows(std::vector<std::string> rows) {
  if (rows != contents_rows_) {
    contents_rows_ = std::move(rows);
    Notify({TAspect::ContentsRows});
  }
  SetSelectedRow(-1);
}

bool TEditorView::StoreSelectedRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= contents_rows_.size()) row = -1;
  if (row == selected_row_) return false;
  selected_row_ = row;
  return true;
}

void TEditorView::SetSelectedRow(int row) {
  if (StoreSelectedRow(row)) Notify({TAspect::SelectedRow});
}

void TEditorView::SetSelectedRowFromUser(int row) { StoreSelectedRow(row); }

void TEditorView::ReplaceCatalogueRows(std::vector<std::string> rows) {
  if (rows == catalogue_rows_) return;
  catalogue_rows_ = std::move(rows);
  Notify({TAspect::CatalogueRows});
}

void TEditorView::Notify(TViewMember member) const {
  if (listener_) listener_(member);
}
