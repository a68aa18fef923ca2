#pragma once

#include <array>
#include <cstddef>

#include "datafiles/record_fields.h"
#include "editor/editor_view.h"

class ColumnListBox;
class ListFindField;
class MaskedEdit;
class QAction;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QWidget;
class ShadowButton;
class TwoChoiceGroup;

// What the user can ask of the editor window, by menu item or button.
enum class TCommand {
  OpenLoFile,       // "Open" > "Open a Lo File"
  Save,             // "Save"
  Notes,            // "Notes"
  LoFolder,         // "Change Folders" > "Lo Files Location"
  ObjdatFolder,     // "Change Folders" > "OBJDAT Folder Location"
  About,            // "About"
  AddObject,        // the "Add Object" button
  RemoveObject,     // the "Remove Object" button
  RestoreBackup,    // "Open" > "Restore a Backup..."
  Undo,             // "Edit" > "Undo <step>"
  Redo,             // "Edit" > "Redo <step>"
  DuplicateObject,  // "Edit" > "Duplicate Object"
  CopyObjects,      // "Edit" > "Copy Objects"
  CutObjects,       // "Edit" > "Cut Objects"
  PasteObjects,     // "Edit" > "Paste Objects"
  DeleteObjects,    // "Edit" > "Delete Objects"
  // Many objects at once (windows/group_commands).
  SelectAllObjects,  // "Edit" > "Select All Objects"
  SelectSameKind,    // "Edit" > "Select Same Kind"
  SetForGroup,       // "Edit" > "Set for Group..."
  ArrayCopies,       // "Edit" > "Array..."
  AlignXLeast,       // "Edit" > "Align X to Least" ... "Spread Along Y"
  AlignXMiddle,
  AlignXGreatest,
  AlignYLeast,
  AlignYMiddle,
  AlignYGreatest,
  SpreadX,
  SpreadY,
  CheckFile,  // "Edit" > "Check File"
  // Comparing the open file with another one (comparison_window).
  CompareWithFile,    // "Open" > "Compare With a Lo File..."
  CompareWithBackup,  // "Open" > "Compare With a Backup..."
  // The open file in its level set (workspace_commands).
  ShowLevels,    // "Open" > "Levels..."
  FindInLevels,  // "Open" > "Find in Lo Files..."
  Count               // not a command: how many there are
};
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(TCommand::Count);

// The editor window's widgets other than the fields, by role.
enum class TEditorWidget {
  MapFrame,
  ContentsTitle,
  RecordCountLabel,
  CatalogueTitle,
  ListsEdge,
  TopEdge,
  Placeholder,
  ContentsList,
  PlacementGroup,
  AddObjectButton,
  RemoveObjectButton,
  RecordCountBox,
  CatalogueList,
  ContentsFind,  // the find field at the lower edge of each list
  CatalogueFind,
  Count  // not a widget: how many roles there are
};
inline constexpr std::size_t kEditorWidgetCount = static_cast<std::size_t>(TEditorWidget::Count);

// Every widget of the editor window, reached by role. Built once by
// BuildEditorLayout; the window owns the widgets through Qt's parents.
class EditorWidgets {
 public:
  QWidget* Widget(TEditorWidget role) const { return widgets_[Index(role)]; }
  // The widget that presents a text field of the view (null for the state).
  MaskedEdit* FieldWidget(TField field) const { return fields_[FieldIndex(field)]; }
  // The label beside a field (null for the state, which carries its caption).
  QLabel* FieldLabel(TField field) const { return labels_[FieldIndex(field)]; }
  TwoChoiceGroup* StateGroup() const { return state_; }
  ColumnListBox* ContentsList() const;
  ColumnListBox* CatalogueList() const;
  QLineEdit* RecordCountBox() const;
  ListFindField* FindField(TList list) const;
  // The menu item of a command; null for the commands that are buttons.
  QAction* Action(TCommand command) const { return actions_[Index(command)]; }
  // The button of a command; null for the commands that are menu items.
  ShadowButton* Button(TCommand command) const { return buttons_[Index(command)]; }
  // The field whose widget this is; nothing when it is none of them.
  bool FieldOf(const QWidget* widget, TField& field) const;

 private:
  friend EditorWidgets BuildEditorLayout(QMainWindow& window);
  template <typename E>
  static std::size_t Index(E value) {
    return static_cast<std::size_t>(value);
  }

  std::array<QWidget*, kEditorWidgetCount> widgets_{};
  std::array<MaskedEdit*, kFieldCount> fields_{};
  std::array<QLabel*, kFieldCount> labels_{};
  std::array<QAction*, kCommandCount> actions_{};
  std::array<ShadowButton*, kCommandCount> buttons_{};
  TwoChoiceGroup* state_ = nullptr;
};
