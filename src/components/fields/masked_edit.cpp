#include "fields/masked_edit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <memory>

namespace {

// The menu's captions are the system's own texts.
const QString kUndoCaption = QStringLiteral("&Undo");
const QString kCutCaption = QStringLiteral("&Cut");
const QString kCopyCaption = QStringLiteral("&Copy");
const QString kInsertCaption = QStringLiteral("&Insert");
const QString kDeleteCaption = QStringLiteral("&Delete");
const QString kSelectAllCaption = QStringLiteral("Select all");

// Modifiers that make a key a command instead of a typed character.
constexpr Qt::KeyboardModifiers kCommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

Qt::KeyboardModifiers PlainModifiers(const QKeyEvent* event) {
  return event->modifiers() & ~Qt::KeypadModifier;
}

bool IsKey(const QKeyEvent* event, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  return event->key() == key && PlainModifiers(event) == modifiers;
}

bool HasPrintableText(const QKeyEvent* event) {
  for (QChar ch : event->text()) {
    if (ch.unicode() >= 32 && ch.unicode() != 127) return true;
  }
  return false;
}

}  // namespace

MaskedEdit::MaskedEdit(FieldKind kind, int maxLength, QWidget* parent)
    : QLineEdit(parent), kind_(kind) {
  setMaxLength(maxLength);
  // Drops would insert text past the typing rules.
  setAcceptDrops(false);
}

void MaskedEdit::setText(const QString& text) {
  const QString cut = text.left(maxLength());
  if (cut == QLineEdit::text()) return;
  undo_.clear();
  QLineEdit::setText(cut);
  setCursorPosition(0);
  deselect();
  emit textReplaced(cut);
}

void MaskedEdit::setModifiedFlag(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit modifiedChanged(modified);
}

QColor MaskedEdit::backgroundColor() const { return palette().color(QPalette::Base); }

void MaskedEdit::setBackgroundColor(const QColor& color) {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, color);
  setPalette(colours);
}

EditSpot MaskedEdit::currentSpot() const {
  EditSpot spot;
  spot.caret = cursorPosition();
  if (hasSelectedText()) {
    spot.start = selectionStart();
    spot.end = selectionEnd();
  } else {
    spot.start = spot.end = spot.caret;
  }
  return spot;
}

bool MaskedEdit::fits(int start, int end, const QString& insert) const {
  return text().size() - (end - start) + insert.size() <= maxLength();
}

void MaskedEdit::applyUserEdit(int start, int end, const QString& insert) {
  const QString before = text();
  undo_.push_back({before, cursorPosition()});
  QString after = before;
  after.replace(start, end - start, insert);
  QLineEdit::setText(after);
  setCursorPosition(start + static_cast<int>(insert.size()));
  emit textEdited(after);
  setModifiedFlag(true);
}

void MaskedEdit::typeCharacter(QChar ch) {
  if (isReadOnly()) return;
  EditSpot spot = currentSpot();
  // Overwriting replaces the character after the caret; the caret itself
  // stays where it is for the rules.
  if (overwrite_ && !spot.replaces() && spot.caret < text().size()) {
    spot.start = spot.caret;
    spot.end = spot.caret + 1;
  }
  if (!TypedCharAccepted(kind_, text(), spot, ch, separator_)) return;
  if (!fits(spot.start, spot.end, QString(ch))) return;
  applyUserEdit(spot.start, spot.end, QString(ch));
}

void MaskedEdit::backspace() {
  if (hasSelectedText()) {
    applyUserEdit(selectionStart(), selectionEnd(), QString());
  } else if (cursorPosition() > 0) {
    applyUserEdit(cursorPosition() - 1, cursorPosition(), QString());
  }
}

void MaskedEdit::deleteForward() {
  if (hasSelectedText()) {
    applyUserEdit(selectionStart(), selectionEnd(), QString());
  } else if (cursorPosition() < text().size()) {
    applyUserEdit(cursorPosition(), cursorPosition() + 1, QString());
  }
}

void MaskedEdit::undoEdit() {
  if (isReadOnly() || undo_.empty()) return;
  const Snapshot previous = undo_.back();
  undo_.pop_back();
  QLineEdit::setText(previous.text);
  setCursorPosition(previous.cursor);
  emit textEdited(previous.text);
  setModifiedFlag(true);
}

void MaskedEdit::copySelection() const {
  if (hasSelectedText()) QGuiApplication::clipboard()->setText(selectedText());
}

void MaskedEdit::cutSelection() {
  if (isReadOnly() || !hasSelectedText()) return;
  copySelection();
  applyUserEdit(selectionStart(), selectionEnd(), QString());
}

void MaskedEdit::deleteSelection() {
  if (isReadOnly() || !hasSelectedText()) return;
  applyUserEdit(selectionStart(), selectionEnd(), QString());
}

