#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// A font dialog with an "Apply" button: scalable font families, style, sizes
// from 8 to 32 points only, strike-out, underline, colour and a sample.
// It keeps its own font between uses: it opens with the font last accepted
// or applied (at first "MS Sans Serif", 8 points, regular, window-text colour).
class FontDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kSmallestSize = 8;
  static constexpr int kLargestSize = 32;

  explicit FontDialog(QWidget* parent = nullptr);

  // The kept font and colour: what the dialog opens with next.
  QFont selectedFont() const { return kept_font_; }
  QColor selectedColor() const { return kept_color_; }
  void setSelection(const QFont& font, const QColor& color);

  // What is chosen in the dialog right now (while it is open, before OK).
  QFont currentFont() const;
  QColor currentColor() const;

  // Runs the dialog modally. True when the user pressed OK; after Cancel the
  // dialog keeps the font it opened with (or the one last applied).
  bool execute();

  // The point sizes the size list offers.
  static QList<int> OfferedSizes();

 signals:
  // "Apply" was pressed: currentFont() and selectedFont() are the new font.
  void applied();

 private:
  void BuildLayout();
  void ShowSelection();
  void UpdateSample();
  void Apply();

  QComboBox* family_ = nullptr;
  QComboBox* style_ = nullptr;
  QComboBox* size_ = nullptr;
  QCheckBox* strike_out_ = nullptr;
  QCheckBox* underline_ = nullptr;
  QComboBox* color_ = nullptr;
  QLabel* sample_ = nullptr;
  QPushButton* ok_ = nullptr;

  QFont kept_font_;
  QColor kept_color_;
};
