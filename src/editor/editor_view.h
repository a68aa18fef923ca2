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
  // The list's find text or the rows it shows changed. When the rows
  // themselves change (ContentsRows, CatalogueRows), the rows shown are
  // already brought up to date with them and are not named again.
  ContentsFind,
  CatalogueFind,
  MapGroup,      // the records selected together on the map
  RecordValues,  // stored values changed without the rows changing (a group move)
  // Another file was opened, or none is open after a failed open; the rows
  // of the file shown now stand.
  OpenFileChanged,
  TypedText,     // the user typed into the field; its widget holds the text already
  ArrayPreview,  // the copies an open "Array..." would append
};

struct TViewMember {
  TAspect aspect;
  TField field = TField::RecordNo;  // only for Text, Highlight and Choice
  bool operator==(const TViewMember&) const = default;
};

// The two column lists: "Lo File Contents" and "Object Data List".
enum class TList { Contents, Catalogue };

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

  // The find of a list (see list_filter.h). The rows it leaves are positions
  // in the list's rows, so row numbers stay the file's; with no find text
  // every row shows. A find that hides the selected row leaves SelectedRow
  // (the record the fields show, which Save writes) as it is: the list only
  // highlights no row (ShownSelectedRow is -1).
  const std::string& FindText(TList list) const { return Find(list).text; }
  void SetFindText(TList list, const std::string& text);
  const std::vector<int>& ShownRows(TList list) const { return Find(list).shown; }
  // The list's row (a record, a catalogue entry) at a position among the
  // rows shown, or -1.
  int FileRow(TList list, int position) const;
  // Where the selected contents row is among the rows shown, or -1.
  int ShownSelectedRow() const;

  // Records selected together on the map (ascending, each a contents row).
  // Replacing the contents rows drops the records that no longer have one.
  const std::vector<int>& MapGroup() const { return map_group_; }
  void SetMapGroup(std::vector<int> rows);
  // Where a Shift+click range of contents rows starts: the row last chosen
  // alone or with Ctrl+click (-1: none). Nothing is notified.
  int SelectionAnchor() const { return selection_anchor_; }
  void SetSelectionAnchor(int row) { selection_anchor_ = row; }
  // Tells the listener that stored values changed that no row shows.
  void RecordValuesChanged() const { Notify({TAspect::RecordValues}); }
  void ReportOpenFileChanged() const { Notify({TAspect::OpenFileChanged}); }
  // Tells the listener that the user typed into a field (after
  // SetTextFromUser), for what shows the text elsewhere (the map).
  void ReportTyped(TField field) const { Notify({TAspect::TypedText, field}); }

  // The copies "Array..." would append, while its dialog is open (else none).
  const std::vector<TLoRecord>& ArrayPreview() const { return array_preview_; }
  void SetArrayPreview(std::vector<TLoRecord> copies);

  // The map's grid step in world units (0: no grid): what the editor snaps
  // placed records to. The window sets it; nothing is notified. A negative
  // or non-finite step reads 0.
  double GridStep() const { return grid_step_; }
  void SetGridStep(double step);
  // The one character accepted and written between integer and fraction
  // digits; the window sets it from the user's locale at start and on every
  // locale change. Nothing is notified.
  char DecimalSeparator() const { return separator_; }
  void SetDecimalSeparator(char separator) { separator_ = separator; }

 private:
  static int LimitStateIndex(int index);
  bool StoreText(TField field, const std::string& text);
  bool StoreSelectedRow(int row);
  void Notify(TViewMember member) const;
  struct ListFind {
    std::string text;
    std::vector<int> shown;
  };
  const ListFind& Find(TList list) const { return finds_[static_cast<std::size_t>(list)]; }
  ListFind& Find(TList list) { return finds_[static_cast<std::size_t>(list)]; }
  const std::vector<std::string>& Rows(TList list) const;
  bool Refilter(TList list);
  void PruneMapGroup();

  Listener listener_;
  std::vector<TLoRecord> array_preview_;
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
  std::array<ListFind, 2> finds_{ListFind{{}, {0}}, ListFind{}};
  std::vector<int> map_group_;
  int selection_anchor_ = -1;
  double grid_step_ = 0.0;
  char separator_ = '.';
};
