#pragma once

#include <QGroupBox>

// A group box with an inset frame and its caption centred at the top in
// raised, shadowed lettering. Children are placed relative to the box.
class ShadowGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit ShadowGroupBox(const QString& title, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
