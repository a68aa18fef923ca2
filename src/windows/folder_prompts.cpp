#include "windows/folder_prompts.h"

#include <utility>

#include "qt_convert.h"
#include "settings/path_shortening.h"

DialogFolderPrompt::DialogFolderPrompt(FolderPromptOptions options)
    : options_(std::move(options)) {}

DialogFolderPrompt::~DialogFolderPrompt() {
  // An ownerless dialog is ours to delete; an owned one goes with its owner.
  if (dialog_ && dialog_->parent() == nullptr) delete dialog_.data();
}

FolderPromptDialog& DialogFolderPrompt::Dialog() {
  if (!dialog_) {
    dialog_ = new FolderPromptDialog(options_, owner_.data());
    if (options_.statusLine) {
      dialog_->setStatusFormatter([](const QString& path) {
        return ToQString(ShortenPathForStatus(ToStdString(path), '/'));
      });
    }
  }
  return *dialog_;
}

bool DialogFolderPrompt::Run() {
  FolderPromptDialog& dialog = Dialog();
  dialog.setSelectedFolder(ToQString(SelectedFolder));
  const bool confirmed = dialog.run();
  if (AfterRun) AfterRun();
  if (confirmed) SelectedFolder = ToStdString(dialog.selectedFolder());
  return confirmed;
}

FolderPromptOptions LoFolderPromptOptions() {
  FolderPromptOptions options;
  options.title = QStringLiteral("Locate Lo Files");
  options.description = QStringLiteral("Select Lo*.dat File Directory");
  options.listFiles = true;
  options.nameEdit = true;
  options.statusLine = true;
  return options;
}

FolderPromptOptions ObjdatFolderPromptOptions() {
  FolderPromptOptions options;
  options.title = QStringLiteral("Locate OBJDAT.dat Folder");
  options.description = QStringLiteral("Locate OBJDAT.dat Folder");
  options.foldersOnly = true;
  options.okEnabledAtOpen = false;
  return options;
}
