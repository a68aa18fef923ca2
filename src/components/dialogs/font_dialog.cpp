#include "dialogs/font_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace {

enum Style { kRegular, kItalic, kBold, kBoldItalic };

struct NamedColor {
  const char* name;
  QRgb rgb;
};

// The sixteen colours the system font dialog offers.
constexpr NamedColor kColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF}};

QStringList ScalableFamilies() {
  QStringList families;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family)) {
      families << family;
    }
  }
  return families;
}

int NearestOfferedSize(double points) {
  const QList<int> sizes = FontDialog::OfferedSizes();
  int best = sizes.front();
  for (int size : sizes) {
    if (std::abs(size - points) < std::abs(best - points)) best = size;
  }
  return best;
}

}  // namespace

FontDialog::FontDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Font"));
  kept_font_ = QFont(QStringLiteral("MS Sans Serif"), 8);
  kept_color_ = QApplication::palette().color(QPalette::WindowText);
  BuildLayout();
  ShowSelection();
}

QList<int> FontDialog::OfferedSizes() {
  QList<int> sizes;
  for (int size : QFontDatabase::standardSizes()) {
    if (size >= kSmallestSize && size <= kLargestSize) sizes << size;
  }
  if (sizes.isEmpty() || sizes.back() != kLargestSize) sizes << kLargestSize;
  return sizes;
}

void FontDialog::BuildLayout() {
  family_ = new QComboBox(this);
  family_->setObjectName(QStringLiteral("family"));
  family_->setEditable(true);
  family_->setInsertPolicy(QComboBox::NoInsert);
  family_->addItems(ScalableFamilies());

  style_ = new QComboBox(this);
  style_->setObjectName(QStringLiteral("style"));
  style_->addItems({QStringLiteral("Regular"), QStringLiteral("Italic"), QStringLiteral("Bold"),
                    QStringLiteral("Bold Italic")});

  size_ = new QComboBox(this);
  size_->setObjectName(QStringLiteral("size"));
  for (int size : OfferedSizes()) size_->addItem(QString::number(size), size);

  strike_out_ = new QCheckBox(QStringLiteral("Stri&keout"), this);
  strike_out_->setObjectName(QStringLiteral("strikeOut"));
  underline_ = new QCheckBox(QStringLiteral("&Underline"), this);
  underline_->setObjectName(QStringLiteral("underline"));
  color_ = new QComboBox(this);
  color_->setObjectName(QStringLiteral("color"));
  for (const NamedColor& named : kColors) {
    color_->addItem(QString::fromLatin1(named.name), QColor(named.rgb));
  }

  sample_ = new QLabel(QStringLiteral("AaBbYyZz"), this);
  sample_->setObjectName(QStringLiteral("sample"));
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumSize(160, 60);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);

  auto label_for = [this](const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), this);
    label->setBuddy(buddy);
    return label;
  };
  auto* grid = new QGridLayout;
  grid->addWidget(label_for("&Font:", family_), 0, 0);
  grid->addWidget(label_for("Font st&yle:", style_), 0, 1);
  grid->addWidget(label_for("&Size:", size_), 0, 2);
  grid->addWidget(family_, 1, 0);
  grid->addWidget(style_, 1, 1);
  grid->addWidget(size_, 1, 2);

  auto* effects = new QGroupBox(QStringLiteral("Effects"), this);
  auto* effects_layout = new QVBoxLayout(effects);
  effects_layout->addWidget(strike_out_);
  effects_layout->addWidget(underline_);
  effects_layout->addWidget(label_for("&Color:", color_));
  effects_layout->addWidget(color_);

  auto* sample_box = new QGroupBox(QStringLiteral("Sample"), this);
  auto* sample_layout = new QVBoxLayout(sample_box);
  sample_layout->addWidget(sample_);

  auto* lower = new QHBoxLayout;
  lower->addWidget(effects);
  lower->addWidget(sample_box, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(lower);
  layout->addWidget(buttons);

  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
          &FontDialog::Apply);
  for (QComboBox* box : {family_, style_, size_, color_}) {
    connect(box, &QComboBox::currentIndexChanged, this, &FontDialog::UpdateSample);
  }
  connect(family_, &QComboBox::editTextChanged, this, &FontDialog::UpdateSample);
  connect(strike_out_, &QCheckBox::toggled, this, &FontDialog::UpdateSample);
  connect(underline_, &QCheckBox::toggled, this, &FontDialog::UpdateSample);
}

void FontDialog::setSelection(const QFont& font, const QColor& color) {
  kept_font_ = font;
  kept_color_ = color;
  ShowSelection();
}

void FontDialog::ShowSelection() {
  family_->setEditText(kept_font_.family());
  const bool bold = kept_font_.bold();
  const bool italic = kept_font_.italic();
  style_->setCurrentIndex(bold ? (italic ? kBoldItalic : kBold) : (italic ? kItalic : kRegular));
  size_->setCurrentIndex(size_->findData(NearestOfferedSize(kept_font_.pointSizeF())));
  strike_out_->setChecked(kept_font_.strikeOut());
  underline_->setChecked(kept_font_.underline());
  int color_index = color_->findData(kept_color_);
  if (color_index < 0) {
    color_->addItem(kept_color_.name(), kept_color_);
    color_index = color_->count() - 1;
  }
  color_->setCurrentIndex(color_index);
  UpdateSample();
}

QFont FontDialog::currentFont() const {
  QFont font(family_->currentText());
  font.setPointSize(size_->currentData().toInt());
  const int style = style_->currentIndex();
  font.setBold(style == kBold || style == kBoldItalic);
  font.setItalic(style == kItalic || style == kBoldItalic);
  font.setStrikeOut(strike_out_->isChecked());
  font.setUnderline(underline_->isChecked());
  return font;
}

QColor FontDialog::currentColor() const { return color_->currentData().value<QColor>(); }

void FontDialog::UpdateSample() {
  sample_->setFont(currentFont());
  QPalette palette = sample_->palette();
  palette.setColor(QPalette::WindowText, currentColor());
  sample_->setPalette(palette);
}

void FontDialog::Apply() {
  kept_font_ = currentFont();
  kept_color_ = currentColor();
  emit applied();
}

bool FontDialog::execute() {
  ShowSelection();
  // Each run starts in the font field with OK as the default button, not on
  // whichever button closed the last run (Enter would then mean Cancel).
  ok_->setDefault(true);
  family_->setFocus();
  const bool accepted = exec() == QDialog::Accepted;
  // exec() can end without the dialog being hidden when the program quits.
  hide();
  if (accepted) {
    kept_font_ = currentFont();
    kept_color_ = currentColor();
  }
  return accepted;
}
