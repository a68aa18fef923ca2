#include "dialogs/error_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QTimer>

#include "placement/outer_frame.h"

namespace {

TEST(ErrorBox, RealBoxIsAModalStopBoxWithOneOkButton) {
  QMessageBox* seen = nullptr;
  Qt::WindowModality modality = Qt::NonModal;
  // Runs inside the box's own event loop: look at it, then press OK.
  std::function<void()> examine = [&] {
    seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (seen == nullptr) {
      QTimer::singleShot(10, examine);
      return;
    }
    EXPECT_EQ(seen->windowTitle(), QStringLiteral("Orvo Ri Dizo Rirori"));
    EXPECT_EQ(seen->text(), QStringLiteral("File access denied."));
    EXPECT_EQ(seen->icon(), QMessageBox::Critical);
    EXPECT_EQ(seen->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    modality = seen->windowModality();
    // Wide enough for its caption in a title bar, whose bold caption alone
    // is wider than the box Qt would make for this short text.
    QFont title = QApplication::font("QMdiSubWindowTitleBar");
    title.setBold(true);
    EXPECT_GT(seen->width(), QFontMetrics(title).horizontalAdvance(seen->windowTitle()) + 64);
    const QRect frame = seen->frameGeometry();
    EXPECT_EQ(frame.topLeft(), CentredInside(frame.size(), seen->screen()->availableGeometry()));
    seen->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, examine);
  ShowErrorBox(QStringLiteral("File access denied."));
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(modality, Qt::ApplicationModal);
}

TEST(ErrorBox, ABoxTheProgramsEndClosedIsShownOnceTheEventLoopIsOver) {
  // The program is asked to end, then an error comes up: its box cannot stay.
  QTimer::singleShot(0, [] {
    QCoreApplication::exit(0);
    ShowErrorBox(QStringLiteral("Unable to write to /x/zodaZa.INI."));
  });
  QApplication::exec();

  QStringList seen;
  std::function<void()> answer = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      QTimer::singleShot(10, answer);
      return;
    }
    seen << box->text();
    box->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, answer);
  ShowPendingErrorBoxes();
  EXPECT_EQ(seen, QStringList{QStringLiteral("Unable to write to /x/zodaZa.INI.")});
  ShowPendingErrorBoxes();  // each kept box is shown once
  EXPECT_EQ(seen.size(), 1);
}

}  // namespace
