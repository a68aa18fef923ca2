#include "editor/editor_view.h"

#include <utility>

TViewMember TextMember(TField field) { return static_cast<TViewMember>(field); }

TViewMember HighlightMember(TField field) {
  // ClassHighlight follows Density; RecordNo (index 0) has no highlight.
  return static_cast<TViewMember>(static_cast<int>(TViewMember::ClassHighlight) +
                                  static_cast<int>(field) - 1);
}

TEditorView::TEditorView() {
  for (TField field : {TField::RecordNo, TField::Class, TField::Type, TField::X, TField::Y,
                       TField::Z, TField::R, TField::Density}) {
    texts_[Index(field)].assign(1, '0');  // not = "0": GCC 12 -Wrestrict misfires at -O2
  }
  highlights_.fill(THighlight::Normal);
}

std::size_t TEditorView::MaxLength(TField field) {
  switch (field) {
    case TField::RecordNo:
    case TField::Class:
    case TField::Type:
      return 6;
    case TField::Name:
      return 19;
    case TField::Description:
      return 73;
    default:
      return 11;  // X, Y, Z, R, Density
  }
}

bool TEditorView::StoreText(TField field, const std::string& text) {
  std::string cut = text.substr(0, MaxLength(field));
  std::string& current = texts_[Index(field)];
  if (cut == current) return false;
  current = std::move(cut);
  return true;
}

void TEditorView::SetText(TField field, const std::string& text) {
  if (!StoreText(field, text)) return;
  Notify(TextMember(field));
  if (field == TField::RecordNo && record_number_hook_) record_number_hook_();
}

void TEditorView::SetTextFromUser(TField field, const std::string& text) { StoreText(field, text); }

void TEditorView::SetHighlight(TField field, THighlight highlight) {
  if (field == TField::RecordNo || highlights_[Index(field)] == highlight) return;
  highlights_[Index(field)] = highlight;
  Notify(HighlightMember(field));
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
  Notify(TViewMember::StateIndex);
}

void TEditorView::SetStateIndexFromUser(int index) { state_index_ = LimitStateIndex(index); }

void TEditorView::SetStateHighlight(THighlight highlight) {
  if (highlight == state_highlight_) return;
  state_highlight_ = highlight;
  Notify(TViewMember::StateHighlight);
}

void TEditorView::SetSaveEnabled(bool enabled) {
  if (enabled == save_enabled_) return;
  save_enabled_ = enabled;
  Notify(TViewMember::SaveEnabled);
}

void TEditorView::SetAddRemoveEnabled(bool enabled) {
  if (enabled == add_remove_enabled_) return;
  add_remove_enabled_ = enabled;
  Notify(TViewMember::AddRemoveEnabled);
}

void TEditorView::SetRecordCountText(const std::string& text) {
  if (text == record_count_text_) return;
  record_count_text_ = text;
  Notify(TViewMember::RecordCountText);
}

void TEditorView::SetWindowCaption(const std::string& text) {
  if (text == window_caption_) return;
  window_caption_ = text;
  Notify(TViewMember::WindowCaption);
}

void TEditorView::ReplaceContentsRows(std::vector<std::string> rows) {
  if (rows != contents_rows_) {
    contents_rows_ = std::move(rows);
    Notify(TViewMember::ContentsRows);
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
  if (StoreSelectedRow(row)) Notify(TViewMember::SelectedRow);
}

void TEditorView::SetSelectedRowFromUser(int row) { StoreSelectedRow(row); }

void TEditorView::ReplaceCatalogueRows(std::vector<std::string> rows) {
  if (rows == catalogue_rows_) return;
  catalogue_rows_ = std::move(rows);
  Notify(TViewMember::CatalogueRows);
}

void TEditorView::Notify(TViewMember member) const {
  if (listener_) listener_(member);
}
