#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

#include "editor/editing_session.h"
#include "windows/editor_widgets.h"

class DesktopHost;
class ComparisonWindow;
class EditorCommands;
class EditorMap;
class EditorPresenter;
class TForm4;
class WorkspaceCommands;
class ruriVizid;

// The editor window. Data goes one way through its parts, each beside this
// file: user events -> editor_commands -> the editing session -> its view state
// -> editor_presenter -> the widgets and the map.
//  - editor_layout (with editor_menu): the layout table and the menu table,
//    every widget by role (editor_widgets);
//  - editor_commands: user events turned into the editing session's events
//    and commands, Undo and Redo among them; object_clipboard: objects on the desktop's
//    clipboard for Copy, Cut and Paste;
//  - editor_presenter: the view state shown widget by widget, and the Undo
//    and Redo captions;
//  - editor_map: the map in the reserved area, kept up by the presenter,
//    its clicks, drags, turns and drops turned into editor operations;
//    editor_map_settings: its backdrop and grid step per Lo file;
//  - editor_accessibility: the names a screen reader reads;
//  - restore_backup_dialog: the list of backup copies to restore;
//  - workspace_commands: the level set ("Levels...", "Find in Lo Files...",
//    "Open Recent") around the open file.
// This class owns them for the window's life; it restores and stores the window's placement and
// plays the opening effect. It keeps no data of its own.
class TForm6 : public QMainWindow {
  Q_OBJECT

 public:
  // `notes` may be null (no "Notes" window). The session, the settings and the
  // desktop outlive the window.
  TForm6(TEditingSession& session, ruriVizid& settings, DesktopHost& desktop, TForm4* notes,
         QWidget* parent = nullptr);
  ~TForm6() override;

  // The widgets by role (the layout table names them).
  MaskedEdit* FieldWidget(TField field) const { return widgets_.FieldWidget(field); }
  TwoChoiceGroup* StateGroup() const { return widgets_.StateGroup(); }
  ColumnListBox* ContentsList() const { return widgets_.ContentsList(); }
  ColumnListBox* CatalogueList() const { return widgets_.CatalogueList(); }
  QLineEdit* RecordCountBox() const { return widgets_.RecordCountBox(); }
  QAction* Action(TCommand command) const { return widgets_.Action(command); }
  ShadowButton* Button(TCommand command) const { return widgets_.Button(command); }
  QWidget* Widget(TEditorWidget role) const { return widgets_.Widget(role); }
  EditorMap* Map() const { return map_; }
  ComparisonWindow* Comparison() const { return comparison_; }
  WorkspaceCommands* Workspace() const { return workspace_; }
  const TUndoHistory& History() const { return session_.History(); }

  // A Lo file named on the command line, opened by ShowFromStartup.
  void SetStartFile(std::filesystem::path file) { start_file_ = std::move(file); }
  // The start-up window's button: shows this window, then, the first time
  // only, opens the start file as "Open a Lo File" would after its dialog.
  void ShowFromStartup();

  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ApplyLocaleSeparator();
  void RestorePlacement();
  void SavePlacement();
  void PlayOpeningEffect();

  TEditingSession& session_;
  ruriVizid& settings_;
  EditorWidgets widgets_;
  EditorMap* map_ = nullptr;  // a child of the window
  std::unique_ptr<EditorPresenter> presenter_;
  EditorCommands* commands_ = nullptr;      // a child of the window
  ComparisonWindow* comparison_ = nullptr;  // a child of the window
  WorkspaceCommands* workspace_ = nullptr;  // a child of the window
  std::optional<std::filesystem::path> start_file_;
};
