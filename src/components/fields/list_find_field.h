#pragma once

#include <QLineEdit>

class ColumnListBox;

// A small find field at a column list's lower edge. Hidden at first; typing
// a character into the focused list, or Ctrl+F there, opens it (with that
// character) and focuses it. Esc, or emptying it, closes it and gives the
// focus back to the list. findTextChanged reports every change of the text
// by the user, the empty text when it closes.
class ListFindField : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr int kHeight = 20;

  explicit ListFindField(ColumnListBox* list);

  // Opens the field with `text` (the caret at its end) and focuses it.
  void open(const QString& text);
  // Empties and hides the field; the list gets the focus.
  void close();

 signals:
  void findTextChanged(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Place();
  void TextEdited(const QString& text);

  ColumnListBox* list_;
};
