#include "dialogs/error_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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
    seen->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, examine);
  ShowErrorBox(QStringLiteral("File access denied."));
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(modality, Qt::ApplicationModal);
}

}  // namespace
