#include "dialogs/error_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <stdexcept>

#include "dialogs/guarded.h"
#include "placement/outer_frame.h"

namespace {

struct Shown {
  QString caption;
  QString text;
};

// Captures what the box would show instead of opening it.
class CapturedBoxes {
 public:
  CapturedBoxes() {
    previous_ = SetErrorBoxPresenter([this](const QString& caption, const QString& text) {
      shown.push_back({caption, text});
    });
  }
  ~CapturedBoxes() { SetErrorBoxPresenter(previous_); }

  std::vector<Shown> shown;

 private:
  ErrorBoxPresenter previous_;
};

TEST(ErrorBox, AddsAPeriodOnlyAfterCharactersThatSortAfterIt) {
  // Letters, digits and "/" sort after "."; "." itself, "!", "'" and blanks do not.
  for (const char* text : {"File not found", "I/O error 32", "path a/", "Gr\xc3\xbc\xc3\x9f"}) {
    EXPECT_EQ(ErrorBoxText(QString::fromUtf8(text)), QString::fromUtf8(text) + u'.') << text;
  }
  for (const char* text : {"Done.", "Stop!", "value '-'", "trailing ", ""}) {
    EXPECT_EQ(ErrorBoxText(QString::fromUtf8(text)), QString::fromUtf8(text)) << text;
  }
}

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
  ShowErrorBox(QStringLiteral("File access denied"));
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(modality, Qt::ApplicationModal);
}

// Stands for the program's own error type: a runtime_error with a UTF-8 message.
class SomeAppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

TEST(Guarded, ShowsTheFailureAndEndsTheAction) {
  CapturedBoxes boxes;
  bool after = false;
  guarded([&] {
    throw SomeAppError("'\xc3\xa4' is not a valid integer value");
    after = true;
  });
  guarded([] { throw std::out_of_range("Read beyond end of file"); });
  guarded([] { throw 42; });
  bool ran = false;
  guarded([&] { ran = true; });

  EXPECT_FALSE(after);
  EXPECT_TRUE(ran);
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[0].text, QStringLiteral("'\u00e4' is not a valid integer value."));
  EXPECT_EQ(boxes.shown[1].text, QStringLiteral("Read beyond end of file."));
  EXPECT_EQ(boxes.shown[2].text, QStringLiteral("Unknown error."));
}

}  // namespace
