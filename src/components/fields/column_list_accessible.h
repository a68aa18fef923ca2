#pragma once

#include <QAccessibleWidget>
#include <QHash>

class ColumnListBox;

// A ColumnListBox as screen readers walk it: a table whose cells are the
// parts of each row under the header's captions; the highlighted rows'
// cells are selected.
class ColumnListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit ColumnListAccessible(ColumnListBox* list);
  ~ColumnListAccessible() override;

  void* interface_cast(QAccessible::InterfaceType type) override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int columnCount() const override;
  int rowCount() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int) const override { return {}; }
  int selectedCellCount() const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  QList<QAccessibleInterface*> selectedCells() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override;
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override;
  // The choice is the user's, by click or key.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  ColumnListBox* list() const;

 private:
  // Cells are made once per place and read the list when asked.
  mutable QHash<int, QAccessible::Id> cells_;
};
