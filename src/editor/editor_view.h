#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "datafiles/record_fields.h"

// What a change notification names: an aspect, and for the per-field
// aspects the field it belongs to.
enum class TAspect {
  Text,       // the field's text
  Highlight,  // the field's highlight (the state's for TField::State)
  Choice,     // the state choice (TField::State)
  SaveEnabled,
  AddRemoveEnabled,
  RecordCountText,
  WindowCaption,
  ContentsRows,
  SelectedRow,
  CatalogueRows,
};

struct TViewMember {
  TAspect aspect;
  TField field = TField::RecordNo;  // only for Text, Highlight and Choice
  bool operator==(const TViewMember&) const = default;
};

// Normal: white field background / window-text state labels. Modified: red.
enum class THighlight { Normal, Modified };

inline const std::string kInitialWindowCaption = "Orvo Lo File Data Editor";

// The editor window's state as the editor logic sees it. Setters behave like
// the widgets that present the members, so the logic reads back exactly what
// a field would hold:
//  - a text equal to the current one changes nothing and notifies nothing;
//  - a longer text is cut to the field's maximum length (MaxLength);
//  - SelectedRow at a position that has no row reads -1;
//  - adding rows never selects a row, and replacing the contents rows leaves
//    none selected;
//  - StateIndex above 1 reads 1, below -1 reads -1.
// Each change calls the listener once with the member that changed; for the
// row lists that is once per replacement of all rows, and the listener reads
// the rows back. The view runs no logic: what a changed record number does
// is the editor's job.
//
// The *FromUser setters are for the window writing back what the user did to
// a widget: they apply the same limits but notify nothing.
class TEditorView {
 public:
  using Listener = std::function<void(TViewMember)>;

  TEditorView();

  void SetListener(Listener listener) { listener_ = std::move(listener); }

  static std::size_t MaxLength(TField field);

  // Texts of the text fields; the state has none (it reads empty).
  const std::string& Text(TField field) const { return texts_[FieldIndex(field)]; }
  void SetText(TField field, const std::string& text);
  void SetTextFromUser(TField field, const std::string& text);

  // Not defined for RecordNo (it has no highlight): reads Normal, ignores writes.
  // TField::State's highlight colours the state choices.
  THighlight Highlight(TField field) const { return highlights_[FieldIndex(field)]; }
  void SetHighlight(TField field, THighlight highlight);

  // 0 "State 0", 1 "State 1", -1 no choice.
  int StateIndex() const { return state_index_; }
  void SetStateIndex(int index);
  void SetStateIndexFromUser(int index);
  THighlight StateHighlight() const { return Highlight(TField::State); }
  void SetStateHighlight(THighlight highlight) { SetHighlight(TField::State, highlight); }

  bool SaveEnabled() const { return save_enabled_; }
  void SetSaveEnabled(bool enabled);
  bool AddRemoveEnabled() const { return add_remove_enabled_; }
  void SetAddRemoveEnabled(bool enabled);

  const std::string& RecordCountText() const { return record_count_text_; }
  void SetRecordCountText(const std::string& text);
  const std::string& WindowCaption() const { return window_caption_; }
  void SetWindowCaption(const std::string& text);

  // "Lo File Contents": one row string per record ("0;12;3;Pine").
  const std::vector<std::string>& ContentsRows() const { return contents_rows_; }
  void ReplaceContentsRows(std::vector<std::string> rows);

  // Position of the highlighted contents row, or -1.
  int SelectedRow() const { return selected_row_; }
  void SetSelectedRow(int row);
  void SetSelectedRowFromUser(int row);

  // "Object Data List": one row string per catalogue entry. No selection is kept here.
  const std::vector<std::string>& CatalogueRows() const { return catalogue_rows_; }
  void ReplaceCatalogueRows(std::vector<std::string> rows);

 private:
  static int LimitStateIndex(int index);
  bool StoreText(TField field, const std::string& text);
  bool StoreSelectedRow(int row);
  void Notify(TViewMember member) const;

  Listener listener_;
  std::array<std::string, kFieldCount> texts_;
  std::array<THighlight, kFieldCount> highlights_{};
  int state_index_ = 0;
  bool save_enabled_ = false;
  bool add_remove_enabled_ = false;
  std::string record_count_text_ = "#";
  std::string window_caption_ = kInitialWindowCaption;
  std::vector<std::string> contents_rows_{""};
  int selected_row_ = -1;
  std::vector<std::string> catalogue_rows_;
};
