#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "dialogs/folder_prompt_dialog.h"
#include "settings/folder_settings.h"

// A TFolderPrompt shown as our folder browser dialog, modal over its owner
// window. The dialog is made on the first run, so the owner may be given late.
class DialogFolderPrompt : public TFolderPrompt {
 public:
  explicit DialogFolderPrompt(FolderPromptOptions options);
  ~DialogFolderPrompt() override;

  void SetOwner(QWidget* owner) { owner_ = owner; }
  bool Run() override;
  // Run after the prompt has closed (the controller gives the focus back).
  std::function<void()> AfterRun;

  // The dialog (made on first use); tests answer it.
  FolderPromptDialog& Dialog();

 private:
  FolderPromptOptions options_;
  QPointer<QWidget> owner_;
  QPointer<FolderPromptDialog> dialog_;
};

// "Locate Lo Files": files listed, an edit box, the status line.
FolderPromptOptions LoFolderPromptOptions();
// "Locate OBJDAT.dat Folder": folders only, OK disabled until a folder is chosen.
FolderPromptOptions ObjdatFolderPromptOptions();
