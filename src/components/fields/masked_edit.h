#pragma once

#include <QClipboard>
#include <QColor>
#include <QLineEdit>
#include <QString>
#include <vector>

#include "fields/masked_edit_rules.h"

class QMenu;

// A single-line field that takes only the characters its kind allows
// (integer, decimal or any text), never grows past its maximum length and
// tells the user's edits apart from texts the program sets:
// - every user edit (accepted character, Backspace, Delete, cut, paste, undo)
//   sets the modified flag; setText() never does;
// - modifiedChanged fires whenever the flag changes value, so a handler that
//   clears the flag gets called once more, nested, with false;
// - textReplaced fires when setText() puts a different text in.
// All editing goes through this class (keys, context menu, clipboard keys,
// middle-click paste); QLineEdit's own editing paths are closed.
class MaskedEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)
  Q_PROPERTY(bool modifiedFlag READ modifiedFlag WRITE setModifiedFlag NOTIFY modifiedChanged)
  Q_PROPERTY(QChar decimalSeparator READ decimalSeparator WRITE setDecimalSeparator)
  Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)

 public:
  explicit MaskedEdit(FieldKind kind, int maxLength, QWidget* parent = nullptr);

  FieldKind kind() const { return kind_; }

  // Replaces the text from the program: an equal text changes nothing; a
  // different one is cut to the maximum length, the caret goes before the
  // first character, the selection and the undo history are dropped, and the
  // modified flag stays as it is.
  void setText(const QString& text);

  bool modifiedFlag() const { return modified_; }
  void setModifiedFlag(bool modified);

  QChar decimalSeparator() const { return separator_; }
  void setDecimalSeparator(QChar separator) { separator_ = separator; }

  QColor backgroundColor() const;
  void setBackgroundColor(const QColor& color);

  // One insert/overwrite setting for every field; the Insert key toggles it.
  static bool overwriteMode() { return overwrite_; }
  static void setOverwriteMode(bool overwrite) { overwrite_ = overwrite; }

  bool canUndoEdit() const { return !undo_.empty(); }

  // The user's actions, also reachable from the context menu and keys.
  void undoEdit();
  void cutSelection();
  void copySelection() const;
  void pasteClipboard(QClipboard::Mode mode = QClipboard::Clipboard);
  void deleteSelection();

  // The context menu with its items enabled for the field's state now.
  // The caller owns the menu.
  QMenu* createFieldMenu(QWidget* parent);

 signals:
  void modifiedChanged(bool modified);
  void textReplaced(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  struct Snapshot {
    QString text;
    int cursor;
  };

  EditSpot currentSpot() const;
  bool handleClipboardKey(const QKeyEvent* event);
  bool isNavigationKey(const QKeyEvent* event) const;
  void typeCharacter(QChar ch);
  void backspace();
  void deleteForward();
  // Applies a user edit: replaces [start, end) with `insert`, keeps an undo
  // step and sets the modified flag.
  void applyUserEdit(int start, int end, const QString& insert);
  bool fits(int start, int end, const QString& insert) const;

  FieldKind kind_;
  QChar separator_ = QLatin1Char('.');
  bool modified_ = false;
  bool keepSelectionOnPress_ = false;
  std::vector<Snapshot> undo_;

  static inline bool overwrite_ = false;
};
