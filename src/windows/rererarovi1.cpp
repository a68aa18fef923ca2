#include "windows/rererarovi1.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPlainTextEdit>
#include <QPushButton>

#include "placement/fixed_frame.h"
#include "placement/outer_frame.h"
#include "windows/editor_accessibility.h"
#include "windows/program_icon.h"
#include "windows/window_fonts.h"

namespace {

// Lines 2, 4 and 6 end with one space: the text was laid out for this box.
const char* const kWarningLines[] = {
    "Use this editor at your own risk.",
    "Make a backup of all of your LoXXXXXX.dat files before ",
    "using this tool.",
    "Enter data carefully, there is limited range checking ",
    "and bad data can cause the programs to crash.",
    "Remember to SAVE when you are done with all of your ",
    "changes to the file.",
    "Good luck!",
};

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Orvo Ri Dizo Rirori V2.1"));
  // Single fixed border: close box and system menu, no minimise or maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(314, 192);
  KeepFromMinimising(*this);
  setWindowIcon(ProgramIcon());
  setFont(SansSerifFont(11));  // the dialog font the warning was laid out for
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);
  CreateWidgets();
  NameForScreenReaders(*Memo1);
}

void TForm1::CreateWidgets() {
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(8, 0, 297, 153);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setTabChangesFocus(true);
  QStringList lines;
  for (const char* line : kWarningLines) lines << QString::fromLatin1(line);
  Memo1->setPlainText(lines.join(QLatin1Char('\n')));

  Button5 = new QPushButton(QStringLiteral("Click to Open File Editor"), this);
  Button5->setObjectName(QStringLiteral("Button5"));
  Button5->setGeometry(56, 160, 201, 25);
  // Enter presses the focused button, as Space does.
  Button5->setAutoDefault(true);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);

  // The button comes first in the tab order and holds the focus.
  setTabOrder(Button5, Memo1);
  Button5->setFocus();
}

void TForm1::Button5Click() {
  hide();
  if (ShowEditor) ShowEditor();
}

void TForm1::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    CentreOnScreen(*this);
    Button5->setFocus();
  }
  QWidget::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  event->accept();
  if (OnClosed) OnClosed();
}
