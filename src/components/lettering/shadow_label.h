#pragma once

#include <QWidget>

// A caption in raised, shadowed lettering (title labels of the windows).
class ShadowLabel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit ShadowLabel(const QString& text, QWidget* parent = nullptr);

  QString text() const { return text_; }
  void setText(const QString& text);
  // Qt::AlignHCenter | Qt::AlignVCenter by default.
  void setAlignment(Qt::Alignment alignment);
  Qt::Alignment alignment() const { return alignment_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  Qt::Alignment alignment_ = Qt::AlignCenter;
};
