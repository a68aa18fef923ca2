#include "fields/list_find_field.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QToolButton>

#include "fields/column_list_box.h"

ListFindField::ListFindField(ColumnListBox* list) : QLineEdit(list), list_(list) {
  setPlaceholderText(QStringLiteral("Find: name, class or type"));
  setClearButtonEnabled(true);
  // Qt leaves the clear button nameless; a screen reader says "button".
  for (QToolButton* button : findChildren<QToolButton*>()) {
    button->setAccessibleName(QStringLiteral("Clear"));
  }
  hide();
  list->installEventFilter(this);
  connect(this, &QLineEdit::textEdited, this, &ListFindField::TextEdited);
  // The clear button changes the text without textEdited.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text.isEmpty() && isVisible()) TextEdited(text);
  });
}

void ListFindField::open(const QString& text) {
  Place();
  show();
  raise();
  setFocus(Qt::ShortcutFocusReason);
  if (text != this->text()) {
    setText(text);
    emit findTextChanged(text);
  }
  end(false);
}

// Reports the empty text even when the text is gone already (cleared).
void ListFindField::close() {
  const bool was_open = isVisible() || !text().isEmpty();
  const bool had_focus = hasFocus();
  hide();
  clear();
  if (was_open) emit findTextChanged(QString());
  if (had_focus) list_->setFocus(Qt::OtherFocusReason);
}

// Over the list's last rows, inside its frame.
void ListFindField::Place() {
  const int frame = list_->frameWidth();
  setGeometry(frame, list_->height() - frame - kHeight, list_->width() - 2 * frame, kHeight);
}

void ListFindField::TextEdited(const QString& text) {
  if (text.isEmpty()) {
    close();
    return;
  }
  emit findTextChanged(text);
}

void ListFindField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    event->accept();
    return;
  }
  // Up and down go on choosing rows in the list while the field keeps the text.
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    QKeyEvent copy(event->type(), event->key(), event->modifiers());
    QCoreApplication::sendEvent(list_, &copy);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

bool ListFindField::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::Resize && isVisible()) Place();
  if (watched != list_ || event->type() != QEvent::KeyPress || list_->isDraggingRow()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->matches(QKeySequence::Find)) {
    open(text());
    return true;
  }
  const QString typed = key->text();
  const bool plain =
      !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (plain && typed.size() == 1 && typed.at(0).isPrint() && !typed.at(0).isSpace()) {
    open(text() + typed);
    return true;
  }
  if (key->key() == Qt::Key_Escape && isVisible()) {
    close();
    return true;
  }
  return false;
}
