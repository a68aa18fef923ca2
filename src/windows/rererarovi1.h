#pragma once

#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;

// The start-up window: a warning and the button that opens the editor window.
// It is the program's main window: closing it ends the program.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button5 = nullptr;

  // What Button5Click shows once the start-up window is hidden (the editor window).
  std::function<void()> ShowEditor;
  // Run when the user closes this window (the program is asked to end).
  std::function<void()> OnClosed;

 public slots:
  void Button5Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateWidgets();
  bool centred_ = false;
};
