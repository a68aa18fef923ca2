#include "windows/comparison_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "editor/editing_session.h"
#include "map/map_view.h"
#include "qt_convert.h"
#include "windows/desktop_host.h"
#include "windows/guarded.h"
#include "windows/restore_backup_dialog.h"

namespace {

WorldPoint PlaceOf(const TRecordBytes& bytes) {
  const TLoRecord record = UnpackRecord(bytes);
  return {static_cast<double>(record.x), static_cast<double>(record.y)};
}

bool Moves(const TLoDifference& difference) {
  for (TField field : difference.fields) {
    if (field == TField::X || field == TField::Y) return true;
  }
  return false;
}

// The other file's records, faint, and a mark for every record difference.
MapOverlay Marks(const TComparison& comparison) {
  MapOverlay overlay;
  const TLoFileParts& other = comparison.OtherParts();
  const TLoFileParts& open = comparison.OpenParts();
  for (const TRecordBytes& record : other.records) {
    overlay.marks.push_back({MapOverlayMark::Kind::Other, PlaceOf(record), {}});
  }
  int added = 0, removed = 0, changed = 0, moved = 0;
  for (const TLoDifference& difference : comparison.Differences()) {
    const auto a = static_cast<std::size_t>(difference.a);
    const auto b = static_cast<std::size_t>(difference.b);
    switch (difference.kind) {
      case TLoDifference::Kind::Added:
        overlay.marks.push_back({MapOverlayMark::Kind::Added, PlaceOf(open.records[b]), {}});
        ++added;
        break;
      case TLoDifference::Kind::Removed:
        overlay.marks.push_back({MapOverlayMark::Kind::Removed, PlaceOf(other.records[a]), {}});
        ++removed;
        break;
      case TLoDifference::Kind::Changed:
        if (Moves(difference)) {
          overlay.marks.push_back(
              {MapOverlayMark::Kind::Moved, PlaceOf(open.records[b]), PlaceOf(other.records[a])});
          ++moved;
        } else {
          overlay.marks.push_back({MapOverlayMark::Kind::Changed, PlaceOf(open.records[b]), {}});
          ++changed;
        }
        break;
      case TLoDifference::Kind::Header:
      case TLoDifference::Kind::Order:
        break;
    }
  }
  overlay.description =
      QStringLiteral("compared with %1: %2 added, %3 removed, %4 changed, %5 moved")
          .arg(PathToQString(comparison.Other().filename()))
          .arg(added)
          .arg(removed)
          .arg(changed)
          .arg(moved);
  return overlay;
}

}  // namespace

ComparisonWindow::ComparisonWindow(TEditingSession& session, DesktopHost& desktop, MapView& map,
                                   QWidget* editor)
    : QWidget(editor, Qt::Tool), session_(session), desktop_(desktop), map_(map) {
  setObjectName(QStringLiteral("Comparison1"));
  setWindowTitle(QStringLiteral("Differences"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("DifferencesList"));
  list_->setAccessibleName(QStringLiteral("Differences"));
  take_ = new QPushButton(QStringLiteral("Take This Difference"), this);
  take_->setObjectName(QStringLiteral("TakeDifference1"));
  take_all_ = new QPushButton(QStringLiteral("Take All Differences"), this);
  take_all_->setObjectName(QStringLiteral("TakeAllDifferences1"));
  auto* end = new QPushButton(QStringLiteral("End Comparison"), this);
  end->setObjectName(QStringLiteral("EndComparison1"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(take_);
  buttons->addWidget(take_all_);
  buttons->addWidget(end);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  resize(520, 300);

  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { RowClicked(list_->row(item)); });
  connect(take_, &QPushButton::clicked, this,
          [this] { guarded([this] { session_.Compare().Take(list_->currentRow()); }); });
  connect(take_all_, &QPushButton::clicked, this,
          [this] { guarded([this] { session_.Compare().TakeAll(); }); });
  connect(end, &QPushButton::clicked, this, &ComparisonWindow::End);
  connect(&map_, &MapView::overlayEndRequested, this, &ComparisonWindow::End);
}

void ComparisonWindow::CompareWithFile() {
  guarded([this] {
    TOpenDialogRequest request{"Compare With a Lo File",
                               kOpenDialogFilter,
                               kOpenDialogDefaultExtension,
                               session_.Document().Path().parent_path().string(),
                               {}};
    if (auto file = desktop_.RunOpenDialog(request)) CompareWith(*file);
  });
}

void ComparisonWindow::CompareWithBackup() {
  guarded([this] {
    const std::vector<TBackupCopy> copies = session_.BackupRestore().Copies();
    if (auto copy =
            ChooseBackupCopy(parentWidget(), copies, session_.BackupRestore().Keeper().Folder())) {
      CompareWith(*copy);
    }
  });
}

void ComparisonWindow::CompareWith(const std::filesystem::path& other) {
  guarded([this, &other] {
    session_.Compare().Start(other);
    setWindowTitle(QStringLiteral("Differences with ") + PathToQString(other.filename()));
    Update();
    show();
    raise();
  });
}

void ComparisonWindow::Update() {
  TComparison& comparison = session_.Compare();
  comparison.Refresh();
  if (!comparison.Active()) {
    list_->clear();
    map_.setOverlay({});
    hide();
    return;
  }
  const int current = list_->currentRow();
  list_->clear();
  for (const std::string& line : comparison.Lines()) list_->addItem(BytesToQString(line));
  if (list_->count() > 0) list_->setCurrentRow(std::min(std::max(current, 0), list_->count() - 1));
  take_->setEnabled(list_->count() > 0);
  take_all_->setEnabled(list_->count() > 0);
  map_.setOverlay(Marks(comparison));
}

void ComparisonWindow::End() {
  session_.Compare().End();
  Update();
}

void ComparisonWindow::RowClicked(int row) {
  const int record = session_.Compare().RecordOf(row);
  if (record >= 0) guarded([this, record] { session_.Placing().ChooseRecord(record); });
}

void ComparisonWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return End();
  QWidget::keyPressEvent(event);
}

void ComparisonWindow::closeEvent(QCloseEvent* event) {
  End();
  event->accept();
}
