#include "windows/editor_menu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// MainMenu1, in menu order. Items of one submenu follow each other; the
// first item of a submenu is its default item.
struct MenuRow {
  TCommand command;
  const char* name;
  const char* caption;
  const char* submenu_name;  // null: an item of the menu bar itself
  const char* submenu_caption;
};
const MenuRow kMenu[] = {
    {TCommand::OpenLoFile, "LoFiles1", "Open a Lo File", "Open1", "Open"},
    {TCommand::Save, "Save1", "Save", nullptr, nullptr},
    {TCommand::Notes, "Notes1", "Notes", nullptr, nullptr},
    {TCommand::LoFolder, "LoFiles2", "Lo Files Location", "ChangeFolders1", "Change Folders"},
    {TCommand::ObjdatFolder, "OBJDATFolderLocation1", "OBJDAT Folder Location", "ChangeFolders1",
     "Change Folders"},
    {TCommand::About, "About1", "About", nullptr, nullptr},
};

QString Latin1(const char* text) { return QString::fromLatin1(text); }

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
      action = bar->addAction(Latin1(row.caption));
    } else {
      const bool first_in_submenu =
          submenu == nullptr || submenu->objectName() != Latin1(row.submenu_name);
      if (first_in_submenu) {
        submenu = bar->addMenu(Latin1(row.submenu_caption));
        submenu->setObjectName(Latin1(row.submenu_name));
      }
      action = submenu->addAction(Latin1(row.caption));
      if (first_in_submenu) {
        QFont bold = submenu->font();
        bold.setBold(true);
        action->setFont(bold);
        submenu->setDefaultAction(action);
      }
    }
    action->setObjectName(Latin1(row.name));
    actions[static_cast<std::size_t>(row.command)] = action;
  }
  return actions;
}
