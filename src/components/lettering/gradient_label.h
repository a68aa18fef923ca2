#pragma once

#include <QColor>
#include <QWidget>

// A panel filled with a vertical gradient of a fixed number of colour bands,
// with a word-wrapped caption centred on it in raised, shadowed lettering.
class GradientLabel : public QWidget {
  Q_OBJECT

 public:
  GradientLabel(const QString& text, QColor top, QColor bottom, int steps,
                QWidget* parent = nullptr);

  QString text() const { return text_; }
  // The colour of band `index` (0 at the top).
  QColor bandColor(int index) const;
  int steps() const { return steps_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QColor top_;
  QColor bottom_;
  int steps_;
};
