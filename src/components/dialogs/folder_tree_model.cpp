#include "dialogs/folder_tree_model.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>

struct FolderTreeModel::Node {
  QString path;
  QString label;
  bool folder = true;
  bool listed = false;
  int row = 0;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;
};

FolderTreeModel::FolderTreeModel(bool listFiles, QObject* parent)
    : QAbstractItemModel(parent), listFiles_(listFiles) {}

FolderTreeModel::~FolderTreeModel() = default;

void FolderTreeModel::setRoots(const QStringList& rootPaths) {
  beginResetModel();
  roots_.clear();
  for (const QString& path : rootPaths) {
    auto node = std::make_unique<Node>();
    node->path = QDir::cleanPath(path);
    node->label = node->path;  // top-level items show their full path
    node->row = static_cast<int>(roots_.size());
    roots_.push_back(std::move(node));
  }
  endResetModel();
}

FolderTreeModel::Node* FolderTreeModel::nodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTreeModel::indexOfNode(const Node* node) const {
  return node ? createIndex(node->row, 0, const_cast<Node*>(node)) : QModelIndex();
}

QString FolderTreeModel::pathOf(const QModelIndex& index) const {
  const Node* node = nodeOf(index);
  return node ? node->path : QString();
}

bool FolderTreeModel::isFolder(const QModelIndex& index) const {
  const Node* node = nodeOf(index);
  return node && node->folder;
}

QModelIndex FolderTreeModel::indexOfPath(const QString& path) {
  const QString wanted = QDir::cleanPath(path);
  if (wanted.isEmpty()) return {};
  for (const auto& root : roots_) {
    if (wanted == root->path) return indexOfNode(root.get());
    const QString prefix =
        root->path.endsWith(QLatin1Char('/')) ? root->path : root->path + QLatin1Char('/');
    if (!wanted.startsWith(prefix)) continue;
    Node* node = root.get();
    const QStringList parts = wanted.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
      const QModelIndex at = indexOfNode(node);
      if (canFetchMore(at)) fetchMore(at);
      Node* next = nullptr;
      for (const auto& child : node->children) {
        if (child->label == part) next = child.get();
      }
      node = next;
      if (!node) break;
    }
    if (node) return indexOfNode(node);
  }
  return {};
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  const Node* owner = nodeOf(parent);
  const auto& list = owner ? owner->children : roots_;
  if (row >= static_cast<int>(list.size())) return {};
  return indexOfNode(list[row].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
  const Node* node = nodeOf(child);
  return node ? indexOfNode(node->parent) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const Node* owner = nodeOf(parent);
  return static_cast<int>(owner ? owner->children.size() : roots_.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
  const Node* node = nodeOf(index);
  if (!node) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return node->label;
    case Qt::ToolTipRole:
      return node->path;
    case Qt::DecorationRole: {
      static const QFileIconProvider icons;
      if (!node->parent) {
        return icons.icon(node->path == QDir::rootPath() ? QAbstractFileIconProvider::Computer
                                                         : QAbstractFileIconProvider::Folder);
      }
      return icons.icon(node->folder ? QAbstractFileIconProvider::Folder
                                     : QAbstractFileIconProvider::File);
    }
    default:
      return {};
  }
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
  const Node* node = nodeOf(parent);
  if (!node) return !roots_.empty();
  // Unlisted folders offer an expander; listing shows whether it was needed.
  return node->folder && (!node->listed || !node->children.empty());
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
  const Node* node = nodeOf(parent);
  return node && node->folder && !node->listed;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
  Node* node = nodeOf(parent);
  if (!node || node->listed) return;
  node->listed = true;

  QDir::Filters filters = QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden;
  if (listFiles_) filters |= QDir::Files;
  const QFileInfoList entries =
      QDir(node->path).entryInfoList(filters, QDir::DirsFirst | QDir::Name | QDir::IgnoreCase);
  if (entries.isEmpty()) {
    // The expander goes away.
    emit dataChanged(parent, parent);
    return;
  }

  beginInsertRows(parent, 0, static_cast<int>(entries.size()) - 1);
  for (const QFileInfo& entry : entries) {
    auto child = std::make_unique<Node>();
    child->path = entry.absoluteFilePath();
    child->label = entry.fileName();
    child->folder = entry.isDir();
    child->row = static_cast<int>(node->children.size());
    child->parent = node;
    node->children.push_back(std::move(child));
  }
  endInsertRows();
}
