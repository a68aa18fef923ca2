// Frames and decorations as a real window manager gives them. These tests
// need an X display with a window manager (scripts/test runs them under Xvfb
// and openbox); anywhere else they are skipped.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "about/about_dialog.h"
#include "dialogs/message_box.h"
#include "lettering/shadow_button.h"
#include "placement/outer_frame.h"
#include "window_fixture.h"
#include "windows/about_box.h"
#include "x11_probe.h"

namespace {

// How far the frame's centre lies from the screen's, on each axis.
QPoint OffCentre(const QRect& frame) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  // Doubled, so that odd sizes compare exactly: 1 means half a pixel.
  return (frame.topLeft() * 2 + QPoint(frame.width(), frame.height())) -
         (area.topLeft() * 2 + QPoint(area.width(), area.height()));
}

void ExpectCentred(const QWidget& window, const char* what) {
  const QRect frame = MeasuredFrame(window);
  const QPoint off = OffCentre(frame);
  // Within one pixel: an odd leftover cannot be split evenly.
  EXPECT_LE(std::abs(off.x()), 2) << what << " frame " << frame.x() << "," << frame.y();
  EXPECT_LE(std::abs(off.y()), 2) << what << " frame " << frame.x() << "," << frame.y();
}

// The box may be moved, closed or kept on screen, but not minimised or maximised.
void ExpectOnlyCloseAndMove(const QWidget& window, const char* what) {
  const QStringList actions = PropertyValues(window, "_NET_WM_ALLOWED_ACTIONS");
  EXPECT_TRUE(actions.contains(QStringLiteral("_NET_WM_ACTION_CLOSE"))) << what;
  EXPECT_FALSE(actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ"))) << what;
  EXPECT_FALSE(actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_VERT"))) << what;
  EXPECT_FALSE(actions.contains(QStringLiteral("_NET_WM_ACTION_RESIZE"))) << what;
  // Motif hints: flags, functions (1 all, 8 minimise, 16 maximise), decorations.
  const QStringList motif = PropertyValues(window, "_MOTIF_WM_HINTS");
  ASSERT_GE(motif.size(), 2) << what;
  const int functions = motif[1].toInt(nullptr, 16);
  EXPECT_EQ(functions & (1 | 8 | 16), 0) << what << " offers " << motif[1].toStdString();
  if (actions.contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE"))) {
    // Openbox offers minimising to dialogs and normal windows whatever the
    // hints say; the window then comes back by itself.
    window.windowHandle()->setWindowStates(Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isMinimized(); }, 2000)) << what;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized() && window.isVisible(); }, 3000))
        << what << " stayed minimised";
    EXPECT_TRUE(WaitUntilFramed(window)) << what;
  }
}

class WindowManagerTest : public EditorWindowTest {
 protected:
  void SetUp() override {
    if (!UnderWindowManager()) GTEST_SKIP() << "needs an X display with a window manager";
    EditorWindowTest::SetUp();
  }
};

TEST_F(WindowManagerTest, TheStartUpWindowsFrameIsCentredAndItCannotBeMaximised) {
  StartRun();
  form1_->show();
  ASSERT_TRUE(WaitUntilFramed(*form1_));
  ExpectCentred(*form1_, "start-up window");
  ExpectOnlyCloseAndMove(*form1_, "start-up window");
}

TEST_F(WindowManagerTest, TheAboutBoxIsACentredDialogOfItsOwnerAndTheEffectEndsOnItsFrame) {
  StartRun();
  OpenEditor();  // the start-up window first, as in every run
  ASSERT_TRUE(WaitUntilFramed(*form6_));
  bool checked = false;
  modals_.Then([&](QWidget* modal) {
    auto* about = qobject_cast<AboutDialog*>(modal);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(WaitUntilFramed(*about));
    ExpectCentred(*about, "about box");
    EXPECT_EQ(PropertyValues(*about, "_NET_WM_WINDOW_TYPE").value(0),
              QStringLiteral("_NET_WM_WINDOW_TYPE_DIALOG"));
    EXPECT_EQ(PropertyValues(*about, "WM_TRANSIENT_FOR").value(0).toULongLong(nullptr, 16),
              form6_->winId());
    ExpectOnlyCloseAndMove(*about, "about box");
    EXPECT_FALSE(form6_->isMinimized());
    checked = true;
    about->okButton()->click();
  });
  form6_->Action(TCommand::About)->trigger();
  EXPECT_TRUE(checked);

  // The frame the opening effect ends on is the one the box then gets.
  AboutDialog dialog(LoAboutSettings(), {QStringLiteral("a\nb"), QStringLiteral("c\nd")},
                     form6_.get());
  const QRect promised = dialog.placeOnScreen();
  dialog.show();
  ASSERT_TRUE(WaitUntilFramed(dialog));
  EXPECT_EQ(MeasuredFrame(dialog), promised);
}

TEST_F(WindowManagerTest, MessageBoxesAreCentredAndAsWideAsTheirCaption) {
  StartRun();
  OpenEditor();
  ASSERT_TRUE(WaitUntilFramed(*form6_));
  OpenFile(files_.lo_file);
  ClickRow(2);
  bool checked = false;
  modals_.Then([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(WaitUntilFramed(*box));
    ExpectCentred(*box, "information box");
    EXPECT_GE(box->width(), MessageBox::widthForCaption(box->windowTitle()));
    EXPECT_EQ(PropertyValues(*box, "WM_TRANSIENT_FOR").value(0).toULongLong(nullptr, 16),
              form6_->winId());
    ExpectOnlyCloseAndMove(*box, "information box");
    checked = true;
    box->button(QMessageBox::Ok)->click();
  });
  QTest::mouseClick(form6_->Button(TCommand::RemoveObject), Qt::LeftButton);
  EXPECT_TRUE(checked);
}

// The stored normal rectangle stays put, however often a maximised editor is
// opened and closed, and whoever maximised it.
TEST_F(WindowManagerTest, AMaximisedEditorStoresItsNormalRectangleUnchanged) {
  const auto stored = [this] {
    return ruriVizid(SettingsFile()).ReadSetting("Common", "Form6", "");
  };
  const std::string maximised = "200,0,3,10,20,830,620";
  for (int run = 0; run < 10; ++run) {
    StartRun(false);
    if (run == 0) settings_->WriteSetting("Common", "Form6", maximised);
    OpenEditor();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form6_->isMaximized(); }, 3000));
    ASSERT_TRUE(WaitUntilFramed(*form6_));
    EndRun();
    ASSERT_EQ(stored(), maximised) << "after run " << run + 1;
  }

  // Back to normal through the window manager: the stored rectangle, exactly.
  StartRun(false);
  OpenEditor();
  ASSERT_TRUE(WaitUntilFramed(*form6_));
  form6_->windowHandle()->setWindowStates(Qt::WindowNoState);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !form6_->isMaximized(); }, 3000));
  ASSERT_TRUE(WaitUntilFramed(*form6_));
  EXPECT_EQ(MeasuredFrame(*form6_), QRect(10, 20, 820, 600));

  // Maximised by the user (the window manager first resizes, then says so).
  form6_->windowHandle()->setWindowStates(Qt::WindowMaximized);
  ASSERT_TRUE(QTest::qWaitFor([this] { return form6_->isMaximized(); }, 3000));
  ASSERT_TRUE(WaitUntilFramed(*form6_));
  EndRun();
  EXPECT_EQ(stored(), maximised);
}

}  // namespace
