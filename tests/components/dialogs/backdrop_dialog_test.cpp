#include "dialogs/backdrop_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cmath>

#include "support/temp_dir.h"

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

struct DialogFixture {
  BackdropDialog dialog;
  explicit DialogFixture(BackdropPlace start, bool removable = false, QChar separator = u'.')
      : dialog(start, removable, separator) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
  }
  QWidget* Focus() const { return QApplication::focusWidget(); }
};

TEST(BackdropDialog, TheKeyboardFillsItFileFirstThenTheEdgesAndEnterIsOk) {
  TempDir dir;
  const auto file = dir / "level.png";
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(Path(file)));
  // The first time the edges are the markers' extent.
  DialogFixture f({{}, -12.5, -3, 40, 7.25, 60}, false, u',');
  EXPECT_EQ(f.dialog.edgeField(0)->text(), QStringLiteral("-12,5"));
  EXPECT_EQ(f.dialog.edgeField(3)->text(), QStringLiteral("7,25"));
  EXPECT_EQ(f.dialog.opacityField()->value(), 60);
  EXPECT_FALSE(f.dialog.removeButton()->isEnabled()) << "nothing to remove yet";
  ASSERT_EQ(f.Focus(), f.dialog.fileField());

  const QWidget* order[] = {f.dialog.edgeField(0),   f.dialog.edgeField(1),   f.dialog.edgeField(2),
                            f.dialog.edgeField(3),   f.dialog.browseButton(), f.dialog.okButton(),
                            f.dialog.cancelButton(), f.dialog.opacityField()};
  for (const QWidget* next : order) {
    QTest::keyClick(f.Focus(), Qt::Key_Tab);
    EXPECT_EQ(f.Focus(), next) << (f.Focus() ? f.Focus()->objectName().toStdString() : "none");
  }

  // Type everything, then Enter in the last edge field.
  f.dialog.fileField()->setFocus();
  QTest::keyClicks(f.Focus(), Path(file));
  const char* edges[] = {"-100", "-50,5", "100", "50"};
  for (const char* edge : edges) {
    QTest::keyClick(f.Focus(), Qt::Key_Tab);
    QTest::keyClick(f.Focus(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(f.Focus(), QString::fromLatin1(edge));
  }
  f.dialog.opacityField()->setValue(35);
  QTest::keyClick(f.Focus(), Qt::Key_Return);
  EXPECT_FALSE(f.dialog.isVisible());
  const BackdropDialogResult& result = f.dialog.result();
  ASSERT_EQ(result.action, BackdropDialogResult::Action::Apply);
  EXPECT_EQ(result.place.file, Path(file));
  EXPECT_EQ(result.place.left, -100);
  EXPECT_EQ(result.place.bottom, -50.5);
  EXPECT_EQ(result.place.right, 100);
  EXPECT_EQ(result.place.top, 50);
  EXPECT_EQ(result.place.opacity, 35);
}

TEST(BackdropDialog, OkRefusesWhatCannotPlaceAPictureAndRemoveSaysSo) {
  DialogFixture f({QStringLiteral("/p/x.png"), 0, 0, 10, 10, 60}, true);
  struct Case {
    int field;
    const char* text;
    int focused;
  } cases[] = {{0, "abc", 0}, {2, "-5", 0}, {3, "", 3}, {1, "20", 1}};
  for (const Case& c : cases) {
    f.dialog.edgeField(c.field)->setText(QString::fromLatin1(c.text));
    QTest::keyClick(f.dialog.fileField(), Qt::Key_Return);
    EXPECT_TRUE(f.dialog.isVisible()) << c.text;
    EXPECT_FALSE(f.dialog.messageLabel()->text().isEmpty());
    EXPECT_EQ(f.Focus(), f.dialog.edgeField(c.focused)) << c.text;
    const char* restore[] = {"0", "0", "10", "10"};
    f.dialog.edgeField(c.field)->setText(QString::fromLatin1(restore[c.field]));
  }
  f.dialog.fileField()->clear();
  QTest::keyClick(f.dialog.fileField(), Qt::Key_Return);
  EXPECT_TRUE(f.dialog.isVisible()) << "no file";

  f.dialog.removeButton()->click();
  EXPECT_FALSE(f.dialog.isVisible());
  EXPECT_EQ(f.dialog.result().action, BackdropDialogResult::Action::Remove);
}

TEST(BackdropDialog, TwoSpotsClickedAndTypedPlaceThePicture) {
  TempDir dir;
  const auto file = dir / "level.png";
  QImage picture(200, 100, QImage::Format_RGB32);
  picture.fill(Qt::darkBlue);
  ASSERT_TRUE(picture.save(Path(file)));
  DialogFixture f({{}, 0, 0, 1, 1, 60});
  f.dialog.setBrowser([&](QWidget*, const QString&) { return Path(file); });
  f.dialog.browseButton()->click();
  EXPECT_EQ(f.dialog.fileField()->text(), Path(file));
  EXPECT_EQ(f.dialog.preview()->fullSize(), QSize(200, 100));
  EXPECT_FALSE(f.dialog.placeBySpotsButton()->isEnabled());

  // Pixel (50, 25) is game (0, 100); pixel (150, 75) is game (20, 90):
  // 0.2 units a pixel across, 0.2 down.
  const struct {
    QPointF pixel;
    const char* x;
    const char* y;
  } spots[] = {{{50, 25}, "0", "100"}, {{150, 75}, "20", "90"}};
  for (const auto& spot : spots) {
    QTest::mouseClick(f.dialog.preview(), Qt::LeftButton, {},
                      f.dialog.preview()->widgetPosition(spot.pixel).toPoint());
    QTest::keyClicks(f.Focus(), QString::fromLatin1(spot.x));
    QTest::keyClick(f.Focus(), Qt::Key_Tab);
    QTest::keyClicks(f.Focus(), QString::fromLatin1(spot.y));
  }
  ASSERT_TRUE(f.dialog.placeBySpotsButton()->isEnabled());
  f.dialog.placeBySpotsButton()->click();
  // Clicks land on whole widget pixels: within a pixel of the picture's scale.
  const double expected[] = {-10, 85, 30, 105};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(f.dialog.edgeField(i)->text().toDouble(), expected[i], 0.6) << i;
  }
}

