#include "fields/column_list_box.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>

#include "fields/row_text.h"

namespace {

// The classic dialog font; the system substitutes its nearest sans face.
QFont ListFont() {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

}  // namespace

ColumnListBox::ColumnListBox(QWidget* parent)
    : QAbstractScrollArea(parent),
      header_(new QHeaderView(Qt::Horizontal, this)),
      headerModel_(new QStandardItemModel(this)) {
  setFont(ListFont());
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);

  header_->setModel(headerModel_);
  header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  header_->setSectionsClickable(false);
  header_->setSectionsMovable(false);
  header_->setHighlightSections(false);
  header_->setSortIndicatorShown(false);
  header_->setStretchLastSection(false);
  header_->setCascadingSectionResizes(false);
  header_->setDefaultAlignment(Qt::AlignCenter);
  header_->setSectionResizeMode(QHeaderView::Interactive);
  header_->setMinimumSectionSize(0);
  header_->setFocusPolicy(Qt::NoFocus);
  connect(header_, &QHeaderView::sectionResized, this, &ColumnListBox::onSectionResized);

  setHeaderHeight(kDefaultHeaderHeight);
}

void ColumnListBox::setSections(const QList<ColumnSection>& sections) {
  maximumWidths_.clear();
  headerModel_->clear();
  headerModel_->setColumnCount(static_cast<int>(sections.size()));
  QStringList captions;
  int widest = 0;
  for (const ColumnSection& section : sections) {
    captions << section.caption;
    maximumWidths_ << std::max(0, section.width);
    widest = std::max(widest, section.width);
  }
  headerModel_->setHorizontalHeaderLabels(captions);
  header_->setMaximumSectionSize(std::max(widest, 1));
  header_->setSectionResizeMode(QHeaderView::Interactive);
  for (int i = 0; i < maximumWidths_.size(); ++i) header_->resizeSection(i, maximumWidths_[i]);
  viewport()->update();
}

int ColumnListBox::sectionCount() const { return header_->count(); }

int ColumnListBox::sectionWidth(int section) const { return header_->sectionSize(section); }

int ColumnListBox::sectionMaximumWidth(int section) const {
  return section >= 0 && section < maximumWidths_.size() ? maximumWidths_[section] : 0;
}

void ColumnListBox::setSectionWidth(int section, int width) {
  if (section < 0 || section >= maximumWidths_.size()) return;
  header_->resizeSection(section, std::clamp(width, 0, maximumWidths_[section]));
}

void ColumnListBox::onSectionResized(int section, int /*oldSize*/, int newSize) {
  // The header knows only one maximum for all sections; each of ours has its own.
  if (section < maximumWidths_.size() && newSize > maximumWidths_[section]) {
    header_->resizeSection(section, maximumWidths_[section]);
    return;
  }
  viewport()->update();
}

void ColumnListBox::setHeaderHeight(int height) {
  headerHeight_ = std::max(0, height);
  header_->setFixedHeight(headerHeight_);
  setViewportMargins(0, headerHeight_, 0, 0);
  layoutHeader();
}

int ColumnListBox::headerHeight() const { return headerHeight_; }

void ColumnListBox::setRows(const QStringList& rows) {
  rows_ = rows;
  selected_ = -1;
  highlighted_.clear();
  verticalScrollBar()->setValue(0);
  updateScrollRange();
  viewport()->update();
  emit rowsReplaced();
}

void ColumnListBox::clearRows() { setRows({}); }

void ColumnListBox::addRow(const QString& row) {
  rows_ << row;
  updateScrollRange();
  viewport()->update();
}

void ColumnListBox::setSelectedRow(int row) {
  selected_ = row >= 0 && row < rowCount() ? row : -1;
  // A hidden list has no final size yet: bring the row into view once shown.
  scrollPending_ = !viewport()->isVisible();
  if (!scrollPending_) scrollToRow(selected_);
  viewport()->update();
}

void ColumnListBox::setHighlightedRows(const QList<int>& rows) {
  if (rows == highlighted_) return;
  highlighted_ = rows;
  viewport()->update();
}

bool ColumnListBox::isRowHighlighted(int row) const {
  return highlighted_.isEmpty() ? row == selected_ && row >= 0 : highlighted_.contains(row);
}

int ColumnListBox::firstVisibleRow() const { return verticalScrollBar()->value(); }

int ColumnListBox::fullyVisibleRows() const {
  return std::max(1, viewport()->height() / kRowHeight);
}

int ColumnListBox::rowAt(QPoint viewportPos) const {
  if (viewportPos.y() < 0) return -1;
  const int row = firstVisibleRow() + viewportPos.y() / kRowHeight;
  return row < rowCount() ? row : -1;
}

QRect ColumnListBox::rowRect(int row) const {
  return QRect(0, (row - firstVisibleRow()) * kRowHeight, viewport()->width(), kRowHeight);
}

QSize ColumnListBox::sizeHint() const {
  int width = 0;
  for (int maximum : maximumWidths_) width += maximum;
  const int frame = 2 * frameWidth();
  return QSize(width + frame, headerHeight_ + 8 * kRowHeight + frame);
}

void ColumnListBox::updateScrollRange() {
  const int visible = fullyVisibleRows();
  verticalScrollBar()->setPageStep(visible);
  verticalScrollBar()->setRange(0, std::max(0, rowCount() - visible));
}

