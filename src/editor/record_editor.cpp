#include "editor/record_editor.h"

#include <cmath>
#include <limits>

#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "settings/folder_settings.h"

RecordEditor::RecordEditor(ruriVizid& settings, TEditorHost& host)
    : settings_(settings),
      host_(host),
      recorder_(document_, [this](const std::string& notice) { host_.ShowInformation(notice); }) {}

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
    return ShowOpenedFile();
  }
  dialog_file_name_ = *chosen;
  OpenChosenFile();
}

// The chosen file becomes the dialog's file name even when it cannot be
// opened, so the next dialog offers it again.
void RecordEditor::OpenLoFileNamed(const std::filesystem::path& file) {
  host_.HideStartupWindow();
  dialog_file_name_ = file;
  OpenChosenFile();
}

// The view tells that another file is shown (or none, after a failure),
// once its rows stand, also when the catalogue failed to load.
void RecordEditor::OpenChosenFile() {
  try {
    ReadChosenFile();
    ShowOpenedFile();
  } catch (...) {
    view_.ReportOpenFileChanged();
    throw;
  }
  view_.ReportOpenFileChanged();
}

// What OpenLoFile shows after the dialog, whether or not a file was read.
void RecordEditor::ShowOpenedFile() {
  view_.SetText(TField::Name, document_.NameText());
  view_.SetText(TField::Description, document_.DescriptionText());
  view_.SetAddRemoveEnabled(true);
  view_.SetHighlight(TField::Name, THighlight::Normal);
  view_.SetHighlight(TField::Description, THighlight::Normal);
  view_.SetSaveEnabled(false);
  ClearFields();
  try {
    LoadCatalogue();
  } catch (...) {
    // The file is open all the same: its rows, with what names were loaded,
    // and no row selected, so no Save can write the zeroed fields into it.
    ShowContents();
    throw;
  }
  ShowContents();
  fields_row_ = -1;
}

// A file that fails to open or to read whole is given up at once, and the
// window shows no file: no later command may write the previous file's
// data into it.
void RecordEditor::ReadChosenFile() {
  try {
    document_.Open(dialog_file_name_);
    view_.SetRecordCountText(IntegerText(document_.ReadAll()));
  } catch (...) {
    ShowNoFile();
    recorder_.Closed();
    throw;
  }
  recorder_.Opened();
  if (document_.OpenInAnotherEditor()) {
    host_.ShowInformation(dialog_file_name_.string() + kOpenElsewhereSuffix);
  }
}

void RecordEditor::ShowContents() {
  view_.SetMapGroup({});  // a group of the file shown before
  FillPlaceholderRows(document_, view_);
  view_.SetWindowCaption("Editing " + dialog_file_name_.string());
  RefreshContentsRows(document_, catalogue_, view_);
}

// The window as it is at start: nothing of the file given up stays in the
// fields, the tables or the lists, so no Save can carry it anywhere.
void RecordEditor::ShowNoFile() {
  document_ = TLoDocument();  // closes the file; a zeroed table, as at start
  view_.ReplaceContentsRows({""});
  view_.SetRecordCountText(kNoFileRecordCount);
  view_.SetWindowCaption(kInitialWindowCaption);
  view_.SetAddRemoveEnabled(false);
  ClearFields();
  for (TField field : kHeaderTextFields) {
    view_.SetText(field, "");
    view_.SetHighlight(field, THighlight::Normal);
  }
  view_.SetSaveEnabled(false);
}

void RecordEditor::ClearFields() { ShowZeroRecord(0); }

// The fields of a zeroed record numbered `index`, all unmarked, row `index` selected.
void RecordEditor::ShowZeroRecord(int index) {
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
  fields_row_ = index;
}

void RecordEditor::LoadCatalogue() {
  const std::string folder = ResolveObjdatFolder(settings_, host_.ObjdatFolderPrompt());
  LoadCatalogueRows(catalogue_, folder, view_);
}

void RecordEditor::ShowRecord() {
  NoteDroppedEdits(view_.SelectedRow());
  ShowRecordNow();
}

