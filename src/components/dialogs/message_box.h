#pragma once

#include <QMessageBox>

// A modal box with an icon, a text and one OK button, as the desktop's own
// message boxes are: application-modal, at least as wide as its caption needs
// in the window manager's title bar, its outer frame centred on the screen,
// and never left minimised.
class MessageBox : public QMessageBox {
  Q_OBJECT

 public:
  MessageBox(Icon icon, const QString& caption, const QString& text, QWidget* owner = nullptr);

  // The narrowest box whose title bar shows `caption` whole: the caption in a
  // bold title font, and room for the icon and the buttons beside it.
  static int widthForCaption(const QString& caption);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void widenForCaption();
};
