#include "components/about_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "components/about_picture.h"
#include "components/engraved_label.h"

namespace {

const QColor kFace(212, 208, 200);
const QColor kIconColour(200, 0, 0);
const QColor kGrey(128, 128, 128);

QPixmap SolidIcon() {
  QPixmap icon(32, 32);
  icon.fill(kIconColour);
  return icon;
}

TEST(AboutPictureTest, ExtendedSquareHasFrameShadowAndDoubledIcon) {
  const QImage square = ExtendedIconSquare(SolidIcon(), kFace);
  ASSERT_EQ(square.size(), QSize(72, 72));  // 2 * 32 + 8
  // The 1-pixel black frame around the 64 x 64 icon.
  for (const QPoint p :
       {QPoint(0, 0), QPoint(65, 0), QPoint(0, 65), QPoint(65, 65), QPoint(30, 0)}) {
    EXPECT_EQ(square.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
  }
  for (const QPoint p : {QPoint(1, 1), QPoint(64, 64), QPoint(33, 2)}) {
    EXPECT_EQ(square.pixelColor(p), kIconColour) << p.x() << "," << p.y();
  }
  // Shadow bands at the right and bottom, offset by 6; the corners they miss stay face.
  for (const QPoint p : {QPoint(66, 6), QPoint(71, 71), QPoint(6, 66), QPoint(40, 70)}) {
    EXPECT_EQ(square.pixelColor(p), kGrey) << p.x() << "," << p.y();
  }
  for (const QPoint p : {QPoint(66, 5), QPoint(71, 0), QPoint(5, 66), QPoint(0, 71)}) {
    EXPECT_EQ(square.pixelColor(p), kFace) << p.x() << "," << p.y();
  }
}

TEST(AboutPictureTest, TransparentIconPixelsShowTheFace) {
  QPixmap icon(32, 32);
  icon.fill(Qt::transparent);
  EXPECT_EQ(ExtendedIconSquare(icon, kFace).pixelColor(20, 20), kFace);
}

TEST(AboutPictureTest, PicturesAreStretchedToTheirBox) {
  const QImage extended = ExtendedAboutPicture(SolidIcon(), kFace).toImage();
  ASSERT_EQ(extended.size(), QSize(105, 105));
  EXPECT_EQ(extended.pixelColor(45, 45), kIconColour);
  EXPECT_EQ(extended.pixelColor(104, 104), kGrey);
  EXPECT_EQ(extended.pixelColor(104, 0), kFace);
  const QImage plain = PlainAboutPicture(SolidIcon(), kFace).toImage();
  ASSERT_EQ(plain.size(), QSize(105, 105));
  EXPECT_EQ(plain.pixelColor(52, 52), kIconColour);
  EXPECT_EQ(plain.pixelColor(5, 5), kFace);
}

AboutSettings Settings() {
  AboutSettings settings;
  settings.caption = QStringLiteral("About the test");
  settings.program_name = QStringLiteral("Test Program");
  settings.version_text = QStringLiteral("Version: 9");
  settings.description = QStringLiteral("Tests things.");
  settings.credits = QStringLiteral("By us.");
  settings.picture = QIcon(SolidIcon());
  return settings;
}

const AboutSystemTexts kSystem{QStringLiteral("Available Memory:\rPlatform, CPU:"),
                               QStringLiteral("2 KB\r1x Intel Pentium or compatible")};

template <typename T>
T* Child(const QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(QLatin1String(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

TEST(AboutDialogTest, ShowsItsSettingsWhereTheLayoutPlacesThem) {
  AboutDialog dialog(Settings(), kSystem);
  const AboutLayout& layout = dialog.layout();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About the test"));
  EXPECT_EQ(dialog.size(), layout.client);
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());  // fixed size
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);

  auto* name = Child<EngravedLabel>(dialog, "programName");
  EXPECT_EQ(name->text(), QStringLiteral("Test Program"));
  EXPECT_EQ(name->geometry(), layout.name);
  EXPECT_EQ(name->font().pixelSize(), 29);

  struct Expected {
    const char* name;
    QString text;
    QRect rect;
  };
  for (const Expected& e :
       {Expected{"version", QStringLiteral("Version: 9"), layout.version},
        Expected{"description", QStringLiteral("Tests things."), layout.description},
        Expected{"credits", QStringLiteral("By us."), layout.credits},
        Expected{"captions", QStringLiteral("Available Memory:\nPlatform, CPU:"), layout.captions},
        Expected{"values", QStringLiteral("2 KB\n1x Intel Pentium or compatible"),
                 layout.values}}) {
    auto* label = Child<QLabel>(dialog, e.name);
    EXPECT_EQ(label->text(), e.text) << e.name;
    EXPECT_EQ(label->geometry(), e.rect) << e.name;
  }
  EXPECT_TRUE(Child<QLabel>(dialog, "version")->font().bold());
  EXPECT_FALSE(Child<QLabel>(dialog, "description")->font().bold());
  EXPECT_EQ(Child<QLabel>(dialog, "description")->font().pixelSize(), 11);
  EXPECT_EQ(Child<QFrame>(dialog, "separator")->geometry(), layout.separator);
  EXPECT_EQ(Child<QLabel>(dialog, "picture")->geometry(), layout.picture);
  EXPECT_EQ(Child<QLabel>(dialog, "picture")->pixmap().size(), QSize(105, 105));

  QPushButton* ok = dialog.okButton();
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_EQ(ok->geometry(), layout.ok_button);
  EXPECT_TRUE(ok->isDefault());
}

TEST(AboutDialogTest, OkHasTheFocusWhenShown) {
  AboutDialog dialog(Settings(), kSystem);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(QApplication::focusWidget(), dialog.okButton());
}

TEST(AboutDialogTest, EscAndCloseBoxEndItLikeOk) {
  AboutDialog by_ok(Settings(), kSystem);
  by_ok.show();
  QTest::mouseClick(by_ok.okButton(), Qt::LeftButton);
  EXPECT_FALSE(by_ok.isVisible());
  EXPECT_EQ(by_ok.result(), QDialog::Accepted);

  AboutDialog by_esc(Settings(), kSystem);
  by_esc.show();
  QTest::keyClick(&by_esc, Qt::Key_Escape);
  EXPECT_FALSE(by_esc.isVisible());
  EXPECT_EQ(by_esc.result(), QDialog::Accepted);

  AboutDialog by_close(Settings(), kSystem);
  by_close.show();
  by_close.close();
  EXPECT_FALSE(by_close.isVisible());
  EXPECT_EQ(by_close.result(), QDialog::Accepted);
}

TEST(AboutDialogTest, WithoutPictureTheApplicationIconIsShown) {
  const QIcon previous = QApplication::windowIcon();
  QApplication::setWindowIcon(QIcon(SolidIcon()));
  AboutSettings settings = Settings();
  settings.picture = QIcon();
  AboutDialog dialog(settings, kSystem);
  const QImage shown = Child<QLabel>(dialog, "picture")->pixmap().toImage();
  EXPECT_EQ(shown.pixelColor(45, 45), kIconColour);
  QApplication::setWindowIcon(previous);
}

TEST(AboutDialogTest, PlacedCentredOnItsScreen) {
  AboutDialog dialog(Settings(), kSystem);
  const QRect frame = dialog.PlaceOnScreen();
  const QRect screen = dialog.screen()->geometry();
  EXPECT_EQ(frame.topLeft(), CenteredInside(frame.size(), screen));
  EXPECT_EQ(dialog.frameGeometry(), frame);
}

}  // namespace
