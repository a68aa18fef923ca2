#pragma once

#include <QPushButton>

// A push button whose caption is drawn in raised, shadowed lettering.
class ShadowButton : public QPushButton {
  Q_OBJECT

 public:
  explicit ShadowButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
