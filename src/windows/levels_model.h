#pragma once

#include <QAbstractTableModel>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/level_set.h"

// The level set's rows in the order and find the user chose, for the
// "Levels" window's table; the core sorts and finds, this only shows. The
// open file's row is bold and marked "(open)"; a row that does not read
// shows its message as its description.
class LevelsModel : public QAbstractTableModel {
 public:
  LevelsModel(const TLevelSet& levels, QObject* parent)
      : QAbstractTableModel(parent), levels_(levels) {}

  // The rows again, found by `find`; `open_file` is marked.
  void Refresh(const std::string& find, const std::filesystem::path& open_file);
  // The row shown at `position`, or null.
  const TLevelRow* RowAt(int position) const;
  // Where the row of `file` shows, or -1.
  int PositionOf(const std::filesystem::path& file) const;

  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // A click on a column's header.
  void sort(int column, Qt::SortOrder order) override;

 private:
  QString Text(const TLevelRow& row, TLevelColumn column) const;

  const TLevelSet& levels_;
  std::vector<int> order_;
  TLevelColumn column_ = TLevelColumn::File;
  bool descending_ = false;
  std::string find_;
  std::filesystem::path open_file_;
};
