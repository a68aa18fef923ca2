#include "fields/column_list_accessible.h"

#include <QHeaderView>
#include <QStandardItemModel>

#include "fields/column_list_box.h"
#include "fields/row_text.h"

namespace {

class ColumnListCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  ColumnListCell(ColumnListAccessible* table, int row, int column)
      : table_(table), row_(row), column_(column) {}

  bool isValid() const override { return row_ < table_->rowCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table_->window(); }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return table_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Cell; }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind != QAccessible::Name || !isValid()) return {};
    const QStringList parts = SplitRowText(table_->list()->rows().at(row_));
    return column_ < parts.size() ? parts.at(column_) : QString();
  }

  QRect rect() const override {
    ColumnListBox* list = table_->list();
    QRect cell = list->rowRect(row_);
    cell.setLeft(list->header()->sectionViewportPosition(column_));
    cell.setWidth(list->sectionWidth(column_));
    return QRect(list->viewport()->mapToGlobal(cell.topLeft()), cell.size());
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    state.selectable = true;
    state.selected = isSelected();
    state.invisible = !table_->list()->viewport()->rect().intersects(table_->list()->rowRect(row_));
    return state;
  }

  bool isSelected() const override { return isValid() && table_->list()->isRowHighlighted(row_); }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return table_; }

 private:
  ColumnListAccessible* table_;
  int row_;
  int column_;
};

}  // namespace

ColumnListAccessible::ColumnListAccessible(ColumnListBox* list)
    : QAccessibleWidget(list, QAccessible::Table) {}

ColumnListAccessible::~ColumnListAccessible() {
  for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
}

ColumnListBox* ColumnListAccessible::list() const { return static_cast<ColumnListBox*>(widget()); }

void* ColumnListAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

int ColumnListAccessible::columnCount() const { return list()->sectionCount(); }

int ColumnListAccessible::rowCount() const { return list()->rowCount(); }

QString ColumnListAccessible::columnDescription(int column) const {
  return list()->header()->model()->headerData(column, Qt::Horizontal).toString();
}

// The list's own widgets (its find field) first, then the cells row by row.
int ColumnListAccessible::childCount() const {
  return QAccessibleWidget::childCount() + rowCount() * columnCount();
}

QAccessibleInterface* ColumnListAccessible::child(int index) const {
  const int widgets = QAccessibleWidget::childCount();
  if (index < widgets) return QAccessibleWidget::child(index);
  const int columns = columnCount();
  index -= widgets;
  if (columns == 0 || index >= rowCount() * columns) return nullptr;
  return cellAt(index / columns, index % columns);
}

int ColumnListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  auto* other = const_cast<QAccessibleInterface*>(child);
  const QAccessibleTableCellInterface* cell = other->tableCellInterface();
  if (cell == nullptr) return QAccessibleWidget::indexOfChild(child);
  if (child->parent() != this) return -1;
  return QAccessibleWidget::childCount() + cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* ColumnListAccessible::cellAt(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
  const int key = row * columnCount() + column;
  auto at = cells_.find(key);
  if (at == cells_.end()) {
    auto* self = const_cast<ColumnListAccessible*>(this);
    at = cells_.insert(
        key, QAccessible::registerAccessibleInterface(new ColumnListCell(self, row, column)));
  }
  return QAccessible::accessibleInterface(*at);
}

QList<int> ColumnListAccessible::selectedRows() const {
  QList<int> rows;
  for (int row = 0; row < rowCount(); ++row) {
    if (list()->isRowHighlighted(row)) rows << row;
  }
  return rows;
}

bool ColumnListAccessible::isRowSelected(int row) const { return list()->isRowHighlighted(row); }

int ColumnListAccessible::selectedCellCount() const { return selectedRowCount() * columnCount(); }

QList<QAccessibleInterface*> ColumnListAccessible::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  for (int row : selectedRows()) {
    for (int column = 0; column < columnCount(); ++column) cells << cellAt(row, column);
  }
  return cells;
}
