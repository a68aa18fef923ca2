#include "fields/two_choice_group.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

struct GroupFixture {
  TwoChoiceGroup group{QStringLiteral("State-???"), QStringLiteral("State 0"),
                       QStringLiteral("State 1")};

  GroupFixture() {
    group.resize(137, 29);
    group.setChosen(0);
    group.show();
  }

  QPoint CentreOf(int choice) { return group.choiceButton(choice)->rect().center(); }
  QRect AreaOf(int choice) { return group.choiceButton(choice)->geometry(); }
};

int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

TEST(TwoChoiceGroup, OnlyTheUserChoosingTheOtherChoiceRaisesAChange) {
  GroupFixture f;
  QSignalSpy changed(&f.group, &TwoChoiceGroup::choiceChanged);
  const std::pair<int, int> cases[] = {{1, 1}, {0, 0}, {5, 1}, {-1, -1}, {0, 0}, {-7, -1}};
  for (auto [given, chosen] : cases) {
    f.group.setChosen(given);
    EXPECT_EQ(f.group.chosen(), chosen) << given;
  }
  EXPECT_EQ(changed.count(), 0);

  // From neither chosen, any choice is a change; the chosen one again is none.
  QTest::mouseClick(f.group.choiceButton(0), Qt::LeftButton, {}, f.CentreOf(0));
  QTest::mouseClick(f.group.choiceButton(0), Qt::LeftButton, {}, f.CentreOf(0));
  QTest::mouseClick(f.group.choiceButton(1), Qt::LeftButton, {}, f.CentreOf(1));
  // And by keyboard.
  QApplication::setActiveWindow(&f.group);
  f.group.choiceButton(1)->setFocus();
  ASSERT_TRUE(f.group.choiceButton(1)->hasFocus());
  QTest::keyClick(f.group.choiceButton(1), Qt::Key_Space);
  QTest::keyClick(f.group.choiceButton(1), Qt::Key_Left);
  ASSERT_EQ(changed.count(), 3);
  EXPECT_EQ(changed[0][0].toInt(), 0);
  EXPECT_EQ(changed[1][0].toInt(), 1);
  EXPECT_EQ(changed[2][0].toInt(), 0);
  EXPECT_EQ(f.group.chosen(), 0);
}

TEST(TwoChoiceGroup, ChoiceColourLeavesTheCaptionAlone) {
  GroupFixture f;
  const QColor red(255, 0, 0);
  const QRect caption(0, 0, f.group.width(), f.AreaOf(0).top());
  f.group.setChoiceTextColor(red);
  QImage image = f.group.grab().toImage();
  EXPECT_GT(CountColour(image, f.AreaOf(0), red), 0);
  EXPECT_GT(CountColour(image, f.AreaOf(1), red), 0);
  EXPECT_EQ(CountColour(image, caption, red), 0);
  EXPECT_EQ(f.group.choiceTextColor(), red);

  f.group.setChoiceTextColor(QColor());
  image = f.group.grab().toImage();
  EXPECT_EQ(CountColour(image, image.rect(), red), 0);
  EXPECT_EQ(f.group.choiceTextColor(), f.group.palette().color(QPalette::WindowText));
}

TEST(TwoChoiceGroup, CaptionFontIsIndependentOfTheChoices) {
  GroupFixture f;
  QFont big = f.group.font();
  big.setPixelSize(20);
  const QFont before = f.group.choiceButton(0)->font();
  f.group.setCaptionFont(big);
  EXPECT_EQ(f.group.captionFont().pixelSize(), 20);
  EXPECT_EQ(f.group.choiceButton(0)->font(), before);

  QFont small = before;
  small.setPixelSize(9);
  f.group.setChoiceFont(small);
  EXPECT_EQ(f.group.choiceButton(1)->font().pixelSize(), 9);
  EXPECT_EQ(f.group.captionFont().pixelSize(), 20);
  // The choices move down below the taller caption.
  EXPECT_GE(f.group.choiceButton(0)->y(), QFontMetrics(big).height());
}

}  // namespace
