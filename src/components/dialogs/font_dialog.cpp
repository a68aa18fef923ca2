#include "dialogs/font_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

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

struct Script {
  int char_set;
  const char* name;
  QFontDatabase::WritingSystem system;
};

// The scripts of the system font dialog, by RTF character set.
constexpr Script kScripts[] = {
    {0, "Western", QFontDatabase::Latin},
    {238, "Central European", QFontDatabase::Latin},
    {162, "Turkish", QFontDatabase::Latin},
    {186, "Baltic", QFontDatabase::Latin},
    {163, "Vietnamese", QFontDatabase::Vietnamese},
    {161, "Greek", QFontDatabase::Greek},
    {204, "Cyrillic", QFontDatabase::Cyrillic},
    {177, "Hebrew", QFontDatabase::Hebrew},
    {178, "Arabic", QFontDatabase::Arabic},
    {222, "Thai", QFontDatabase::Thai},
    {128, "Japanese", QFontDatabase::Japanese},
    {129, "Hangul", QFontDatabase::Korean},
    {134, "Chinese Simplified", QFontDatabase::SimplifiedChinese},
    {136, "Chinese Traditional", QFontDatabase::TraditionalChinese},
};

int SizeInRange(double points) {
  return std::clamp(static_cast<int>(std::lround(points)), FontDialog::kSmallestSize,
                    FontDialog::kLargestSize);
}

}  // namespace

FontDialog::FontDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Font"));
  keptFont_ = QFont(QStringLiteral("MS Sans Serif"), 8);
  keptFont_.setStyleHint(QFont::SansSerif);
  keptColor_ = QApplication::palette().color(QPalette::WindowText);
  buildLayout();
  showSelection();
}

QList<int> FontDialog::offeredSizes() {
  QList<int> sizes;
  for (int size : QFontDatabase::standardSizes()) {
    if (size >= kSmallestSize && size <= kLargestSize) sizes << size;
  }
  if (sizes.isEmpty() || sizes.back() != kLargestSize) sizes << kLargestSize;
  return sizes;
}

QList<int> FontDialog::scriptsOf(const QString& family) {
  const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
  QList<int> char_sets;
  for (const Script& script : kScripts) {
    if (systems.contains(script.system)) char_sets << script.char_set;
  }
  if (char_sets.isEmpty()) char_sets << 0;
  return char_sets;
}

QString FontDialog::scriptName(int char_set) {
  for (const Script& script : kScripts) {
    if (script.char_set == char_set) return QString::fromLatin1(script.name);
  }
  return QStringLiteral("Default");
}

