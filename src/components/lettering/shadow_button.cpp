#include "lettering/shadow_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "lettering/shadow_text.h"

ShadowButton::ShadowButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void ShadowButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  QRect area = rect();
  if (isDown()) area.translate(1, 1);
  painter.setFont(font());
  DrawShadowedText(painter, area, Qt::AlignCenter | Qt::TextShowMnemonic, caption, palette(),
                   palette().color(QPalette::ButtonText), isEnabled());
}
