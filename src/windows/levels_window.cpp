#include "windows/levels_window.h"

#include <QCloseEvent>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "datafiles/obj_catalogue.h"
#include "editor/editing_session.h"
#include "editor/level_catalogue.h"
#include "placement/placement_adapter.h"
#include "qt_convert.h"
#include "settings/profile_store.h"
#include "windows/guarded.h"
#include "windows/level_reader.h"
#include "windows/levels_model.h"
#include "windows/tool_window_place.h"

namespace {

const char kPlaceName[] = "Levels";
const char kNoFolder[] =
    "No Lo files folder is chosen yet: \"Change Folders\" > \"Lo Files Location\" chooses one.";
// Rows arriving are shown this often while the reading goes on.
constexpr int kShowRowsMs = 100;
// A burst of changes in the folder (a copy of many files) rescans once.
constexpr int kRescanMs = 200;

// The catalogue's kinds: the findings depend on them, not on the names.
bool SameKinds(const TObjCatalogue* a, const TObjCatalogue* b) {
  if (a == nullptr || b == nullptr) return a == b;
  if (a->ObjLastIndex != b->ObjLastIndex) return false;
  for (int i = 0; i <= a->ObjLastIndex && i < kObjCatalogueCapacity; ++i) {
    const auto& wa = a->ObjEntryTable[static_cast<std::size_t>(i)].words;
    const auto& wb = b->ObjEntryTable[static_cast<std::size_t>(i)].words;
    if (wa[0] != wb[0] || wa[1] != wb[1]) return false;
  }
  return true;
}

}  // namespace

LevelsWindow::LevelsWindow(TEditingSession& session, const ruriVizid& settings,
                           std::function<void(const std::filesystem::path&)> open, QWidget* editor)
    : QWidget(editor, Qt::Tool),
      session_(session),
      settings_(settings),
      open_(std::move(open)),
      places_(DefaultToolWindowsPath()) {
  setObjectName(QStringLiteral("Levels1"));
  setWindowTitle(QStringLiteral("Levels"));
  find_ = new QLineEdit(this);
  find_->setObjectName(QStringLiteral("LevelsFind"));
  find_->setPlaceholderText(QStringLiteral("Find by file or level name"));
  find_->setAccessibleName(QStringLiteral("Find Levels"));
  find_->setClearButtonEnabled(true);
  model_ = new LevelsModel(levels_, this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("LevelsList"));
  list_->setAccessibleName(QStringLiteral("Levels"));
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSortingEnabled(true);
  list_->sortByColumn(0, Qt::AscendingOrder);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->setWordWrap(false);
  const int widths[kLevelColumnCount] = {150, 130, 60, 0, 120, 60};
  for (int column = 0; column < kLevelColumnCount; ++column) {
    if (widths[column] > 0) list_->setColumnWidth(column, widths[column]);
  }
  list_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("LevelsStatus"));
  status_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(find_);
  layout->addWidget(list_);
  layout->addWidget(status_);
  resize(760, 360);

  watcher_ = new QFileSystemWatcher(this);
  rescan_ = new QTimer(this);
  rescan_->setSingleShot(true);
  rescan_->setInterval(kRescanMs);
  show_rows_ = new QTimer(this);
  show_rows_->setSingleShot(true);
  show_rows_->setInterval(kShowRowsMs);
  reader_ = new LevelReader(this);

  connect(watcher_, &QFileSystemWatcher::directoryChanged, rescan_, qOverload<>(&QTimer::start));
  connect(watcher_, &QFileSystemWatcher::fileChanged, rescan_, qOverload<>(&QTimer::start));
  connect(rescan_, &QTimer::timeout, this, &LevelsWindow::Rescan);
  connect(show_rows_, &QTimer::timeout, this, &LevelsWindow::ShowRows);
  connect(find_, &QLineEdit::textChanged, this, &LevelsWindow::ShowRows);
  // Enter and a double-click (which activates the row too).
  connect(list_, &QAbstractItemView::activated, this, &LevelsWindow::OpenRow);
}

LevelsWindow::~LevelsWindow() {
  reader_->Stop();
  StorePlace();
}

bool LevelsWindow::Reading() const { return reader_->Running(); }

void LevelsWindow::ShowLevels() {
  const bool was_visible = isVisible();
  shown_ = true;
  if (!frame_) PlaceBesideEditor(*this);
  show();  // reads the folder (showEvent)
  raise();
  activateWindow();
  if (was_visible) Update();
}

void LevelsWindow::RestoreFromLastRun() {
  guarded([this] {
    const TToolWindowPlace place = places_.Load(kPlaceName);
    stored_ = place;
    frame_ = place.frame;
    if (frame_) ApplyWindowPlacement(*this, {0, TWindowPlacement::kShowNormal, *frame_});
    if (place.shown) ShowLevels();
  });
}

