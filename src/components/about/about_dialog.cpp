#include "about/about_dialog.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "about/about_picture.h"
#include "about/engraved_label.h"
#include "placement/fixed_frame.h"
#include "placement/outer_frame.h"

namespace {

QLabel* TextLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  label->setGeometry(rect);
  return label;
}

QPixmap PictureFor(const AboutSettings& settings, const QColor& face) {
  const QIcon icon = settings.picture.isNull() ? QApplication::windowIcon() : settings.picture;
  const QPixmap pixmap = icon.pixmap(QSize(kAboutIconSide, kAboutIconSide));
  return settings.icon_style == AboutIconStyle::Extended ? ExtendedAboutPicture(pixmap, face)
                                                         : PlainAboutPicture(pixmap, face);
}

}  // namespace

AboutDialog::AboutDialog(const AboutSettings& settings, const AboutSystemTexts& system,
                         QWidget* parent)
    : QDialog(parent), position_(settings.position) {
  setObjectName(QStringLiteral("AboutDialog"));
  // Fixed dialog border, title bar with a close box only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(settings.caption);
  const AboutFonts fonts = AboutFonts::fromSettings(settings);
  setFont(fonts.dialog);
  layout_ = ComputeAboutLayout(settings, system, fonts);
  setFixedSize(layout_.client);
  KeepFromMinimising(*this);
  buildWidgets(settings, system, fonts);
  okButton_->setFocus();
}

void AboutDialog::buildWidgets(const AboutSettings& settings, const AboutSystemTexts& system,
                               const AboutFonts& fonts) {
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picture"));
  picture->setGeometry(layout_.picture);
  picture->setPixmap(PictureFor(settings, palette().color(QPalette::Button)));

  auto* name = new EngravedLabel(this);
  name->setObjectName(QStringLiteral("programName"));
  name->setFont(fonts.name);
  name->setText(settings.program_name);
  name->setGeometry(layout_.name);

  TextLabel(this, "version", settings.version_text, layout_.version)->setFont(fonts.bold);
  TextLabel(this, "description", settings.description, layout_.description);
  TextLabel(this, "credits", settings.credits, layout_.credits);

  auto* separator = new QFrame(this);
  separator->setObjectName(QStringLiteral("separator"));
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  separator->setGeometry(layout_.separator);

  TextLabel(this, "captions", WithNewlines(system.captions), layout_.captions)->setWordWrap(false);
  TextLabel(this, "values", WithNewlines(system.values), layout_.values);

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("okButton"));
  okButton_->setGeometry(layout_.ok_button);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

QRect AboutDialog::placeOnScreen() {
  if (position_ == AboutPosition::ScreenCenter) CentreOnScreen(*this);
  return OuterFrame(*this);
}

void AboutDialog::reject() { accept(); }
