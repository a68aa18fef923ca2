#include "fields/two_choice_group.h"

#include <QButtonGroup>
#include <QEvent>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

namespace {

constexpr int kCaptionIndent = 8;
constexpr int kFrameCaptionPadding = 2;

}  // namespace

TwoChoiceGroup::TwoChoiceGroup(const QString& caption, const QString& first, const QString& second,
                               QWidget* parent)
    : QWidget(parent), caption_(caption), captionFont_(font()), group_(new QButtonGroup(this)) {
  const QString texts[2] = {first, second};
  for (int i = 0; i < 2; ++i) {
    choices_[i] = new QRadioButton(texts[i], this);
    group_->addButton(choices_[i], i);
    connect(choices_[i], &QRadioButton::toggled, this,
            [this, i](bool checked) { onToggled(i, checked); });
  }
  layoutChoices();
}

int TwoChoiceGroup::chosen() const { return group_->checkedId(); }

void TwoChoiceGroup::setChosen(int index) {
  const int target = index > 1 ? 1 : index;
  settingFromCode_ = true;
  if (target < 0) {
    // An exclusive group cannot be emptied directly.
    group_->setExclusive(false);
    choices_[0]->setChecked(false);
    choices_[1]->setChecked(false);
    group_->setExclusive(true);
  } else {
    choices_[target]->setChecked(true);
  }
  settingFromCode_ = false;
}

void TwoChoiceGroup::onToggled(int index, bool checked) {
  if (checked && !settingFromCode_) emit choiceChanged(index);
}

void TwoChoiceGroup::setCaptionFont(const QFont& font) {
  captionFont_ = font;
  layoutChoices();
  update();
}

void TwoChoiceGroup::setChoiceTextColor(const QColor& color) {
  for (QRadioButton* choice : choices_) {
    if (!color.isValid()) {
      choice->setPalette(QPalette());  // follow the group's colours again
      continue;
    }
    QPalette colours = choice->palette();
    colours.setColor(QPalette::WindowText, color);
    colours.setColor(QPalette::ButtonText, color);
    choice->setPalette(colours);
  }
}

QColor TwoChoiceGroup::choiceTextColor() const {
  return choices_[0]->palette().color(QPalette::WindowText);
}

QRadioButton* TwoChoiceGroup::choiceButton(int index) const {
  return index >= 0 && index < 2 ? choices_[index] : nullptr;
}

int TwoChoiceGroup::captionHeight() const { return QFontMetrics(captionFont_).height(); }

QSize TwoChoiceGroup::sizeHint() const {
  const QSize choice = choices_[0]->sizeHint().expandedTo(choices_[1]->sizeHint());
  return QSize(2 * choice.width() + 12, captionHeight() + choice.height() + 2);
}

void TwoChoiceGroup::layoutChoices() {
  // Two equal columns below the caption, inside the frame.
  const int top = captionHeight();
  const int inner = std::max(0, width() - 8);
  const int height = std::max(0, this->height() - top - 2);
  for (int i = 0; i < 2; ++i) {
    const int left = 4 + i * inner / 2;
    const int right = 4 + (i + 1) * inner / 2;
    choices_[i]->setGeometry(left, top, right - left, height);
  }
}

void TwoChoiceGroup::resizeEvent(QResizeEvent* /*event*/) { layoutChoices(); }

void TwoChoiceGroup::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) layoutChoices();
  QWidget::changeEvent(event);
}

void TwoChoiceGroup::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(captionFont_);
  // An etched frame whose top edge runs through the middle of the caption.
  const QRect frame = rect().adjusted(0, metrics.height() / 2, -1, -1);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.adjusted(1, 1, 0, 0));

  const int captionWidth = metrics.horizontalAdvance(caption_) + 2 * kFrameCaptionPadding;
  const QRect captionArea(kCaptionIndent, 0, captionWidth, metrics.height());
  painter.fillRect(captionArea, palette().color(QPalette::Window));
  painter.setFont(captionFont_);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(captionArea, Qt::AlignCenter | Qt::TextSingleLine, caption_);
}
