#pragma once

#include <QLineEdit>

class ColumnListBox;

// A line edit laid over one cell of a column list, for renaming in place.
// It starts with the cell's text selected; Enter raises accepted with the
// text and ends the edit, Esc or leaving it ends the edit with nothing
// raised. The list's rows changing ends it too. It deletes itself.
class CellEditor : public QLineEdit {
  Q_OBJECT

 public:
  // Opens over cell (`row`, `section`) of `list`, holding at most `maxLength` characters.
  static CellEditor* edit(ColumnListBox* list, int row, int section, const QString& text,
                          int maxLength);

 signals:
  void accepted(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  explicit CellEditor(QWidget* parent);
  void finish();
  bool finished_ = false;
};