void FontDialog::buildLayout() {
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
  for (int size : offeredSizes()) size_->addItem(QString::number(size), size);
  // Any whole size in range may be typed; OK and Apply wait for one.
  size_->setEditable(true);
  size_->setInsertPolicy(QComboBox::NoInsert);
  size_->setValidator(new QIntValidator(kSmallestSize, kLargestSize, size_));

  script_ = new QComboBox(this);
  script_->setObjectName(QStringLiteral("script"));

  strikeOut_ = new QCheckBox(QStringLiteral("Stri&keout"), this);
  strikeOut_->setObjectName(QStringLiteral("strikeOut"));
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
  effects_layout->addWidget(strikeOut_);
  effects_layout->addWidget(underline_);
  effects_layout->addWidget(label_for("&Color:", color_));
  effects_layout->addWidget(color_);

  auto* sample_box = new QGroupBox(QStringLiteral("Sample"), this);
  auto* sample_layout = new QVBoxLayout(sample_box);
  sample_layout->addWidget(sample_);
  sample_layout->addWidget(label_for("Sc&ript:", script_));
  sample_layout->addWidget(script_);

  auto* lower = new QHBoxLayout;
  lower->addWidget(effects);
  lower->addWidget(sample_box, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(lower);
  layout->addWidget(buttons);

  ok_ = buttons->button(QDialogButtonBox::Ok);
  apply_ = buttons->button(QDialogButtonBox::Apply);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(apply_, &QPushButton::clicked, this, &FontDialog::apply);
  connect(size_, &QComboBox::editTextChanged, this, [this] {
    const bool whole_size = size_->lineEdit()->hasAcceptableInput();
    ok_->setEnabled(whole_size);
    apply_->setEnabled(whole_size);
    if (whole_size) updateSample();
  });
  connect(family_, &QComboBox::editTextChanged, this, &FontDialog::updateScripts);
  connect(script_, &QComboBox::activated, this, [this] { scriptPicked_ = true; });
  for (QComboBox* box : {family_, style_, size_, color_}) {
    connect(box, &QComboBox::currentIndexChanged, this, &FontDialog::updateSample);
  }
  connect(family_, &QComboBox::editTextChanged, this, &FontDialog::updateSample);
  connect(strikeOut_, &QCheckBox::toggled, this, &FontDialog::updateSample);
  connect(underline_, &QCheckBox::toggled, this, &FontDialog::updateSample);
}

void FontDialog::setSelection(const QFont& font, const QColor& color) {
  keptFont_ = font;
  keptColor_ = color;
  showSelection();
}

void FontDialog::showSelection() {
  family_->setEditText(keptFont_.family());
  const bool bold = keptFont_.bold();
  const bool italic = keptFont_.italic();
  style_->setCurrentIndex(bold ? (italic ? kBoldItalic : kBold) : (italic ? kItalic : kRegular));
  size_->setEditText(QString::number(SizeInRange(keptFont_.pointSizeF())));
  strikeOut_->setChecked(keptFont_.strikeOut());
  underline_->setChecked(keptFont_.underline());
  int color_index = color_->findData(keptColor_);
  if (color_index < 0) {
    color_->addItem(keptColor_.name(), keptColor_);
    color_index = color_->count() - 1;
  }
  color_->setCurrentIndex(color_index);
  script_->clear();  // so that the kept script is the one chosen
  updateScripts();
  scriptPicked_ = false;
  updateSample();
}

// The scripts of the face in the family box; the kept one stays chosen
// when the face has it.
void FontDialog::updateScripts() {
  const int chosen = script_->count() > 0 ? script_->currentData().toInt() : keptCharSet_;
  script_->clear();
  for (int char_set : scriptsOf(family_->currentText())) {
    script_->addItem(scriptName(char_set), char_set);
  }
  const int index = script_->findData(chosen);
  script_->setCurrentIndex(index >= 0 ? index : 0);
  if (index < 0) scriptPicked_ = false;  // the face has not got the picked script
}

QFont FontDialog::currentFont() const {
  QFont font(family_->currentText());
  font.setPointSize(SizeInRange(size_->currentText().toInt()));
  const int style = style_->currentIndex();
  font.setBold(style == kBold || style == kBoldItalic);
  font.setItalic(style == kItalic || style == kBoldItalic);
  font.setStrikeOut(strikeOut_->isChecked());
  font.setUnderline(underline_->isChecked());
  return font;
}

QColor FontDialog::currentColor() const { return color_->currentData().value<QColor>(); }

int FontDialog::currentCharSet() const {
  return scriptPicked_ ? script_->currentData().toInt() : keptCharSet_;
}

void FontDialog::updateSample() {
  sample_->setFont(currentFont());
  QPalette palette = sample_->palette();
  palette.setColor(QPalette::WindowText, currentColor());
  sample_->setPalette(palette);
}

void FontDialog::keep() {
  keptFont_ = currentFont();
  keptColor_ = currentColor();
  keptCharSet_ = currentCharSet();
}

void FontDialog::apply() {
  keep();
  emit applied();
}

bool FontDialog::execute() {
  showSelection();
  // Each run starts in the font field with OK as the default button, not on
  // whichever button closed the last run (Enter would then mean Cancel).
  ok_->setDefault(true);
  family_->setFocus();
  const bool accepted = exec() == QDialog::Accepted;
  // exec() can end without the dialog being hidden when the program quits.
  hide();
  if (accepted) keep();
  return accepted;
}
