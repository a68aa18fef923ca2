#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QString>
#include <QStringList>

class QHeaderView;
class QStandardItemModel;

// One header section: its caption and its width, which is also the widest the
// user may drag it.
struct ColumnSection {
  QString caption;
  int width = 0;
};

// A list of rows under a header of fixed captions. Each row is one string
// whose ";"-separated parts are shown under the header sections, on a grid.
// At most one row is selected. The user chooses a row by clicking it or by a
// selection key; that raises rowChosen. For a selection of several, which
// the owner keeps and shows with setHighlightedRows, Ctrl+click raises
// rowToggled (one row in or out) and Shift+click or Shift with a selection
// key raises rowExtended (a range up to that row) instead; the list's own
// selection then waits for the owner. Changes made from code raise nothing.
// A double click on a row, or Enter on the selected one, raises rowActivated.
// With row dragging on, pressing a row and moving the pointer away drags the
// row out of the list: rowDragMoved follows the pointer, the release raises
// rowDropped, Esc raises rowDragCancelled (positions are global).
//
// Colours: rows are filled with the menu colour (QPalette::Window) and drawn
// in the window-text colour; the selected row uses Highlight and
// HighlightedText; grid lines use the menu-text colour (QPalette::WindowText).
class ColumnListBox : public QAbstractScrollArea {
  Q_OBJECT
  // No notify signal: rowChosen reports the user's choices only.
  Q_PROPERTY(int selectedRow READ selectedRow WRITE setSelectedRow)
  Q_PROPERTY(QStringList rows READ rows WRITE setRows)

 public:
  static constexpr int kRowHeight = 16;
  static constexpr int kDefaultHeaderHeight = 17;

  explicit ColumnListBox(QWidget* parent = nullptr);

  void setSections(const QList<ColumnSection>& sections);
  int sectionCount() const;
  int sectionWidth(int section) const;
  int sectionMaximumWidth(int section) const;
  // Clamped to 0 ... the section's maximum width.
  void setSectionWidth(int section, int width);

  void setHeaderHeight(int height);
  int headerHeight() const;
  QHeaderView* header() const { return header_; }

  // Replacing or clearing the rows removes the selection; adding keeps it.
  void setRows(const QStringList& rows);
  void clearRows();
  void addRow(const QString& row);
  const QStringList& rows() const { return rows_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }

  // -1, or a position that has no row, selects nothing. Raises nothing.
  void setSelectedRow(int row);
  int selectedRow() const { return selected_; }
  // The rows drawn highlighted: these, or the selected row when none are given.
  void setHighlightedRows(const QList<int>& rows);
  bool isRowHighlighted(int row) const;

  // The row under a point of the viewport, or -1 below the last row.
  int rowAt(QPoint viewportPos) const;
  // The row's rectangle in viewport coordinates (it may lie outside).
  QRect rowRect(int row) const;

  QSize sizeHint() const override;

  void setRowDragEnabled(bool enabled) { rowDragEnabled_ = enabled; }
  // A right click on a row chooses it first (for a context menu that acts on it).
  void setRightClickChoosesRow(bool enabled) { rightClickChooses_ = enabled; }
  bool isDraggingRow() const { return dragRow_ >= 0 && dragging_; }

 signals:
  void rowChosen(int row);
  void rowToggled(int row);
  void rowExtended(int row);
  void rowActivated(int row);
  void rowDragMoved(int row, QPoint globalPos);
  void rowDropped(int row, QPoint globalPos);
  void rowDragCancelled();
  // The rows were replaced or cleared (from code).
  void rowsReplaced();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void onSectionResized(int section, int oldSize, int newSize);
  void layoutHeader();
  void updateScrollRange();
  void scrollToRow(int row);
  int firstVisibleRow() const;
  int fullyVisibleRows() const;
  void chooseRow(int row);
  void paintRow(QPainter& painter, int row, int listHeight);
  void endRowDrag();

  QHeaderView* header_;
  QStandardItemModel* headerModel_;
  QList<int> maximumWidths_;
  int headerHeight_ = kDefaultHeaderHeight;
  QStringList rows_;
  int selected_ = -1;
  QList<int> highlighted_;
  bool scrollPending_ = false;
  bool rowDragEnabled_ = false;
  bool rightClickChooses_ = false;
  int dragRow_ = -1;  // the row pressed, while the button is down
  QPoint pressPos_;
  bool dragging_ = false;
};
