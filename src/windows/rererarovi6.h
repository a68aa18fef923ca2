#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

#include "windows/editor_widgets.h"

class DesktopHost;
class EditorCommands;
class EditorPresenter;
class RecordEditor;
class TForm4;
class ruriVizid;

// The editor window. Its parts, each beside this file:
//  - editor_layout: the layout table, every widget by role;
//  - editor_presenter: the editor's view state shown widget by widget;
//  - editor_commands: user events turned into editor operations.
// This class holds them together for the window's life: it restores and
// stores the window's placement and plays the opening effect. It keeps no
// data of its own.
class TForm6 : public QMainWindow {
  Q_OBJECT

 public:
  // `notes` may be null (no "Notes" window). The editor, the settings and the
  // desktop outlive the window.
  TForm6(RecordEditor& editor, ruriVizid& settings, DesktopHost& desktop, TForm4* notes,
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
  EditorMap* Map() const { return widgets_.map; }

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

  RecordEditor& editor_;
  ruriVizid& settings_;
  EditorWidgets widgets_;
  std::unique_ptr<EditorPresenter> presenter_;
  EditorCommands* commands_ = nullptr;  // a child of the window
  std::optional<std::filesystem::path> start_file_;
};
