#include "about/about_layout.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace {

AboutSettings LayoutSettings() {
  AboutSettings settings;
  settings.caption = QStringLiteral("About");
  settings.program_name = QStringLiteral("Orvo Lo File Data Editor");
  settings.version_text = QStringLiteral("Version: 2  Build:1");
  settings.description = QStringLiteral("A fine little tool.");
  settings.credits = QStringLiteral("Thanks.");
  return settings;
}

const AboutSystemTexts kLayoutSystem{QStringLiteral("Available Memory:\rPlatform, CPU:"),
                               QStringLiteral("2 KB\r1x Intel Pentium or compatible")};

TEST(AboutLayoutTest, EntriesStackWithTheirGapsFromTheTopMinimum) {
  const AboutFonts fonts = AboutFonts::fromSettings(LayoutSettings());
  const int line = QFontMetrics(fonts.dialog).height();
  const int bold_line = QFontMetrics(fonts.bold).height();
  ASSERT_EQ(line, 13);  // the 11-pixel dialog font's line on the desktop it was drawn for
  const AboutLayout layout = ComputeAboutLayout(LayoutSettings(), kLayoutSystem, fonts);

  EXPECT_EQ(layout.picture, QRect(15, 7, 105, 105));
  EXPECT_EQ(layout.name.topLeft(), QPoint(128, 24));
  EXPECT_EQ(layout.name.width(), 300);  // 128 to 6 short of the 434-pixel client
  EXPECT_EQ(layout.version, QRect(128, 112, 300, bold_line));  // pushed down to the picture
  EXPECT_EQ(layout.description, QRect(128, 112 + bold_line + 4, 300, line));
  EXPECT_EQ(layout.credits, QRect(128, layout.description.bottom() + 1 + 24, 300, line));
  EXPECT_EQ(layout.separator, QRect(128, layout.credits.bottom() + 1 + 13, 300, 2));
  const int system_top = layout.separator.bottom() + 1 + 9;
  EXPECT_EQ(layout.captions.topLeft(), QPoint(128, system_top));
  EXPECT_EQ(layout.captions.height(), 2 * line);
  EXPECT_EQ(layout.values.top(), system_top);
  EXPECT_EQ(layout.values.left(), layout.captions.right() + 1 + 8);
  EXPECT_EQ(layout.values.right(), 427);
  EXPECT_EQ(layout.values.height(), 2 * line);
  EXPECT_EQ(layout.ok_button, QRect(353, system_top + 2 * line + 24, 75, 25));
  EXPECT_EQ(layout.client, QSize(434, layout.ok_button.bottom() + 1 + 6));
  EXPECT_EQ(layout.client.height(), 284);  // with the 13-pixel line
}

TEST(AboutLayoutTest, TallEntriesPushEverythingBelowThemDown) {
  AboutSettings settings = LayoutSettings();
  settings.program_name = QStringLiteral("A Very Long Program Name That Wraps Over Several Lines");
  settings.description = QString(QStringLiteral("word ")).repeated(80);
  const AboutFonts fonts = AboutFonts::fromSettings(settings);
  const AboutLayout plain = ComputeAboutLayout(LayoutSettings(), kLayoutSystem, fonts);
  const AboutLayout tall = ComputeAboutLayout(settings, kLayoutSystem, fonts);

  const int name_line = QFontMetrics(fonts.name).height();
  ASSERT_GE(tall.name.height(), 3 * name_line);
  EXPECT_EQ(tall.version.top(), tall.name.bottom() + 1 + 10);  // past 112 now
  EXPECT_GT(tall.description.height(), plain.description.height());
  const int growth =
      tall.version.top() - 112 + tall.description.height() - plain.description.height();
  EXPECT_EQ(tall.credits.top(), plain.credits.top() + growth);
  EXPECT_EQ(tall.ok_button.top(), plain.ok_button.top() + growth);
  EXPECT_EQ(tall.client.height(), plain.client.height() + growth);
  EXPECT_EQ(tall.client.width(), 434);
}

}  // namespace
