#pragma once

#include <QWidget>

// Text drawn sunken into the surface: a light copy one pixel down and right,
// the text itself in the shadow colour over it. Wraps at the widget's width.
class EngravedLabel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit EngravedLabel(QWidget* parent = nullptr);

  QString text() const { return text_; }
  void setText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};
