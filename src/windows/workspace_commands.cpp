#include "windows/workspace_commands.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

#include "editor/editing_session.h"
#include "fields/column_list_box.h"
#include "qt_convert.h"
#include "windows/desktop_host.h"
#include "windows/find_in_levels_window.h"
#include "windows/guarded.h"
#include "windows/levels_window.h"

WorkspaceCommands::WorkspaceCommands(QWidget& window, const EditorWidgets& widgets,
                                     TEditingSession& session, const ruriVizid& settings,
                                     DesktopHost& desktop)
    : QObject(&window),
      window_(window),
      widgets_(widgets),
      session_(session),
      desktop_(desktop),
      recent_(DefaultRecentFilesPath()) {
  auto open = [this](const std::filesystem::path& file) { Open(file); };
  levels_ = new LevelsWindow(session_, settings, open, &window_);
  find_ = new FindInLevelsWindow(session_, settings, open, &window_);

  // "Open Recent" ends the "Open" menu; every item above keeps its place.
  if (auto* open_menu = window_.findChild<QMenu*>(QStringLiteral("Open1"))) {
    recent_menu_ = open_menu->addMenu(QStringLiteral("Open Recent"));
    recent_menu_->setObjectName(QStringLiteral("OpenRecent1"));
    connect(recent_menu_, &QMenu::aboutToShow, this, &WorkspaceCommands::FillRecentMenu);
    FillRecentMenu();
  }

  ColumnListBox* catalogue = widgets_.CatalogueList();
  find_kind_ = new QAction(QStringLiteral("Find This Kind in Lo Files"), catalogue);
  find_kind_->setObjectName(QStringLiteral("FindKindInLoFiles1"));
  connect(find_kind_, &QAction::triggered, this, &WorkspaceCommands::FindKindOfChosenEntry);
  catalogue->setContextMenuPolicy(Qt::ActionsContextMenu);
  catalogue->addAction(find_kind_);
  catalogue->viewport()->installEventFilter(this);
}

void WorkspaceCommands::Run(TCommand command) {
  if (command == TCommand::ShowLevels) levels_->ShowLevels();
  if (command == TCommand::FindInLevels) find_->ShowFind();
}

void WorkspaceCommands::RestoreFromLastRun() { levels_->RestoreFromLastRun(); }

void WorkspaceCommands::OpenFileChanged() {
  if (session_.Document().IsOpen()) {
    guarded([this] { recent_.Add(session_.Document().Path()); });
    FillRecentMenu();
  }
  levels_->Update();
}

void WorkspaceCommands::CatalogueChanged() { find_->RenameResults(); }

void WorkspaceCommands::LoFolderChanged() { levels_->Update(); }

void WorkspaceCommands::Open(const std::filesystem::path& file) {
  guarded([this, &file] { session_.Files().OpenLoFileNamed(file); });
}

void WorkspaceCommands::FillRecentMenu() {
  if (recent_menu_ == nullptr) return;
  recent_menu_->clear();
  std::vector<std::filesystem::path> files;
  guarded([this, &files] { files = recent_.Load(); });
  for (std::size_t i = 0; i < files.size(); ++i) {
    QString shown = PathToQString(files[i]);
    shown.replace(u'&', QStringLiteral("&&"));
    QAction* item = recent_menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    item->setObjectName(QStringLiteral("OpenRecent%1").arg(i + 1));
    const std::filesystem::path file = files[i];
    connect(item, &QAction::triggered, this, [this, file] { OpenRecent(file); });
  }
  if (files.empty())
    recent_menu_->addAction(QStringLiteral("No Lo file opened yet"))->setEnabled(false);
}

void WorkspaceCommands::OpenRecent(const std::filesystem::path& file) {
  guarded([this, &file] { OpenRecentFile(session_, recent_, file); });
  FillRecentMenu();
}

void WorkspaceCommands::FindKindOfChosenEntry() {
  ColumnListBox* catalogue = widgets_.CatalogueList();
  const int entry = session_.View().FileRow(TList::Catalogue, catalogue->selectedRow());
  if (entry < 0) return guarded([this] { desktop_.ShowInformation(kNoItemSelected); });
  const auto& words = session_.Catalogue().ObjEntryTable.at(static_cast<std::size_t>(entry)).words;
  // A record holds the low 8 bits of the entry's class and type.
  find_->FindKind(static_cast<std::uint8_t>(words[0]), static_cast<std::uint8_t>(words[1]));
}

bool WorkspaceCommands::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::RightButton) {
      ColumnListBox* catalogue = widgets_.CatalogueList();
      const int row = catalogue->rowAt(press->position().toPoint());
      if (row >= 0) catalogue->setSelectedRow(row);
    }
  }
  return QObject::eventFilter(watched, event);
}
