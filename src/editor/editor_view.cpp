#include "editor/editor_view.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "editor/list_filter.h"

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
    Refilter(TList::Contents);
    Notify({TAspect::ContentsRows});
    PruneMapGroup();
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
  Refilter(TList::Catalogue);
  Notify({TAspect::CatalogueRows});
}

const std::vector<std::string>& TEditorView::Rows(TList list) const {
  return list == TList::Contents ? contents_rows_ : catalogue_rows_;
}

// True when the rows shown changed.
bool TEditorView::Refilter(TList list) {
  std::vector<int> shown = RowsMatchingFind(Rows(list), Find(list).text);
  if (shown == Find(list).shown) return false;
  Find(list).shown = std::move(shown);
  return true;
}

void TEditorView::SetFindText(TList list, const std::string& text) {
  const bool text_changed = text != Find(list).text;
  Find(list).text = text;
  if (Refilter(list) || text_changed) {
    Notify({list == TList::Contents ? TAspect::ContentsFind : TAspect::CatalogueFind});
  }
}

int TEditorView::FileRow(TList list, int position) const {
  const std::vector<int>& shown = ShownRows(list);
  if (position < 0 || static_cast<std::size_t>(position) >= shown.size()) return -1;
  return shown[static_cast<std::size_t>(position)];
}

int TEditorView::ShownSelectedRow() const {
  const std::vector<int>& shown = ShownRows(TList::Contents);
  const auto at = std::lower_bound(shown.begin(), shown.end(), selected_row_);
  if (selected_row_ < 0 || at == shown.end() || *at != selected_row_) return -1;
  return static_cast<int>(at - shown.begin());
}

void TEditorView::SetMapGroup(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::erase_if(rows, [this](int row) {
    return row < 0 || static_cast<std::size_t>(row) >= contents_rows_.size();
  });
  if (rows == map_group_) return;
  map_group_ = std::move(rows);
  Notify({TAspect::MapGroup});
}

void TEditorView::SetArrayPreview(std::vector<TLoRecord> copies) {
  if (copies.empty() && array_preview_.empty()) return;
  array_preview_ = std::move(copies);
  Notify({TAspect::ArrayPreview});
}

void TEditorView::PruneMapGroup() { SetMapGroup(map_group_); }

void TEditorView::Notify(TViewMember member) const {
  if (listener_) listener_(member);
}

void TEditorView::SetGridStep(double step) {
  grid_step_ = std::isfinite(step) && step > 0.0 ? step : 0.0;
}
