#pragma once

#include <QObject>
#include <filesystem>

#include "editor/recent_files.h"
#include "windows/editor_widgets.h"

class DesktopHost;
class FindInLevelsWindow;
class LevelsWindow;
class QAction;
class QMenu;
class QWidget;
class TEditingSession;
class ruriVizid;

// The open file in its level set: "Open" > "Levels...", "Find in Lo
// Files...", "Open Recent" and "Find This Kind in Lo Files" on the Object
// Data List's context menu. Every file they open is opened as "Open a Lo
// File" opens it; every file opened goes to the front of "Open Recent".
class WorkspaceCommands : public QObject {
  Q_OBJECT

 public:
  WorkspaceCommands(QWidget& window, const EditorWidgets& widgets, TEditingSession& session,
                    const ruriVizid& settings, DesktopHost& desktop);

  static bool Runs(TCommand command) {
    return command == TCommand::ShowLevels || command == TCommand::FindInLevels;
  }
  void Run(TCommand command);
  // The editor window was shown from the start-up window: the tool windows
  // the last run ended with come back.
  void RestoreFromLastRun();
  // The view reported another open file (or none after a failed open).
  void OpenFileChanged();
  // The catalogue's rows changed: names may have.
  void CatalogueChanged();
  // The Lo folder setting may have changed.
  void LoFolderChanged();

  LevelsWindow* Levels() const { return levels_; }
  FindInLevelsWindow* Find() const { return find_; }
  QMenu* RecentMenu() const { return recent_menu_; }
  QAction* FindKindAction() const { return find_kind_; }

 protected:
  // A right click on the Object Data List chooses the row under it first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Open(const std::filesystem::path& file);
  void FillRecentMenu();
  void OpenRecent(const std::filesystem::path& file);
  void FindKindOfChosenEntry();

  QWidget& window_;
  const EditorWidgets& widgets_;
  TEditingSession& session_;
  DesktopHost& desktop_;
  RecentFilesStore recent_;
  LevelsWindow* levels_ = nullptr;  // children of the editor window
  FindInLevelsWindow* find_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  QAction* find_kind_ = nullptr;
};
