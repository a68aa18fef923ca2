#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// A font dialog with an "Apply" button: scalable font families, style, any
// whole size from 8 to 32 points (chosen from the list or typed), strike-out,
// underline, colour, the scripts the face supports and a sample.
// It keeps its own font between uses: it opens with the font last accepted
// or applied (at first "MS Sans Serif", 8 points, regular, window-text colour).
class FontDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kSmallestSize = 8;
  static constexpr int kLargestSize = 32;

  explicit FontDialog(QWidget* parent = nullptr);

  // The kept font and colour: what the dialog opens with next.
  QFont selectedFont() const { return keptFont_; }
  QColor selectedColor() const { return keptColor_; }
  void setSelection(const QFont& font, const QColor& color);
  // The RTF character set (\fcharsetN) of the script the user picked, -1
  // while the user has picked none.
  int selectedCharSet() const { return keptCharSet_; }

  // What is chosen in the dialog right now (while it is open, before OK).
  QFont currentFont() const;
  QColor currentColor() const;
  int currentCharSet() const;

  // Runs the dialog modally. True when the user pressed OK; after Cancel the
  // dialog keeps the font it opened with (or the one last applied).
  bool execute();

  // The point sizes the size list offers; any whole size in the range may
  // be typed as well.
  static QList<int> offeredSizes();

  // The scripts a face supports, as RTF character sets (0 Western, 204
  // Cyrillic, 128 Japanese, ...); Western alone when the face is unknown.
  static QList<int> scriptsOf(const QString& family);
  // A script's name as the dialog shows it.
  static QString scriptName(int char_set);

 signals:
  // "Apply" was pressed: currentFont() and selectedFont() are the new font.
  void applied();

 private:
  void buildLayout();
  void showSelection();
  void updateSample();
  void updateScripts();
  void keep();
  void apply();

  QComboBox* family_ = nullptr;
  QComboBox* style_ = nullptr;
  QComboBox* size_ = nullptr;
  QCheckBox* strikeOut_ = nullptr;
  QCheckBox* underline_ = nullptr;
  QComboBox* color_ = nullptr;
  QComboBox* script_ = nullptr;
  QLabel* sample_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* apply_ = nullptr;

  QFont keptFont_;
  QColor keptColor_;
  int keptCharSet_ = -1;
  bool scriptPicked_ = false;  // the user picked a script in this run
};
