#include "editor/record_editor.h"

#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "settings/folder_settings.h"

RecordEditor::RecordEditor(ruriVizid& settings, TEditorHost& host)
    : settings_(settings), host_(host) {
  view_.SetRecordNumberHook([this] { GotoRecordNumber(); });
}

void RecordEditor::OpenLoFile() {
  host_.HideStartupWindow();
  const std::string folder = ResolveLoFolder(settings_, host_.LoFolderPrompt());
  const std::optional<std::filesystem::path> chosen =
      host_.RunOpenDialog({kOpenDialogTitle, kOpenDialogFilter, kOpenDialogDefaultExtension, folder,
                           dialog_file_name_});
  if (!chosen) {
    // A cancel ends the program, but only after the rest of this operation
    // has run on what is already in memory.
    host_.RequestEnd();
  } else {
    dialog_file_name_ = *chosen;
    document_.Open(dialog_file_name_);
    view_.SetRecordCountText(IntegerText(document_.ReadAll()));
  }
  view_.SetText(TField::Name, document_.NameText());
  view_.SetText(TField::Description, document_.DescriptionText());
  view_.SetAddRemoveEnabled(true);
  view_.SetHighlight(TField::Name, THighlight::Normal);
  view_.SetHighlight(TField::Description, THighlight::Normal);
  view_.SetSaveEnabled(false);
  ClearFields();
  LoadCatalogue();
  FillPlaceholderRows(document_, view_);
  view_.SetWindowCaption("Editing " + dialog_file_name_.string());
  RefreshContentsRows(document_, catalogue_, view_);
}

void RecordEditor::ClearFields() { ShowZeroRecord(0); }

// The fields of a zeroed record numbered `index`, all unmarked, row `index` selected.
void RecordEditor::ShowZeroRecord(int index) {
  view_.SetText(TField::RecordNo, IntegerText(index));  // may nest GotoRecordNumber
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
}

void RecordEditor::LoadCatalogue() {
  const std::string folder = ResolveObjdatFolder(settings_, host_.ObjdatFolderPrompt());
  LoadCatalogueRows(catalogue_, folder, view_);
}

void RecordEditor::ShowRecord() {
  const int index = view_.SelectedRow();
  if (index < 0 || index >= kLoRecordCapacity) return;
  const TLoRecord& record = document_.LoRecordTable[static_cast<std::size_t>(index)];
  view_.SetText(TField::RecordNo, IntegerText(index));  // may nest GotoRecordNumber
  // A nested ShowRecord may have shown another record; from here on the fields
  // show this one.
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
        view_.SetText(info.field, FormatFixed2(record.*info.number, separator_));
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

void RecordEditor::GotoRecordNumber() {
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
  view_.SetSelectedRow(n);
  ShowRecord();
}

void RecordEditor::CommitRecord(TCommitTarget target) {
  CommitRecordAt(target == TCommitTarget::LastRecord ? document_.LastIndex : view_.SelectedRow());
}

void RecordEditor::CommitRecordAt(int index, std::optional<std::int16_t> count_after_record) {
  // Index -1 (no row selected, or an empty file): every text is still
  // checked, but there is no record to store it in.
  TLoRecord unused;
  TLoRecord& record =
      index >= 0 ? document_.LoRecordTable[static_cast<std::size_t>(index)] : unused;

  for (TField field : kHeaderTextFields) document_.SetHeaderText(field, view_.Text(field));
  for (TField field : kHeaderTextFields) view_.SetHighlight(field, THighlight::Normal);
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
        record.*info.number = ParseFloat(view_.Text(field), separator_);
        break;
      case TFieldKind::Choice:
        record.*info.byte = static_cast<std::uint8_t>(view_.StateIndex() & 0xFF);
        break;
      default:
        break;
    }
    view_.SetHighlight(field, THighlight::Normal);
  }

  if (index >= 0) document_.WriteRecord(index);
  document_.WriteHeaderTexts();
  if (count_after_record) document_.WriteCount(*count_after_record);
  view_.SetSaveEnabled(false);
  RefreshContentsRows(document_, catalogue_, view_);
  view_.SetSelectedRow(index);
  view_.SetRecordCountText(IntegerText(document_.LastIndex + 1));
}

void RecordEditor::AddObject() {
  if (document_.LastIndex + 1 >= kLoRecordCapacity) {
    host_.ShowInformation(kRecordTableFull);
    return;
  }
  const auto new_count = static_cast<std::int16_t>(document_.LastIndex + 2);
  // Until the new count is on disk the file still ends at the old last
  // record; a failure before that must leave the table saying so too.
  struct RestoreLastIndexUnlessCounted {
    TLoDocument& document;
    std::int16_t old_last;
    bool counted = false;
    ~RestoreLastIndexUnlessCounted() {
      if (!counted) document.LastIndex = old_last;
    }
  } guard{document_, document_.LastIndex};
  document_.LastIndex = static_cast<std::int16_t>(new_count - 1);

  ShowZeroRecord(document_.LastIndex);
  // The new record and the header texts go first, the count last.
  CommitRecordAt(document_.LastIndex, new_count);
  guard.counted = true;
}

void RecordEditor::RemoveLastObject() {
  const int selected = view_.SelectedRow();
  if (selected < 0 || selected != document_.LastIndex) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  document_.WriteCount(document_.LastIndex);
  document_.LastIndex = static_cast<std::int16_t>(document_.LastIndex - 1);
  view_.SetSelectedRow(document_.LastIndex);
  ShowRecord();
  CommitRecord(TCommitTarget::LastRecord);
}

void RecordEditor::MarkFieldModified(TField field) {
  view_.SetSaveEnabled(true);
  view_.SetHighlight(field, THighlight::Modified);
}

void RecordEditor::MarkStateModified() {
  view_.SetStateHighlight(THighlight::Modified);
  view_.SetSaveEnabled(true);
}

void RecordEditor::CloseLoFile() {
  if (document_.IsOpen()) document_.Close();
  host_.RequestEnd();
}

void RecordEditor::RememberShown(TField field) {
  shown_[FieldIndex(field)] = FieldInfo(field).kind == TFieldKind::Choice
                                  ? IntegerText(view_.StateIndex())
                                  : view_.Text(field);
}

bool RecordEditor::StillShown(int index, TField field) const {
  const std::optional<std::string>& shown = shown_[FieldIndex(field)];
  if (index < 0 || index != shown_index_ || !shown) return false;
  if (FieldInfo(field).kind == TFieldKind::Choice) return *shown == IntegerText(view_.StateIndex());
  return *shown == view_.Text(field);
}

// Nothing is remembered; `index` is the record whose values are about to be shown.
void RecordEditor::ForgetShown(int index) {
  shown_index_ = index;
  for (auto& shown : shown_) shown.reset();
}

// "0.0" in the user's own separator: a literal "0.0" would not read back
// under a "," locale, and every Add Object would then fail.
std::string RecordEditor::ZeroText() const { return std::string("0") + separator_ + "0"; }
