#include "editor/file_opening.h"

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"
#include "editor/editor_host.h"
#include "editor/editor_view.h"
#include "editor/field_form.h"
#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "editor/unsaved_edits.h"
#include "editor/write_recorder.h"
#include "settings/folder_settings.h"

TFileOpening::TFileOpening(ruriVizid& settings, TEditorHost& host, TEditorView& view,
                           TLoDocument& document, TObjCatalogue& catalogue, TFieldForm& form,
                           TUnsavedEdits& edits, TWriteRecorder& recorder)
    : settings_(settings),
      host_(host),
      view_(view),
      document_(document),
      catalogue_(catalogue),
      form_(form),
      edits_(edits),
      recorder_(recorder) {}

void TFileOpening::OpenLoFile() {
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
void TFileOpening::OpenLoFileNamed(const std::filesystem::path& file) {
  host_.HideStartupWindow();
  dialog_file_name_ = file;
  OpenChosenFile();
}

void TFileOpening::CloseLoFile() {
  if (document_.IsOpen()) document_.Close();
  host_.RequestEnd();
}

// The view tells that another file is shown (or none, after a failure),
// once its rows stand, also when the catalogue failed to load.
void TFileOpening::OpenChosenFile() {
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
void TFileOpening::ShowOpenedFile() {
  view_.SetText(TField::Name, document_.NameText());
  view_.SetText(TField::Description, document_.DescriptionText());
  view_.SetAddRemoveEnabled(true);
  view_.SetHighlight(TField::Name, THighlight::Normal);
  view_.SetHighlight(TField::Description, THighlight::Normal);
  view_.SetSaveEnabled(false);
  form_.ShowZeroRecord(0);
  try {
    LoadCatalogueRows(catalogue_, ResolveObjdatFolder(settings_, host_.ObjdatFolderPrompt()),
                      view_);
  } catch (...) {
    // The file is open all the same: its rows, with what names were loaded,
    // and no row selected, so no Save can write the zeroed fields into it.
    ShowContents();
    throw;
  }
  ShowContents();
  edits_.ShowingRecord(-1);
}

// A file that fails to open or to read whole is given up at once, and the
// window shows no file: no later command may write the previous file's
// data into it.
void TFileOpening::ReadChosenFile() {
  try {
    document_.Open(dialog_file_name_);
    view_.SetRecordCountText(IntegerText(document_.ReadAll()));
  } catch (...) {
    document_ = TLoDocument();  // closes the file; a zeroed table, as at start
    form_.ShowNoFile();
    recorder_.Closed();
    throw;
  }
  recorder_.Opened();
  if (document_.OpenInAnotherEditor()) {
    host_.ShowInformation(dialog_file_name_.string() + kOpenElsewhereSuffix);
  }
}

void TFileOpening::ShowContents() {
  view_.SetMapGroup({});  // a group of the file shown before
  FillPlaceholderRows(document_, view_);
  view_.SetWindowCaption("Editing " + dialog_file_name_.string());
  RefreshContentsRows(document_, catalogue_, view_);
}
