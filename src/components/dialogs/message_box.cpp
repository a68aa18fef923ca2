#include "dialogs/message_box.h"

#include <QApplication>
#include <QFontMetrics>

#include "placement/fixed_frame.h"
#include "placement/outer_frame.h"

namespace {

// Title bars show the window icon, minimise, maximise and close buttons
// beside the caption, each about as wide as the title bar is high, and pad
// the caption on both sides.
constexpr int kTitleBarButtons = 4;
constexpr int kCaptionPadding = 16;
constexpr int kUsualTitleHeight = 24;  // before any window has been framed

}  // namespace

MessageBox::MessageBox(Icon icon, const QString& caption, const QString& text, QWidget* owner)
    : QMessageBox(icon, caption, text, QMessageBox::Ok, owner) {
  // The program's other windows take no input while the box is up.
  setWindowModality(Qt::ApplicationModal);
  KeepFromMinimising(*this);
}

int MessageBox::widthForCaption(const QString& caption) {
  // Window managers draw captions in a bold face; Qt's idea of the title
  // font is the nearest thing to theirs it can tell.
  QFont title = QApplication::font("QMdiSubWindowTitleBar");
  title.setBold(true);
  const int caption_width = QFontMetrics(title).horizontalAdvance(caption);
  int title_height = LearnedDecoration(/*fixed_size=*/true).top();
  if (title_height <= 0) title_height = kUsualTitleHeight;
  return caption_width + kCaptionPadding + kTitleBarButtons * title_height;
}

// QMessageBox gives itself a fixed size for its text whenever it is shown,
// restyled or laid out again; the box then widens to its caption, and a box
// on screen whose size changed is centred again.
bool MessageBox::event(QEvent* event) {
  const bool handled = QMessageBox::event(event);
  if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize) {
    widenForCaption();
    if (event->type() == QEvent::Resize && IsFramed(*this)) CentreOnScreen(*this);
  }
  return handled;
}

void MessageBox::showEvent(QShowEvent* event) {
  QMessageBox::showEvent(event);
  widenForCaption();
  CentreOnScreen(*this);
}

void MessageBox::widenForCaption() {
  const int needed = widthForCaption(windowTitle());
  if (width() < needed) setFixedSize(needed, height());
}
