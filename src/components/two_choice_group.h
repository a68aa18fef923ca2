#pragma once

#include <QColor>
#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

// A captioned group of two choices side by side. The user choosing the choice
// that is not chosen raises choiceChanged once; setting it from code raises
// nothing. The caption keeps its own font and colour when the choices' text
// colour changes.
class TwoChoiceGroup : public QGroupBox {
  Q_OBJECT

 public:
  TwoChoiceGroup(const QString& caption, const QString& first, const QString& second,
                 QWidget* parent = nullptr);

  // 0 or 1, or -1 when neither is chosen.
  int chosen() const;
  // 0 and 1 choose; above 1 chooses the second; below 0 chooses neither.
  void setChosen(int index);

  void setCaptionFont(const QFont& font);
  void setChoiceFont(const QFont& font);

  // An invalid colour means the window-text colour.
  void setChoiceTextColor(const QColor& color);
  QColor choiceTextColor() const;

  QRadioButton* choiceButton(int index) const;

 signals:
  void choiceChanged(int index);

 private:
  void onToggled(int index, bool checked);

  QButtonGroup* group_;
  QRadioButton* choices_[2];
  bool settingFromCode_ = false;
};
