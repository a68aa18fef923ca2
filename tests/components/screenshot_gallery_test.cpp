// Saves pictures of the components for the README. Runs only when
// LO_SCREENSHOT_DIR names a folder, on a real display (not offscreen):
//   LO_SCREENSHOT_DIR=docs QT_QPA_PLATFORM=xcb DISPLAY=:14 widget_tests --gtest_filter='Gallery*'
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "components/column_list_box.h"
#include "components/error_box.h"
#include "components/outline_effect.h"
#include "components/two_choice_group.h"

namespace {

QFont PixelFont(const QString& family, int pixels) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  return font;
}

QPixmap GrabScreen(const QRect& area) {
  return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                      area.height());
}

void Settle() {
  for (int i = 0; i < 10; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(30);
  }
}

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = qEnvironmentVariable("LO_SCREENSHOT_DIR");
    if (folder_.isEmpty() || !OutlineEffect::IsAvailable()) {
      GTEST_SKIP() << "set LO_SCREENSHOT_DIR and run on a display";
    }
    QDir().mkpath(folder_);
  }
  QString PathOf(const QString& name) const { return QDir(folder_).filePath(name); }

  QString folder_;
};

TEST_F(Gallery, ListsAndChoices) {
  QWidget window;
  window.setWindowTitle(QStringLiteral("Components"));
  window.setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
  window.resize(560, 230);
  window.move(40, 40);

  auto* records = new ColumnListBox(&window);
  records->setSections({{QStringLiteral("Rec#"), 40},
                        {QStringLiteral("Class"), 40},
                        {QStringLiteral("Type"), 40},
                        {QStringLiteral("Object Name"), 140}});
  records->setGeometry(8, 24, 265, 169);
  QStringList rows;
  rows << QStringLiteral("0;12;3;Tree") << QStringLiteral("1;1;;x")
       << QStringLiteral("2;4;1;Requires Object Data File") << QStringLiteral("3;7;2;Big;Rock")
       << QStringLiteral("4;2");
  for (int i = 5; i < 14; ++i) rows << QStringLiteral("%1;0;0;Requires Object Data File").arg(i);
  records->setRows(rows);
  records->setSelectedRow(2);

  auto* catalogue = new ColumnListBox(&window);
  catalogue->setSections({{QStringLiteral("#"), 40},
                          {QStringLiteral("Class"), 40},
                          {QStringLiteral("Type"), 40},
                          {QStringLiteral("Object Name"), 150}});
  catalogue->setGeometry(288, 24, 265, 100);
  catalogue->setRows({QStringLiteral("0;12;3;Tree"), QStringLiteral("1;4294967295;1;Long name")});
  catalogue->setSectionWidth(3, 50);

  auto* blank = new ColumnListBox(&window);
  blank->setSections({{QStringLiteral("Rec#"), 40}, {QStringLiteral("Object Name"), 140}});
  blank->setGeometry(288, 130, 180, 60);
  blank->setRows({QString()});

  const QFont caption = PixelFont(QStringLiteral("Arial"), 11);
  for (int i = 0; i < 2; ++i) {
    auto* state = new TwoChoiceGroup(QStringLiteral("State-???"), QStringLiteral("State 0"),
                                     QStringLiteral("State 1"), &window);
    state->setCaptionFont(caption);
    state->setChoiceFont(window.font());
    state->setGeometry(8 + 150 * i, 196, 137, 29);
    state->setChosen(i);
    if (i == 1) state->setChoiceTextColor(QColor(255, 0, 0));
  }

  window.show();
  Settle();
  const QRect frame = window.frameGeometry();
  ASSERT_TRUE(GrabScreen(frame).save(PathOf(QStringLiteral("components-lists-and-choices.png"))));

  // The opening effect half way through: twenty of forty outlines on screen.
  const QRect target(300, 320, 400, 260);
  const QList<QRect> outlines = OpeningEffectOutlines(QPoint(60, 60), target);
  OutlineEffect overlay(QGuiApplication::primaryScreen()->virtualGeometry());
  overlay.setVisibleOutlines(outlines.first(20));
  overlay.show();
  Settle();
  ASSERT_TRUE(GrabScreen(QRect(0, 0, 720, 600))
                  .save(PathOf(QStringLiteral("component-outline-effect.png"))));
  overlay.hide();

  // The whole effect runs and leaves nothing on screen.
  OutlineEffect::Play(outlines);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(top->isVisible() && qobject_cast<OutlineEffect*>(top) != nullptr);
  }
}

TEST_F(Gallery, ErrorBox) {
  bool saved = false;
  std::function<void()> shoot = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      QTimer::singleShot(50, shoot);
      return;
    }
    Settle();
    saved =
        GrabScreen(box->frameGeometry()).save(PathOf(QStringLiteral("component-error-box.png")));
    box->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, shoot);
  ShowErrorBox(QStringLiteral("'12a' is not a valid integer value"));
  EXPECT_TRUE(saved);
}

}  // namespace
