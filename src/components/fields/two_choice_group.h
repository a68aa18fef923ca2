#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

class QButtonGroup;
class QRadioButton;

// A framed group with a caption in its top edge and two choices side by side
// in two columns. The user choosing the choice that is not chosen raises
// choiceChanged once; setting it from code raises nothing. The caption keeps
// its own font and colour (the group's window-text colour) when the choices'
// font or text colour changes.
class TwoChoiceGroup : public QWidget {
  Q_OBJECT
  // No notify signal: choiceChanged reports the user's choices only.
  Q_PROPERTY(int chosen READ chosen WRITE setChosen)
  Q_PROPERTY(QColor choiceTextColor READ choiceTextColor WRITE setChoiceTextColor)

 public:
  TwoChoiceGroup(const QString& caption, const QString& first, const QString& second,
                 QWidget* parent = nullptr);

  // 0 or 1, or -1 when neither is chosen.
  int chosen() const;
  // 0 and 1 choose; above 1 chooses the second; below 0 chooses neither.
  void setChosen(int index);

  QString caption() const { return caption_; }
  void setCaptionFont(const QFont& font);
  QFont captionFont() const { return captionFont_; }
  // The choices use the group's own font.
  void setChoiceFont(const QFont& font) { setFont(font); }

  // An invalid colour means the window-text colour.
  void setChoiceTextColor(const QColor& color);
  QColor choiceTextColor() const;

  QRadioButton* choiceButton(int index) const;

  QSize sizeHint() const override;

 signals:
  void choiceChanged(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void onToggled(int index, bool checked);
  void layoutChoices();
  int captionHeight() const;

  QString caption_;
  QFont captionFont_;
  QButtonGroup* group_;
  QRadioButton* choices_[2];
  bool settingFromCode_ = false;
};
