#include "windows/levels_model.h"

#include <QColor>
#include <QDateTime>
#include <QFont>

#include "errors/user_message.h"
#include "qt_convert.h"

namespace {

QString NumberText(int value) { return value < 0 ? QString() : QString::number(value); }

}  // namespace

// Rows out and in rather than a reset, so the header keeps its widths.
void LevelsModel::Refresh(const std::string& find, const std::filesystem::path& open_file) {
  find_ = find;
  open_file_ = open_file;
  std::vector<int> order = LevelRowOrder(levels_.Rows(), column_, descending_, find_);
  if (!order_.empty()) {
    beginRemoveRows({}, 0, static_cast<int>(order_.size()) - 1);
    order_.clear();
    endRemoveRows();
  }
  if (!order.empty()) {
    beginInsertRows({}, 0, static_cast<int>(order.size()) - 1);
    order_ = std::move(order);
    endInsertRows();
  }
}

const TLevelRow* LevelsModel::RowAt(int position) const {
  if (position < 0 || position >= static_cast<int>(order_.size())) return nullptr;
  return &levels_.Rows()[static_cast<std::size_t>(order_[static_cast<std::size_t>(position)])];
}

int LevelsModel::PositionOf(const std::filesystem::path& file) const {
  for (std::size_t i = 0; i < order_.size(); ++i) {
    if (levels_.Rows()[static_cast<std::size_t>(order_[i])].file.path == file) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int LevelsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int LevelsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kLevelColumnCount;
}

QVariant LevelsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kCaptions[kLevelColumnCount] = {"File",        "Name",    "Records",
                                                           "Description", "Changed", "Findings"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kLevelColumnCount) {
    return {};
  }
  return QString::fromLatin1(kCaptions[section]);
}

QVariant LevelsModel::data(const QModelIndex& index, int role) const {
  const TLevelRow* row = RowAt(index.row());
  if (row == nullptr) return {};
  const auto column = static_cast<TLevelColumn>(index.column());
  const bool open = row->file.path == open_file_;
  switch (role) {
    case Qt::DisplayRole:
      return Text(*row, column);
    case Qt::ToolTipRole:
      if (!row->Reads()) return ToQString(UserMessage(row->problem));
      return PathToQString(row->file.path) + (open ? QStringLiteral(" (open)") : QString());
    case Qt::FontRole:
      if (open) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::ForegroundRole:
      if (!row->Reads() && column == TLevelColumn::Description) return QColor(160, 0, 0);
      return {};
    case Qt::TextAlignmentRole:
      if (column == TLevelColumn::Records || column == TLevelColumn::Findings) {
        return int(Qt::AlignRight | Qt::AlignVCenter);
      }
      return {};
    default:
      return {};
  }
}

void LevelsModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kLevelColumnCount) return;
  column_ = static_cast<TLevelColumn>(column);
  descending_ = order == Qt::DescendingOrder;
  Refresh(find_, open_file_);
}

QString LevelsModel::Text(const TLevelRow& row, TLevelColumn column) const {
  switch (column) {
    case TLevelColumn::File:
      return PathToQString(row.file.path.filename()) +
             (row.file.path == open_file_ ? QStringLiteral(" (open)") : QString());
    case TLevelColumn::Name:
      return BytesToQString(row.name);
    case TLevelColumn::Records:
      return NumberText(row.count);
    case TLevelColumn::Description:
      return row.Reads() ? BytesToQString(row.description) : ToQString(UserMessage(row.problem));
    case TLevelColumn::Changed:
      return QDateTime::fromSecsSinceEpoch(row.file.changed)
          .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case TLevelColumn::Findings:
      return NumberText(row.findings);
  }
  return {};
}
