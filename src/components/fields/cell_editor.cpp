#include "fields/cell_editor.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "fields/column_list_box.h"

CellEditor::CellEditor(QWidget* parent) : QLineEdit(parent) {
  setObjectName(QStringLiteral("CellEditor"));
  setFrame(false);
}

CellEditor* CellEditor::edit(ColumnListBox* list, int row, int section, const QString& text,
                             int maxLength) {
  auto* editor = new CellEditor(list->viewport());
  const QRect row_rect = list->rowRect(row);
  const int left = list->header()->sectionViewportPosition(section);
  editor->setGeometry(left, row_rect.top(), list->sectionWidth(section), row_rect.height());
  editor->setMaxLength(maxLength);
  editor->setText(text);
  editor->selectAll();
  // New rows stand for other things: the edit would name the wrong one.
  connect(list, &ColumnListBox::rowsReplaced, editor, &CellEditor::finish);
  editor->show();
  editor->setFocus(Qt::OtherFocusReason);
  return editor;
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
  if (finished_) return;  // ended, waiting to be deleted
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QString typed = text();
    finish();
    emit accepted(typed);
    return;
  }
  if (event->key() == Qt::Key_Escape) return finish();
  QLineEdit::keyPressEvent(event);
}

void CellEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  finish();
}

// Hidden at once and deleted later: it may end inside its own event.
void CellEditor::finish() {
  if (finished_) return;
  finished_ = true;
  if (QWidget* list = parentWidget() ? parentWidget()->parentWidget() : nullptr) {
    if (hasFocus()) list->setFocus(Qt::OtherFocusReason);
  }
  hide();
  deleteLater();
}