void RecordEditor::ShowRecordNow() {
  const int index = view_.SelectedRow();
  if (index < 0 || index >= kLoRecordCapacity) return;
  fields_row_ = index;
  moved_on_map_ = false;
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

// A new record number moves to its record, as typing it would, before the
// caller goes on: the zeroed fields of a new or cleared record replace what
// that record showed, its edits of the name and description included.
void RecordEditor::ReplaceRecordNumber(int index) {
  const std::string text = IntegerText(index);
  if (view_.Text(TField::RecordNo) == text) return;
  view_.SetText(TField::RecordNo, text);
  MoveToRecordNumber(false);
}

// Typed by the user: edits of the record left go into the history.
void RecordEditor::GotoRecordNumber() { MoveToRecordNumber(true); }

void RecordEditor::MoveToRecordNumber(bool note_dropped_edits) {
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
  if (note_dropped_edits) NoteDroppedEdits(n);
  view_.SetSelectedRow(n);
  ShowRecordNow();
}

void RecordEditor::CommitRecord(TCommitTarget target) {
  // Nothing changes, on screen or in memory, unless the file can take the write.
  document_.CheckStillAtPath();
  const int index = target == TCommitTarget::LastRecord ? document_.LastIndex : view_.SelectedRow();
  recorder_.Run([&] { CommitRecordAt(index); },
                [&](TWriteStep& step) { DescribeSave(step, index); });
  moved_on_map_ = false;
}

// "Move of record 3" when the record was moved on the map and only X and Y
// changed, else "Save of record 3".
void RecordEditor::DescribeSave(TWriteStep& step, int index) const {
  step.row_before = step.row_after = index;
  if (index < 0) {
    step.description = "Save of the name and description";
    return;
  }
  const std::uint64_t base = RecordOffset(index);
  const auto in_position = [&](std::uint64_t offset) {
    for (TField field : {TField::X, TField::Y}) {
      const TFieldInfo& info = FieldInfo(field);
      if (offset >= base + info.offset && offset < base + info.offset + info.width) return true;
    }
    return false;
  };
  bool moved = false, other = false;
  for (const TStepWrite& write : step.writes) {
    for (std::size_t i = 0; i < write.width; ++i) {
      if (step.before[write.at + i] == step.after[write.at + i]) continue;
      (in_position(write.offset + i) ? moved : other) = true;
    }
  }
  step.kind = moved_on_map_ && moved && !other ? TStepKind::Move : TStepKind::Save;
  step.description =
      (step.kind == TStepKind::Move ? "Move of record " : "Save of record ") + IntegerText(index);
}

void RecordEditor::CommitRecordAt(int index, std::optional<std::int16_t> count_after_record) {
  if (index < 0) return CommitHeaderTexts();
  TLoRecord& record = document_.LoRecordTable[static_cast<std::size_t>(index)];

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

  document_.WriteRecord(index);
  document_.WriteHeaderTexts();
  if (count_after_record) document_.WriteCount(*count_after_record);
  view_.SetSaveEnabled(false);
  RefreshContentsRows(document_, catalogue_, view_);
  view_.SetSelectedRow(index);
  fields_row_ = index;
  view_.SetRecordCountText(IntegerText(document_.LastIndex + 1));
}

// Save with no row selected (or an empty file): there is no record to take
// the record fields, so only the name and description are written. A record
// field the user changed keeps its text and its mark, Save stays on, and the
// user is told why nothing else was saved.
void RecordEditor::CommitHeaderTexts() {
  for (TField field : kHeaderTextFields) document_.SetHeaderText(field, view_.Text(field));
  for (TField field : kHeaderTextFields) view_.SetHighlight(field, THighlight::Normal);
  document_.WriteHeaderTexts();
  bool record_edit_left = false;
  for (TField field : kRecordFields) {
    record_edit_left = record_edit_left || view_.Highlight(field) == THighlight::Modified;
  }
  view_.SetSaveEnabled(record_edit_left);
  RefreshContentsRows(document_, catalogue_, view_);
  view_.SetRecordCountText(IntegerText(document_.LastIndex + 1));
  if (record_edit_left) host_.ShowInformation(kNoItemSelected);
}

void RecordEditor::AddObject() {
  if (document_.LastIndex + 1 >= kLoRecordCapacity) {
    host_.ShowInformation(kRecordTableFull);
    return;
  }
  // No file, or another file at its path: fail before the fields change.
  document_.CheckStillAtPath();
  const int last_before = document_.LastIndex;
  const auto new_count = static_cast<std::int16_t>(last_before + 2);
  NoteDroppedEdits(new_count - 1);
  recorder_.Run(
      [&] {
        // The row of the new record must exist for the record number to reach it;
        // until the count is on disk, AgreeWithFileCount takes it back.
        document_.LastIndex = static_cast<std::int16_t>(new_count - 1);
        try {
          ShowZeroRecord(document_.LastIndex);
          // The new record and the header texts go first, the count last.
          CommitRecordAt(document_.LastIndex, new_count);
        } catch (...) {
          AgreeWithFile();
          throw;
        }
      },
      [&](TWriteStep& step) {
        step.kind = TStepKind::AddObject;
        step.description = "Add Object";
        step.row_before = last_before;
        step.row_after = new_count - 1;
      });
}

void RecordEditor::RemoveLastObject() {
  const int selected = view_.SelectedRow();
  if (selected < 0 || selected != document_.LastIndex) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  document_.CheckStillAtPath();
  recorder_.Run(
      [&] {
        try {
          document_.WriteCount(document_.LastIndex);
          view_.SetSelectedRow(document_.LastIndex);
          ShowRecordNow();
          CommitRecordAt(document_.LastIndex);
        } catch (...) {
          AgreeWithFile();
          throw;
        }
      },
      [&](TWriteStep& step) {
        step.kind = TStepKind::RemoveObject;
        step.description = "Remove Object";
        step.row_before = selected;
        step.row_after = selected - 1;
      });
}

// After a failed count write: the table, the rows and the record count say
// what the file says.
void RecordEditor::AgreeWithFile() {
  document_.AgreeWithFileCount();
  if (!document_.IsOpen()) {
    ShowNoFile();
    return;
  }
  RefreshContentsRows(document_, catalogue_, view_);
  view_.SetRecordCountText(IntegerText(document_.LastIndex + 1));
}

void RecordEditor::MarkFieldModified(TField field) {
  typed_ = true;
  view_.SetSaveEnabled(true);
  view_.SetHighlight(field, THighlight::Modified);
}

void RecordEditor::MarkStateModified() {
  typed_ = true;
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

std::string RecordEditor::UnsavedEditsCaption() const {
  return fields_row_ < 0 ? "edits of the fields" : "edits of record " + IntegerText(fields_row_);
}

// What the fields show now, as edits of the record they belong to.
TDroppedEdits RecordEditor::FieldEdits(int next_row) const {
  TDroppedEdits edits;
  edits.row = fields_row_;
  edits.next_row = next_row;
  for (const TFieldInfo& info : kFieldTable) {
    if (info.kind == TFieldKind::RecordNumber || !info.IsText()) continue;
    edits.texts[FieldIndex(info.field)] = view_.Text(info.field);
    edits.highlights[FieldIndex(info.field)] = view_.Highlight(info.field);
  }
  edits.state_index = view_.StateIndex();
  edits.state_highlight = view_.StateHighlight();
  return edits;
}

// The user leaves a record with edits not saved: they go into the history.
void RecordEditor::NoteDroppedEdits(int next_row) {
  if (!view_.SaveEnabled() || !recorder_.HasListener()) return;
  TWriteStep step;
  step.kind = TStepKind::DroppedEdits;
  step.description = UnsavedEditsCaption();
  step.row_before = fields_row_;
  step.row_after = next_row;
  step.edits = std::make_shared<TDroppedEdits>(FieldEdits(next_row));
  recorder_.Report(std::move(step));
}
