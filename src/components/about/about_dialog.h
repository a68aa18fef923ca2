#pragma once

#include <QDialog>
#include <QRect>

#include "about/about_layout.h"
#include "about/about_settings.h"

class QPushButton;

// A modal box naming a program: picture, name, version, description,
// credits, two lines of system information and one "OK" button. Built from
// its settings alone; every way of closing it (OK, Enter, Esc, the close box)
// ends it the same way, accepted.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(const AboutSettings& settings, const AboutSystemTexts& system,
              QWidget* parent = nullptr);

  const AboutLayout& layout() const { return layout_; }
  QPushButton* okButton() const { return okButton_; }

  // Moves the window's outer frame where its settings say and returns that
  // frame, decoration included (estimated until the window manager has framed
  // the window, as it has not been shown yet).
  QRect placeOnScreen();

 public slots:
  // The one button is the cancel button too: Esc and the close box are "OK".
  void reject() override;

 private:
  void buildWidgets(const AboutSettings& settings, const AboutSystemTexts& system,
                    const AboutFonts& fonts);

  AboutLayout layout_;
  AboutPosition position_;
  QPushButton* okButton_ = nullptr;
};
