#include "about/about_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "about/about_picture.h"
#include "about/engraved_label.h"

namespace {

const QColor kFace(212, 208, 200);
const QColor kIconColour(200, 0, 0);
const QColor kGrey(128, 128, 128);

QPixmap SolidIcon(const QColor& colour) {
  QPixmap icon(32, 32);
  icon.fill(colour);
  return icon;
}

TEST(AboutPictureTest, ExtendedSquareHasFrameShadowAndDoubledIconStretchedTo105) {
  const QImage square = ExtendedIconSquare(SolidIcon(kIconColour), kFace);
  ASSERT_EQ(square.size(), QSize(72, 72));  // 2 * 32 + 8
  const struct {
    QPoint at;
    QColor colour;
  } expected[] = {
      // The 1-pixel black frame around the 64 x 64 icon.
      {{0, 0}, Qt::black},
      {{65, 65}, Qt::black},
      {{30, 0}, Qt::black},
      {{1, 1}, kIconColour},
      {{64, 64}, kIconColour},
      // Shadow bands at the right and bottom, offset by 6; the corners they miss stay face.
      {{66, 6}, kGrey},
      {{71, 71}, kGrey},
      {{6, 66}, kGrey},
      {{66, 5}, kFace},
      {{0, 71}, kFace},
  };
  for (const auto& [at, colour] : expected) {
    EXPECT_EQ(square.pixelColor(at), colour) << at.x() << "," << at.y();
  }
  // A transparent icon pixel shows the face.
  EXPECT_EQ(ExtendedIconSquare(SolidIcon(Qt::transparent), kFace).pixelColor(20, 20), kFace);

  const QImage picture = ExtendedAboutPicture(SolidIcon(kIconColour), kFace).toImage();
  ASSERT_EQ(picture.size(), QSize(105, 105));
  EXPECT_EQ(picture.pixelColor(45, 45), kIconColour);
  EXPECT_EQ(picture.pixelColor(104, 104), kGrey);
  EXPECT_EQ(picture.pixelColor(104, 0), kFace);
}

AboutSettings Settings() {
  AboutSettings settings;
  settings.caption = QStringLiteral("About the test");
  settings.program_name = QStringLiteral("Test Program");
  settings.version_text = QStringLiteral("Version: 9");
  settings.description = QStringLiteral("Tests things.");
  settings.credits = QStringLiteral("By us.");
  settings.picture = QIcon(SolidIcon(kIconColour));
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
  EXPECT_FALSE(dialog.windowFlags() &
               (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

  auto* name = Child<EngravedLabel>(dialog, "programName");
  EXPECT_EQ(name->text(), QStringLiteral("Test Program"));
  EXPECT_EQ(name->geometry(), layout.name);
  EXPECT_EQ(name->font().pixelSize(), 29);  // 22 points at 96 dots per inch

  const struct {
    const char* name;
    QString text;
    QRect rect;
  } labels[] = {
      {"version", QStringLiteral("Version: 9"), layout.version},
      {"description", QStringLiteral("Tests things."), layout.description},
      {"credits", QStringLiteral("By us."), layout.credits},
      {"captions", QStringLiteral("Available Memory:\nPlatform, CPU:"), layout.captions},
      {"values", QStringLiteral("2 KB\n1x Intel Pentium or compatible"), layout.values},
  };
  for (const auto& [label_name, text, rect] : labels) {
    auto* label = Child<QLabel>(dialog, label_name);
    EXPECT_EQ(label->text(), text) << label_name;
    EXPECT_EQ(label->geometry(), rect) << label_name;
  }
  EXPECT_TRUE(Child<QLabel>(dialog, "version")->font().bold());
  EXPECT_FALSE(Child<QLabel>(dialog, "description")->font().bold());
  EXPECT_EQ(Child<QFrame>(dialog, "separator")->geometry(), layout.separator);
  EXPECT_EQ(Child<QLabel>(dialog, "picture")->geometry(), layout.picture);
  EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));
  EXPECT_EQ(dialog.okButton()->geometry(), layout.ok_button);
  EXPECT_TRUE(dialog.okButton()->isDefault());
}

TEST(AboutDialogTest, WithoutPictureTheApplicationIconIsShown) {
  const QIcon previous = QApplication::windowIcon();
  QApplication::setWindowIcon(QIcon(SolidIcon(kIconColour)));
  AboutSettings settings = Settings();
  settings.picture = QIcon();
  AboutDialog dialog(settings, kSystem);
  const QImage shown = Child<QLabel>(dialog, "picture")->pixmap().toImage();
  EXPECT_EQ(shown.pixelColor(45, 45), kIconColour);
  QApplication::setWindowIcon(previous);
}

}  // namespace
