#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A lazily filled tree of the file system below a few root folders. Each
// folder is listed when it is first expanded (synchronously, so what the
// user sees is what the disk holds at that moment). Hidden entries are
// listed too: game folders often live inside a hidden Wine prefix.
class FolderTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit FolderTreeModel(bool listFiles, QObject* parent = nullptr);
  ~FolderTreeModel() override;

  // Drops the whole tree and starts again with these top-level folders.
  void setRoots(const QStringList& rootPaths);

  QString pathOf(const QModelIndex& index) const;
  bool isFolder(const QModelIndex& index) const;
  // The item for an existing path below one of the roots (the first root
  // that holds it), listing the folders on the way; invalid when not found.
  QModelIndex indexOfPath(const QString& path);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  struct Node;
  Node* nodeOf(const QModelIndex& index) const;
  QModelIndex indexOfNode(const Node* node) const;

  bool listFiles_;
  std::vector<std::unique_ptr<Node>> roots_;
};