void ColumnListBox::scrollToRow(int row) {
  if (row < 0) return;
  const int first = firstVisibleRow();
  const int visible = fullyVisibleRows();
  if (row < first) {
    verticalScrollBar()->setValue(row);
  } else if (row >= first + visible) {
    verticalScrollBar()->setValue(row - visible + 1);
  }
}

void ColumnListBox::layoutHeader() {
  const QRect area = viewport()->geometry();
  header_->setGeometry(area.left(), area.top() - headerHeight_, area.width(), headerHeight_);
}

bool ColumnListBox::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) {
    layoutHeader();
    updateScrollRange();
  }
  if (event->type() == QEvent::Show && scrollPending_) {
    scrollPending_ = false;
    scrollToRow(selected_);
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void ColumnListBox::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

void ColumnListBox::chooseRow(int row) {
  setSelectedRow(row);
  emit rowChosen(row);
}

void ColumnListBox::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::RightButton && rightClickChooses_) {
    const int row = rowAt(event->position().toPoint());
    if (row >= 0) chooseRow(row);
  }
  if (event->button() != Qt::LeftButton) return;
  const int row = rowAt(event->position().toPoint());
  if (row >= 0 && (event->modifiers() & Qt::ShiftModifier)) {
    emit rowExtended(row);
  } else if (row >= 0 && (event->modifiers() & Qt::ControlModifier)) {
    emit rowToggled(row);
  } else if (row >= 0) {
    chooseRow(row);
  }
  dragRow_ = rowDragEnabled_ ? row : -1;
  pressPos_ = event->position().toPoint();
  dragging_ = false;
}

void ColumnListBox::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (dragRow_ < 0 || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint at = event->position().toPoint();
  if (!dragging_ && (at - pressPos_).manhattanLength() < QApplication::startDragDistance()) return;
  if (!dragging_) viewport()->setCursor(Qt::DragCopyCursor);
  dragging_ = true;
  emit rowDragMoved(dragRow_, viewport()->mapToGlobal(at));
}

void ColumnListBox::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const int row = dragRow_;
  const bool dropped = dragging_;
  endRowDrag();
  if (dropped) emit rowDropped(row, viewport()->mapToGlobal(event->position().toPoint()));
}

void ColumnListBox::endRowDrag() {
  if (dragging_) viewport()->unsetCursor();
  dragRow_ = -1;
  dragging_ = false;
}

// The second click of a double click is a click of its own, then an activation.
void ColumnListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  const int row = rowAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && row >= 0) emit rowActivated(row);
}

void ColumnListBox::keyPressEvent(QKeyEvent* event) {
  const int last = rowCount() - 1;
  const int current = selected_;
  const int page = std::max(1, fullyVisibleRows() - 1);
  int target = 0;
  switch (event->key()) {
    case Qt::Key_Escape:
      if (!dragging_) return QAbstractScrollArea::keyPressEvent(event);
      endRowDrag();
      emit rowDragCancelled();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (current < 0) return QAbstractScrollArea::keyPressEvent(event);
      event->accept();
      emit rowActivated(current);
      return;
    case Qt::Key_Up:
    case Qt::Key_Left:
      target = current < 0 ? 0 : current - 1;
      break;
    case Qt::Key_Down:
    case Qt::Key_Right:
      target = current < 0 ? 0 : current + 1;
      break;
    case Qt::Key_PageUp:
      target = std::max(current, 0) - page;
      break;
    case Qt::Key_PageDown:
      target = std::max(current, 0) + page;
      break;
    case Qt::Key_Home:
      target = 0;
      break;
    case Qt::Key_End:
      target = last;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
  if (last < 0) return;
  target = std::clamp(target, 0, last);
  if (event->modifiers() & Qt::ShiftModifier) {
    scrollToRow(target);
    emit rowExtended(target);
  } else {
    chooseRow(target);
  }
}

void ColumnListBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const int listHeight = viewport()->height();
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Window));
  painter.setFont(font());
  // Rows are drawn top to bottom; each one paints over what earlier rows drew.
  for (int row = firstVisibleRow(); row < rowCount(); ++row) {
    if (rowRect(row).top() >= listHeight) break;
    paintRow(painter, row, listHeight);
  }
}

void ColumnListBox::paintRow(QPainter& painter, int row, int listHeight) {
  const QRect area = rowRect(row);
  const bool selected = isRowHighlighted(row);
  painter.fillRect(area, palette().color(selected ? QPalette::Highlight : QPalette::Window));
  const QString& text = rows_[row];
  if (IsBlankRowText(text)) return;

  const QStringList parts = SplitRowText(text);
  const int sections = sectionCount();
  painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::WindowText));
  int cellLeft = area.left();
  for (int i = 0; i < parts.size() && i < sections; ++i) {
    const int width = sectionWidth(i);
    if (width > 0) {
      const QRect cell(cellLeft, area.top(), width, kRowHeight);
      painter.setClipRect(cell);
      painter.drawText(QRect(cellLeft + 2, area.top() + 1, width + kRowHeight, kRowHeight - 1),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, parts[i]);
      painter.setClipping(false);
    }
    cellLeft += width;
  }

  painter.setPen(palette().color(QPalette::WindowText));
  int right = area.left();
  for (int i = 0; i < sections; ++i) {
    right += sectionWidth(i);
    painter.drawLine(right - 1, 0, right - 1, listHeight - 1);
  }
  painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
}