void LevelsWindow::Update() {
  if (!isVisible()) return;
  guarded([this] {
    const std::filesystem::path folder = settings_.ReadSetting("settings", "startdir", "");
    std::shared_ptr<const TObjCatalogue> catalogue = LevelCatalogue(session_, settings_);
    const bool other_kinds = !SameKinds(catalogue.get(), catalogue_.get());
    catalogue_ = std::move(catalogue);
    if (folder != levels_.Folder()) {
      reader_->Stop();
      levels_.SetFolder(folder);
    }
    Rescan();
    // The findings depend on the catalogue's kinds: with others, every file again.
    if (other_kinds && !levels_.Rows().empty()) ReadFiles(levels_.Listed());
  });
}

void LevelsWindow::Rescan() {
  if (levels_.Folder().empty()) {
    ShowRows();
    return;
  }
  std::vector<TLevelFile> files = levels_.Rescan();
  WatchFolder();
  ShowRows();
  if (!files.empty()) ReadFiles(std::move(files));
}

// The reader keeps its own copies of the files and the catalogue.
void LevelsWindow::ReadFiles(std::vector<TLevelFile> files) {
  if (reader_->Running()) {
    reader_->Stop();
    // What the stopped run had not read yet is still new to the set.
    for (const TLevelFile& file : levels_.Rescan()) {
      if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    }
  }
  to_read_ = static_cast<int>(files.size());
  read_ = 0;
  auto shared = std::make_shared<const std::vector<TLevelFile>>(std::move(files));
  std::shared_ptr<const TObjCatalogue> catalogue = catalogue_;
  reader_->Start(
      shared->size(),
      [this, shared, catalogue](std::size_t i) -> LevelReader::Result {
        TLevelRow row = ReadLevelRow((*shared)[i], catalogue.get());
        return [this, row = std::move(row)]() mutable {
          levels_.Take(std::move(row));
          ++read_;
          if (!show_rows_->isActive()) show_rows_->start();
        };
      },
      [this] { ShowRows(); });
  ShowStatus();
}

// Every file is watched too: a file rewritten in place leaves the folder's
// own time as it was.
void LevelsWindow::WatchFolder() {
  QStringList paths;
  if (levels_.Problem().empty()) {
    paths << PathToQString(levels_.Folder());
    for (const TLevelFile& file : levels_.Listed()) paths << PathToQString(file.path);
  } else {
    // A folder that went may come back: its parent tells.
    paths << PathToQString(levels_.Folder().parent_path());
  }
  QStringList watched = watcher_->directories() + watcher_->files();
  watched.sort();
  paths.sort();
  if (watched == paths) return;
  if (!watched.isEmpty()) watcher_->removePaths(watched);
  if (!paths.isEmpty()) watcher_->addPaths(paths);
}

void LevelsWindow::ShowRows() {
  const TLevelRow* current = model_->RowAt(list_->currentIndex().row());
  const std::filesystem::path chosen = current ? current->file.path : std::filesystem::path();
  const std::filesystem::path open =
      session_.Document().IsOpen()
          ? std::filesystem::absolute(session_.Document().Path()).lexically_normal()
          : std::filesystem::path();
  const int scrolled = list_->verticalScrollBar()->value();
  model_->Refresh(QStringToBytes(find_->text()), open);
  const int position = model_->PositionOf(chosen.empty() ? open : chosen);
  if (position >= 0) list_->setCurrentIndex(model_->index(position, 0));
  list_->verticalScrollBar()->setValue(scrolled);  // rows arriving do not move the list
  ShowStatus();
}

void LevelsWindow::ShowStatus() {
  const QString folder = PathToQString(levels_.Folder());
  if (levels_.Folder().empty()) return status_->setText(QString::fromLatin1(kNoFolder));
  if (!levels_.Problem().empty())
    return status_->setText(ToQString(UserMessage(levels_.Problem())));
  if (reader_->Running()) {
    return status_->setText(
        QStringLiteral("Reading %1 of %2 Lo files in %3...").arg(read_).arg(to_read_).arg(folder));
  }
  int unreadable = 0;
  for (const TLevelRow& row : levels_.Rows()) unreadable += row.Reads() ? 0 : 1;
  QString text = QStringLiteral("%1 Lo files in %2").arg(levels_.Rows().size()).arg(folder);
  if (unreadable > 0) text += QStringLiteral(", %1 of them do not read").arg(unreadable);
  status_->setText(text + QStringLiteral("."));
}

void LevelsWindow::OpenRow(const QModelIndex& index) {
  const TLevelRow* row = model_->RowAt(index.row());
  if (row == nullptr) return;
  const std::filesystem::path file = row->file.path;
  open_(file);
  ShowRows();
}

void LevelsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Update();
}

void LevelsWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) reader_->Stop();  // shown again, it reads what is left
}

void LevelsWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (isVisible()) frame_ = QueryWindowPlacement(*this).normal;
}

void LevelsWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible()) frame_ = QueryWindowPlacement(*this).normal;
}

void LevelsWindow::closeEvent(QCloseEvent* event) {
  shown_ = false;
  StorePlace();
  event->accept();
}

void LevelsWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

// Written only when it changed: a run that never showed the window leaves
// the file alone.
void LevelsWindow::StorePlace() {
  const TToolWindowPlace place{shown_, frame_};
  if (stored_ ? *stored_ == place : place == TToolWindowPlace{}) return;
  guarded([this, &place] {
    places_.Save(kPlaceName, place);
    stored_ = place;
  });
}
