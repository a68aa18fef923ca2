#pragma once

#include <QWidget>

// A separator: an etched line (dark, then light) along one side of its area.
class EtchedEdge : public QWidget {
  Q_OBJECT

 public:
  enum class Side { Left, Top };
  EtchedEdge(Side side, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Side side_;
};