void MaskedEdit::pasteClipboard(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  QString pasted = QGuiApplication::clipboard()->text(mode);
  if (kind_ == FieldKind::Text) pasted = SingleLineText(pasted);
  if (pasted.isEmpty()) return;
  const EditSpot spot = currentSpot();
  if (!PasteAccepted(kind_, text(), spot, pasted, separator_)) return;
  if (!fits(spot.start, spot.end, pasted)) return;
  applyUserEdit(spot.start, spot.end, pasted);
}

QMenu* MaskedEdit::createFieldMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  const bool selected = hasSelectedText();
  const bool editable = !isReadOnly();
  const bool clipboardText = !QGuiApplication::clipboard()->text().isEmpty();

  menu->addAction(kUndoCaption, this, &MaskedEdit::undoEdit)->setEnabled(editable && canUndoEdit());
  menu->addSeparator();
  menu->addAction(kCutCaption, this, &MaskedEdit::cutSelection)->setEnabled(selected && editable);
  menu->addAction(kCopyCaption, this, [this] { copySelection(); })->setEnabled(selected);
  menu->addAction(kInsertCaption, this, [this] { pasteClipboard(); })
      ->setEnabled(clipboardText && editable);
  // A read-only field offers Delete for a selection too; it changes nothing.
  menu->addAction(kDeleteCaption, this, &MaskedEdit::deleteSelection)->setEnabled(selected);
  menu->addSeparator();
  menu->addAction(kSelectAllCaption, this, &MaskedEdit::selectAll)->setEnabled(!text().isEmpty());
  return menu;
}

bool MaskedEdit::handleClipboardKey(const QKeyEvent* event) {
  const bool copy = event->matches(QKeySequence::Copy) ||
                    IsKey(event, Qt::Key_C, Qt::ControlModifier) ||
                    IsKey(event, Qt::Key_Insert, Qt::ControlModifier);
  const bool paste = event->matches(QKeySequence::Paste) ||
                     IsKey(event, Qt::Key_V, Qt::ControlModifier) ||
                     IsKey(event, Qt::Key_Insert, Qt::ShiftModifier);
  const bool cut = event->matches(QKeySequence::Cut) ||
                   IsKey(event, Qt::Key_X, Qt::ControlModifier) ||
                   IsKey(event, Qt::Key_Delete, Qt::ShiftModifier);
  if (copy) copySelection();
  if (paste) pasteClipboard();
  if (cut) cutSelection();
  return copy || paste || cut;
}

bool MaskedEdit::isNavigationKey(const QKeyEvent* event) const {
  if (event->matches(QKeySequence::SelectAll)) return true;
  const Qt::KeyboardModifiers extra =
      PlainModifiers(event) & ~(Qt::ShiftModifier | Qt::ControlModifier);
  if (extra != Qt::NoModifier) return false;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = PlainModifiers(event);
  const int key = event->key();

  if (IsKey(event, Qt::Key_Insert, Qt::NoModifier)) {
    overwrite_ = !overwrite_;
  } else if (handleClipboardKey(event)) {
    // done
  } else if (event->matches(QKeySequence::Undo)) {
    undoEdit();
  } else if (isNavigationKey(event)) {
    QLineEdit::keyPressEvent(event);
    return;
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    QLineEdit::keyPressEvent(event);  // returnPressed; the dialog sees the key
    return;
  } else if (key == Qt::Key_Backspace && (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier) {
    if (!isReadOnly()) backspace();
  } else if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
    if (!isReadOnly()) deleteForward();
  } else if (!(modifiers & kCommandModifiers) && HasPrintableText(event)) {
    for (QChar ch : event->text()) typeCharacter(ch);
  } else {
    // Everything else (Escape, function keys, other shortcuts) belongs to
    // the window; QLineEdit's own editing shortcuts stay closed.
    event->ignore();
    return;
  }
  event->accept();
}

void MaskedEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Composed characters count as typed ones; no pre-edit text is shown.
  for (QChar ch : event->commitString()) typeCharacter(ch);
  event->accept();
}

void MaskedEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  const Qt::FocusReason reason = event->reason();
  // Coming back from a popup or another window keeps the selection as it was.
  if (isReadOnly() || reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
    return;
  }
  selectAll();
  // The click that gave the focus must not move the caret away again.
  keepSelectionOnPress_ = reason == Qt::MouseFocusReason;
}

void MaskedEdit::mousePressEvent(QMouseEvent* event) {
  const bool keep = keepSelectionOnPress_ && event->button() == Qt::LeftButton;
  keepSelectionOnPress_ = false;
  if (keep) {
    event->accept();
    return;
  }
  QLineEdit::mousePressEvent(event);
}

void MaskedEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The X11 selection paste goes through the same rules as any paste.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    pasteClipboard(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void MaskedEdit::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(createFieldMenu(this));
  menu->exec(event->globalPos());
}
