#include "windows/group_commands.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/editing_session.h"
#include "qt_convert.h"
#include "windows/array_dialog.h"
#include "windows/guarded.h"
#include "windows/set_for_group_dialog.h"

GroupCommands::GroupCommands(QWidget& window, TEditingSession& session)
    : QObject(&window), window_(window), session_(session) {}

bool GroupCommands::Runs(TCommand command) {
  return std::find(std::begin(kCommands), std::end(kCommands), command) != std::end(kCommands);
}

void GroupCommands::Run(TCommand command) {
  TGroupEdits& group = session_.Group();
  switch (command) {
    case TCommand::SelectAllObjects:
      return guarded([&] { group.SelectAll(); });
    case TCommand::SelectSameKind:
      return guarded([&] { group.SelectSameKind(); });
    case TCommand::SetForGroup:
      return guarded([&] {
        if (group.Members().empty()) return group.SetForGroup({});  // says nothing is chosen
        const auto texts = AskGroupFields(&window_, session_);
        if (!texts.empty()) group.SetForGroup(texts);
      });
    case TCommand::ArrayCopies:
      return OpenArrayDialog();
    case TCommand::AlignXLeast:
      return guarded([&] { group.Align(TAxis::X, TAlignTo::Least); });
    case TCommand::AlignXMiddle:
      return guarded([&] { group.Align(TAxis::X, TAlignTo::Middle); });
    case TCommand::AlignXGreatest:
      return guarded([&] { group.Align(TAxis::X, TAlignTo::Greatest); });
    case TCommand::AlignYLeast:
      return guarded([&] { group.Align(TAxis::Y, TAlignTo::Least); });
    case TCommand::AlignYMiddle:
      return guarded([&] { group.Align(TAxis::Y, TAlignTo::Middle); });
    case TCommand::AlignYGreatest:
      return guarded([&] { group.Align(TAxis::Y, TAlignTo::Greatest); });
    case TCommand::SpreadX:
      return guarded([&] { group.Spread(TAxis::X); });
    case TCommand::SpreadY:
      return guarded([&] { group.Spread(TAxis::Y); });
    case TCommand::CheckFile:
      return CheckFile();
    default:
      return;
  }
}

// Over the lists, so that the map stays in sight.
QPoint GroupCommands::BesideTheMap() const { return window_.mapToGlobal(QPoint(8, 40)); }

void GroupCommands::OpenArrayDialog() {
  if (session_.Group().Members().empty()) {
    guarded([&] { session_.Group().Array({1, 0.0, 0.0, 0.0}); });  // says nothing is chosen
    return;
  }
  if (array_ == nullptr) {
    array_ = new ArrayDialog(&window_, session_);
    connect(array_, &ArrayDialog::pickingPoint, this, &GroupCommands::pickingPoint);
    array_->move(BesideTheMap());
  }
  array_->Preview();  // the group may have changed since it was last shown
  array_->show();
  array_->raise();
  array_->activateWindow();
}

void GroupCommands::PointPicked(double x, double y) {
  if (array_ != nullptr) array_->PointPicked(x, y);
}

// The findings of the file as it is now, in a list that stays open; a row
// that names a record chooses it on the map and in the contents list.
void GroupCommands::CheckFile() {
  std::vector<TLoFinding> found;
  bool checked = false;
  guarded([&] {
    found = session_.CheckFile();
    checked = true;
  });
  if (!checked) return;
  delete findings_;
  auto* dialog = new QDialog(&window_);
  findings_ = dialog;
  dialog->setObjectName(QStringLiteral("CheckFileDialog"));
  dialog->setWindowTitle(QStringLiteral("Check File"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(dialog);
  const QString summary = found.size() == 1 ? QStringLiteral("1 finding")
                                            : QStringLiteral("%1 findings").arg(found.size());
  layout->addWidget(new QLabel(found.empty()
                                   ? QStringLiteral("Nothing found.")
                                   : summary + QStringLiteral("; a click chooses the record."),
                               dialog));
  auto* list = new QListWidget(dialog);
  list->setObjectName(QStringLiteral("CheckFindings"));
  list->setAccessibleName(QStringLiteral("Findings"));
  for (const TLoFinding& finding : found) {
    auto* item = new QListWidgetItem(BytesToQString(finding.text), list);
    item->setData(Qt::UserRole, finding.record);
  }
  // A click or Enter, not the list's own first current row.
  auto choose = [this](QListWidgetItem* item) {
    const int record = item->data(Qt::UserRole).toInt();
    if (record >= 0) guarded([&] { session_.Placing().ChooseRecord(record); });
  };
  connect(list, &QListWidget::itemClicked, this, choose);
  connect(list, &QListWidget::itemActivated, this, choose);
  layout->addWidget(list);
  dialog->resize(520, 260);
  dialog->move(BesideTheMap());
  dialog->show();
}
