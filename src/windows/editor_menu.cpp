#include "windows/editor_menu.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// MainMenu1, in menu order. Items of one submenu follow each other; the
// first item of each of the original submenus is its default item (bold).
// Edit and "Restore a Backup..." came later and follow no such rule.
struct MenuRow {
  TCommand command;
  const char* name;
  const char* caption;
  const char* submenu_name;  // null: an item of the menu bar itself
  const char* submenu_caption;
  bool default_item = false;
  const char* keys = nullptr;  // its shortcuts, ";"-separated in portable form
};
const MenuRow kMenu[] = {
    {TCommand::OpenLoFile, "LoFiles1", "Open a Lo File", "Open1", "Open", true, "Ctrl+O"},
    {TCommand::RestoreBackup, "RestoreBackup1", "Restore a Backup...", "Open1", "Open"},
    {TCommand::CompareWithFile, "CompareWithFile1", "Compare With a Lo File...", "Open1", "Open"},
    {TCommand::CompareWithBackup, "CompareWithBackup1", "Compare With a Backup...", "Open1",
     "Open"},
    {TCommand::ShowLevels, "Levels1", "Levels...", "Open1", "Open", false, "F8"},
    {TCommand::FindInLevels, "FindInLoFiles1", "Find in Lo Files...", "Open1", "Open", false,
     "Ctrl+Shift+F"},
    {TCommand::Save, "Save1", "Save", nullptr, nullptr, false, "Ctrl+S"},
    {TCommand::Undo, "Undo1", "Undo", "EditMenu", "Edit", false, "Ctrl+Z"},
    {TCommand::Redo, "Redo1", "Redo", "EditMenu", "Edit", false, "Ctrl+Shift+Z;Ctrl+Y"},
    {TCommand::DuplicateObject, "DuplicateObject1", "Duplicate Object", "EditMenu", "Edit", false,
     "Ctrl+D"},
    // Their keys act only where objects are chosen (the contents list, the map).
    {TCommand::CopyObjects, "CopyObjects1", "Copy Objects", "EditMenu", "Edit", false, "Ctrl+C"},
    {TCommand::CutObjects, "CutObjects1", "Cut Objects", "EditMenu", "Edit", false, "Ctrl+X"},
    {TCommand::PasteObjects, "PasteObjects1", "Paste Objects", "EditMenu", "Edit", false, "Ctrl+V"},
    {TCommand::DeleteObjects, "DeleteObjects1", "Delete Objects", "EditMenu", "Edit", false, "Del"},
    // Many objects at once; Ctrl+A too acts only where objects are chosen.
    {TCommand::SelectAllObjects, "SelectAllObjects1", "Select All Objects", "EditMenu", "Edit",
     false, "Ctrl+A"},
    {TCommand::SelectSameKind, "SelectSameKind1", "Select Same Kind", "EditMenu", "Edit", false,
     "Ctrl+Shift+A"},
    {TCommand::SetForGroup, "SetForGroup1", "Set for Group...", "EditMenu", "Edit", false,
     "Ctrl+Shift+G"},
    {TCommand::ArrayCopies, "Array1", "Array...", "EditMenu", "Edit", false, "Ctrl+Shift+R"},
    {TCommand::AlignXLeast, "AlignXLeast1", "Align X to Least", "EditMenu", "Edit", false,
     "Ctrl+Alt+1"},
    {TCommand::AlignXMiddle, "AlignXMiddle1", "Align X to Middle", "EditMenu", "Edit", false,
     "Ctrl+Alt+2"},
    {TCommand::AlignXGreatest, "AlignXGreatest1", "Align X to Greatest", "EditMenu", "Edit", false,
     "Ctrl+Alt+3"},
    {TCommand::AlignYLeast, "AlignYLeast1", "Align Y to Least", "EditMenu", "Edit", false,
     "Ctrl+Alt+4"},
    {TCommand::AlignYMiddle, "AlignYMiddle1", "Align Y to Middle", "EditMenu", "Edit", false,
     "Ctrl+Alt+5"},
    {TCommand::AlignYGreatest, "AlignYGreatest1", "Align Y to Greatest", "EditMenu", "Edit", false,
     "Ctrl+Alt+6"},
    {TCommand::SpreadX, "SpreadX1", "Spread Along X", "EditMenu", "Edit", false, "Ctrl+Alt+7"},
    {TCommand::SpreadY, "SpreadY1", "Spread Along Y", "EditMenu", "Edit", false, "Ctrl+Alt+8"},
    {TCommand::CheckFile, "CheckFile1", "Check File", "EditMenu", "Edit", false, "F7"},
    {TCommand::Notes, "Notes1", "Notes", nullptr, nullptr},
    {TCommand::LoFolder, "LoFiles2", "Lo Files Location", "ChangeFolders1", "Change Folders"},
    {TCommand::ObjdatFolder, "OBJDATFolderLocation1", "OBJDAT Folder Location", "ChangeFolders1",
     "Change Folders"},
    {TCommand::About, "About1", "About", nullptr, nullptr},
};

QList<QKeySequence> Shortcuts(const char* keys) {
  QList<QKeySequence> shortcuts;
  if (keys == nullptr) return shortcuts;
  for (const QString& key : QString::fromLatin1(keys).split(u';')) shortcuts << QKeySequence(key);
  return shortcuts;
}

QString MenuLatin1(const char* text) { return QString::fromLatin1(text); }

}  // namespace

std::array<QAction*, kCommandCount> BuildEditorMenu(QMainWindow& window) {
  std::array<QAction*, kCommandCount> actions{};
  QMenuBar* bar = window.menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* submenu = nullptr;
  for (const MenuRow& row : kMenu) {
    QAction* action = nullptr;
    if (row.submenu_name == nullptr) {
      submenu = nullptr;
      action = bar->addAction(MenuLatin1(row.caption));
    } else {
      const bool first_in_submenu =
          submenu == nullptr || submenu->objectName() != MenuLatin1(row.submenu_name);
      if (first_in_submenu) {
        submenu = bar->addMenu(MenuLatin1(row.submenu_caption));
        submenu->setObjectName(MenuLatin1(row.submenu_name));
      }
      action = submenu->addAction(MenuLatin1(row.caption));
      if (row.default_item) {
        QFont bold = submenu->font();
        bold.setBold(true);
        action->setFont(bold);
        submenu->setDefaultAction(action);
      }
    }
    action->setObjectName(MenuLatin1(row.name));
    action->setShortcuts(Shortcuts(row.keys));
    actions[static_cast<std::size_t>(row.command)] = action;
  }
  return actions;
}