TEST(BackdropSpots, EdgesFollowFromTwoSpotsUnlessTheyCannotPlaceIt) {
  const QSize size(200, 100);
  const auto place = BackdropEdgesFromSpots(size, {{50, 25}, 0, 100}, {{150, 75}, 20, 90});
  ASSERT_TRUE(place);
  EXPECT_DOUBLE_EQ(place->left, -10);
  EXPECT_DOUBLE_EQ(place->right, 30);
  EXPECT_DOUBLE_EQ(place->top, 105);
  EXPECT_DOUBLE_EQ(place->bottom, 85);
  const std::pair<BackdropSpot, BackdropSpot> refused[] = {
      {{{50, 25}, 0, 100}, {{50, 75}, 20, 90}},    // one pixel column
      {{{50, 25}, 0, 100}, {{150, 25}, 20, 90}},   // one pixel row
      {{{50, 25}, 0, 100}, {{150, 75}, 0, 90}},    // equal X
      {{{50, 25}, 0, 100}, {{150, 75}, -20, 90}},  // mirrored left to right
      {{{50, 25}, 0, 100}, {{150, 75}, 20, 110}},  // mirrored top to bottom
  };
  for (const auto& [first, second] : refused) {
    EXPECT_FALSE(BackdropEdgesFromSpots(size, first, second));
  }
  EXPECT_FALSE(BackdropEdgesFromSpots({}, {{50, 25}, 0, 100}, {{150, 75}, 20, 90}));
}

}  // namespace
