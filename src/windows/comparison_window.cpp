#include "windows/comparison_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/backups.h"
#include "editor/comparison_marks.h"
#include "editor/editing_session.h"
#include "map/map_view.h"
#include "qt_convert.h"
#include "windows/desktop_host.h"
#include "windows/guarded.h"
#include "windows/restore_backup_dialog.h"

namespace {

MapOverlayMark::Kind OverlayKind(TComparisonMark::Kind kind) {
  switch (kind) {
    case TComparisonMark::Kind::OnlyThere:
      return MapOverlayMark::Kind::Added;  // take adds it here
    case TComparisonMark::Kind::OnlyHere:
      return MapOverlayMark::Kind::Removed;  // take removes it
    case TComparisonMark::Kind::Changed:
      return MapOverlayMark::Kind::Changed;
    case TComparisonMark::Kind::Moved:
      return MapOverlayMark::Kind::Moved;
    case TComparisonMark::Kind::OtherRecord:
      break;
  }
  return MapOverlayMark::Kind::Other;
}

// The session's marks, drawn on the map.
MapOverlay Marks(const TComparison& comparison) {
  MapOverlay overlay;
  for (const TComparisonMark& mark : ComparisonMarks(comparison)) {
    overlay.marks.push_back({OverlayKind(mark.kind), {mark.x, mark.y}, {mark.from_x, mark.from_y}});
  }
  overlay.description = ToQString(ComparisonMarksDescription(comparison));
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
    const auto chosen =
        ChooseBackupCopy(parentWidget(), copies, session_.BackupRestore().Keeper().Folder());
    if (!chosen) return;
    const auto copy = std::ranges::find(copies, *chosen, &TBackupCopy::path);
    CompareWith(*chosen, copy != copies.end() ? BackupCopyName(*copy) : std::string());
  });
}

void ComparisonWindow::CompareWith(const std::filesystem::path& other,
                                   const std::string& other_name) {
  guarded([this, &other, &other_name] {
    session_.Compare().Start(other, other_name);
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
