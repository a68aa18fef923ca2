#include "components/two_choice_group.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace {

// A font that no longer follows its parent's.
QFont OwnFont(QFont font) {
  font.setResolveMask(QFont::AllPropertiesResolved);
  return font;
}

}  // namespace

TwoChoiceGroup::TwoChoiceGroup(const QString& caption, const QString& first, const QString& second,
                               QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 0, 2, 0);
  layout->setSpacing(4);
  const QString texts[2] = {first, second};
  for (int i = 0; i < 2; ++i) {
    choices_[i] = new QRadioButton(texts[i], this);
    choices_[i]->setFont(OwnFont(font()));
    group_->addButton(choices_[i], i);
    layout->addWidget(choices_[i], 1);
    connect(choices_[i], &QRadioButton::toggled, this,
            [this, i](bool checked) { onToggled(i, checked); });
  }
  // The caption sits in the frame's top edge; keep the choices under it.
  layout->setContentsMargins(6, fontMetrics().height() - 2, 2, 0);
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
  // The choices carry fonts of their own, so this reaches the caption only.
  setFont(font);
  layout()->setContentsMargins(6, fontMetrics().height() - 2, 2, 0);
}

void TwoChoiceGroup::setChoiceFont(const QFont& font) {
  for (QRadioButton* choice : choices_) choice->setFont(OwnFont(font));
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
