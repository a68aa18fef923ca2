#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>

#include "editor/editor_host.h"
#include "windows/folder_prompts.h"

class QFileDialog;
class QWidget;
class TForm1;

// What the editing session needs from the desktop, with the real dialogs: the
// file-open dialog `daduduve` and the Lo folder prompt (both hosted by the
// start-up window), the object data folder prompt (hosted by the editor
// window), the information box and the request to end the program.
class DesktopHost : public TEditorHost {
 public:
  explicit DesktopHost(TForm1& startup_window);
  ~DesktopHost() override;
  DesktopHost(const DesktopHost&) = delete;
  DesktopHost& operator=(const DesktopHost&) = delete;

  // The editor window: owner of the object data folder prompt, and the window
  // whose visibility GotoRecordNumber asks about.
  void SetEditorWindow(QWidget* editor_window);

  DialogFolderPrompt LoFolderPrompt1;
  DialogFolderPrompt ObjdatFolderPrompt1;
  // The file-open dialog while it runs (null otherwise). The last chosen
  // file comes back with every request.
  QFileDialog* daduduve = nullptr;

  // Asks the program to end (queued). Tests replace it to keep their event loop.
  std::function<void()> EndRequest;
  static void QueueProgramEnd();

  // TEditorHost
  std::optional<std::filesystem::path> RunOpenDialog(const TOpenDialogRequest& request) override;
  TFolderPrompt& LoFolderPrompt() override { return LoFolderPrompt1; }
  TFolderPrompt& ObjdatFolderPrompt() override { return ObjdatFolderPrompt1; }
  void ShowInformation(const std::string& text) override;
  bool AskQuestion(const std::string& text) override;
  void HideStartupWindow() override;
  void RequestEnd() override;
  bool IsEditorVisible() const override;

 private:
  // A dialog owned by the hidden start-up window gives the focus back to
  // nothing when it closes: hand it to the editor window.
  void ReactivateEditor();
  QFileDialog& OpenDialog();
  static void CloseLeftoverPopups();

  TForm1& startup_window_;
  QPointer<QWidget> editor_window_;
};

// "Lo Files (Lo*.dat)" and "Dat Files (*.dat)" from "Lo Files|Lo*.dat|Dat Files|*.dat".
QStringList OpenDialogNameFilters(const std::string& filter);
