#include "about/about_layout.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

constexpr int kUnbounded = 100000;

// The size `text` takes in `font` when wrapped at `width` (or unwrapped).
QSize TextSize(const QFont& font, const QString& text, int width, bool wrap) {
  const int flags = Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0);
  return QFontMetrics(font).boundingRect(QRect(0, 0, width, kUnbounded), flags, text).size();
}

// Next entry of the column: as wide as the column, as tall as its text.
QRect Entry(int top, int column_width, const QFont& font, const QString& text) {
  return QRect(kAboutTextLeft, top, column_width,
               TextSize(font, text, column_width, true).height());
}

int Below(const QRect& rect, int gap) { return rect.y() + rect.height() + gap; }

}  // namespace

AboutFonts AboutFonts::fromSettings(const AboutSettings& settings) {
  AboutFonts fonts;
  fonts.dialog = QFont(QStringLiteral("MS Sans Serif"));
  fonts.dialog.setPixelSize(11);  // 8 points at 96 dots per inch
  fonts.bold = fonts.dialog;
  fonts.bold.setBold(true);
  fonts.name = QFont(QStringLiteral("Arial"));
  // Points to pixels at 96 dots per inch, rounded like the desktop does.
  fonts.name.setPixelSize((settings.name_size_points * 96 + 36) / 72);
  fonts.name.setBold(true);
  return fonts;
}

AboutLayout ComputeAboutLayout(const AboutSettings& settings, const AboutSystemTexts& system,
                               const AboutFonts& fonts) {
  const int column_width = kAboutClientWidth - kAboutRightMargin - kAboutTextLeft;
  AboutLayout layout;
  layout.picture = kAboutPictureRect;

  layout.name = Entry(kAboutNameTop, column_width, fonts.name, settings.program_name);
  const int version_top = std::max(Below(layout.name, 10), kAboutTextTopMin);
  layout.version = Entry(version_top, column_width, fonts.bold, settings.version_text);
  layout.description =
      Entry(Below(layout.version, 4), column_width, fonts.dialog, settings.description);
  layout.credits =
      Entry(Below(layout.description, 24), column_width, fonts.dialog, settings.credits);
  // 1, then 12 where the web-link and e-mail lines would be; neither is set.
  layout.separator =
      QRect(kAboutTextLeft, Below(layout.credits, 1 + 12), column_width, kAboutSeparatorHeight);

  const int system_top = Below(layout.separator, 9);
  const QString captions = WithNewlines(system.captions);
  const QSize captions_size = TextSize(fonts.dialog, captions, column_width, false);
  layout.captions = QRect(QPoint(kAboutTextLeft, system_top), captions_size);
  const int values_left = kAboutTextLeft + captions_size.width() + kAboutValuesGap;
  const int values_width = kAboutTextLeft + column_width - values_left;
  const QSize values_size = TextSize(fonts.dialog, WithNewlines(system.values), values_width, true);
  layout.values = QRect(values_left, system_top, values_width, values_size.height());
  const int system_bottom = std::max(Below(layout.captions, 0), Below(layout.values, 0));

  const int button_top = system_bottom + 24;
  layout.ok_button =
      QRect(QPoint(kAboutClientWidth - kAboutRightMargin - kAboutButtonSize.width(), button_top),
            kAboutButtonSize);
  layout.client = QSize(kAboutClientWidth, Below(layout.ok_button, 6));
  return layout;
}

QString WithNewlines(QString text) { return text.replace(QLatin1Char('\r'), QLatin1Char('\n')); }
