#include "dialogs/backdrop_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace {

// The preview reads the picture no larger than this.
const QSize kPreviewSize(480, 320);

const char16_t* const kEdgeNames[] = {u"Left", u"Bottom", u"Right", u"Top"};

QString Name(const char16_t* text) { return QString::fromUtf16(text); }

QString RealBrowser(QWidget* parent, const QString& current) {
  return QFileDialog::getOpenFileName(
      parent, QStringLiteral("Backdrop Picture"), current,
      QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.gif);;All files (*)"));
}

}  // namespace

BackdropDialog::BackdropDialog(const BackdropPlace& start, bool removable, QChar separator,
                               QWidget* parent)
    : QDialog(parent), separator_(separator), browser_(RealBrowser) {
  setWindowTitle(QStringLiteral("Backdrop"));
  setObjectName(QStringLiteral("BackdropDialog"));

  file_ = new QLineEdit(start.file, this);
  file_->setObjectName(QStringLiteral("BackdropFile"));
  file_->setMinimumWidth(260);
  browse_ = new QPushButton(QStringLiteral("Browse\u2026"), this);
  browse_->setObjectName(QStringLiteral("BackdropBrowse"));
  const double starts[] = {start.left, start.bottom, start.right, start.top};
  for (int i = 0; i < 4; ++i) {
    edges_[i] = new QLineEdit(Text(starts[i]), this);
    edges_[i]->setObjectName(QStringLiteral("Backdrop") + Name(kEdgeNames[i]));
  }
  opacity_ = new QSpinBox(this);
  opacity_->setObjectName(QStringLiteral("BackdropOpacity"));
  opacity_->setRange(0, 100);
  opacity_->setSuffix(QStringLiteral(" %"));
  opacity_->setValue(std::clamp(start.opacity, 0, 100));
  preview_ = new BackdropPreview(this);
  preview_->setObjectName(QStringLiteral("BackdropPreview"));
  preview_->setFocusPolicy(Qt::NoFocus);
  for (int which = 0; which < 2; ++which) {
    for (int axis = 0; axis < 2; ++axis) {
      auto* field = new QLineEdit(this);
      field->setObjectName(QStringLiteral("BackdropSpot%1%2")
                               .arg(which + 1)
                               .arg(axis == 0 ? QLatin1Char('X') : QLatin1Char('Y')));
      field->setMaximumWidth(80);
      connect(field, &QLineEdit::textChanged, this, &BackdropDialog::UpdateSpotsButton);
      spot_fields_[which][axis] = field;
    }
  }
  place_by_spots_ = new QPushButton(QStringLiteral("Place by spots"), this);
  place_by_spots_->setObjectName(QStringLiteral("BackdropPlaceBySpots"));
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("BackdropMessage"));
  message_->setWordWrap(true);
  remove_ = new QPushButton(QStringLiteral("Remove"), this);
  remove_->setObjectName(QStringLiteral("BackdropRemove"));
  remove_->setEnabled(removable);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("BackdropOK"));
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("BackdropCancel"));
  // Enter anywhere is OK; no other button takes it over when focused.
  for (QPushButton* button : {browse_, place_by_spots_, remove_, cancel_}) {
    button->setAutoDefault(false);
  }
  ok_->setAutoDefault(false);
  ok_->setDefault(true);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Picture file:"), this), 0, 0);
  grid->addWidget(file_, 0, 1, 1, 6);
  grid->addWidget(browse_, 0, 7);
  for (int i = 0; i < 4; ++i) {
    grid->addWidget(new QLabel(Name(kEdgeNames[i]) + u':', this), 1, 2 * i);
    grid->addWidget(edges_[i], 1, 2 * i + 1);
  }
  grid->addWidget(new QLabel(QStringLiteral("Opacity:"), this), 2, 0);
  grid->addWidget(opacity_, 2, 1);

  auto* spots = new QGridLayout;
  auto* hint = new QLabel(
      QStringLiteral("Or place it by two spots: click a spot of the picture, type its game X "
                     "and Y, and do the same for a second spot."),
      this);
  hint->setWordWrap(true);
  spots->addWidget(hint, 0, 0, 1, 5);
  for (int which = 0; which < 2; ++which) {
    spots->addWidget(new QLabel(QStringLiteral("Spot %1:  X").arg(which + 1), this), which + 1, 0);
    spots->addWidget(spot_fields_[which][0], which + 1, 1);
    spots->addWidget(new QLabel(QStringLiteral("Y"), this), which + 1, 2);
    spots->addWidget(spot_fields_[which][1], which + 1, 3);
  }
  spots->addWidget(place_by_spots_, 3, 0, 1, 4);
  spots->setRowStretch(4, 1);
  auto* placing = new QHBoxLayout;
  placing->addWidget(preview_, 1);
  placing->addLayout(spots);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(remove_);
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(placing, 1);
  layout->addWidget(message_);
  layout->addLayout(buttons);

  // The file, then the four edges, so that the keyboard fills what matters
  // first; the buttons and the opacity after them.
  QWidget* order[] = {file_,
                      edges_[0],
                      edges_[1],
                      edges_[2],
                      edges_[3],
                      browse_,
                      ok_,
                      cancel_,
                      remove_,
                      opacity_,
                      spot_fields_[0][0],
                      spot_fields_[0][1],
                      spot_fields_[1][0],
                      spot_fields_[1][1],
                      place_by_spots_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(browse_, &QPushButton::clicked, this, &BackdropDialog::Browse);
  connect(file_, &QLineEdit::editingFinished, this, &BackdropDialog::LoadPreview);
  connect(preview_, &BackdropPreview::spotClicked, this, &BackdropDialog::SpotClicked);
  connect(place_by_spots_, &QPushButton::clicked, this, &BackdropDialog::PlaceBySpots);
  connect(ok_, &QPushButton::clicked, this, &BackdropDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &BackdropDialog::reject);
  connect(remove_, &QPushButton::clicked, this, [this] {
    result_ = {BackdropDialogResult::Action::Remove, {}};
    done(QDialog::Accepted);
  });
  LoadPreview();
  UpdateSpotsButton();
}

void BackdropDialog::setBrowser(std::function<QString(QWidget*, const QString&)> browser) {
  browser_ = std::move(browser);
}

BackdropDialogResult BackdropDialog::execute() {
  result_ = {};
  exec();
  return result_;
}

void BackdropDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  file_->setFocus(Qt::OtherFocusReason);
  file_->selectAll();
}

QString BackdropDialog::Text(double value) const {
  if (!std::isfinite(value)) return {};
  return QString::number(value, 'g', 12).replace(u'.', separator_);
}

std::optional<double> BackdropDialog::Number(const QLineEdit* field) const {
  QString text = field->text().trimmed();
  text.replace(separator_, u'.');
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

void BackdropDialog::accept() {
  BackdropPlace place;
  place.file = file_->text().trimmed();
  if (place.file.isEmpty()) {
    message_->setText(QStringLiteral("Choose a picture file."));
    file_->setFocus();
    return;
  }
  std::optional<double> values[4];
  for (int i = 0; i < 4; ++i) {
    values[i] = Number(edges_[i]);
    if (!values[i]) {
      message_->setText(QStringLiteral("%1 is not a number.").arg(Name(kEdgeNames[i])));
      edges_[i]->setFocus();
      edges_[i]->selectAll();
      return;
    }
  }
  place.left = *values[0];
  place.bottom = *values[1];
  place.right = *values[2];
  place.top = *values[3];
  if (!(place.left < place.right)) {
    message_->setText(QStringLiteral("Left must be less than Right."));
    edges_[0]->setFocus();
    return;
  }
  if (!(place.bottom < place.top)) {
    message_->setText(QStringLiteral("Bottom must be less than Top."));
    edges_[1]->setFocus();
    return;
  }
  place.opacity = opacity_->value();
  result_ = {BackdropDialogResult::Action::Apply, place};
  QDialog::accept();
}

void BackdropDialog::Browse() {
  const QString chosen = browser_ ? browser_(this, file_->text()) : QString();
  if (chosen.isEmpty()) return;
  file_->setText(chosen);
  LoadPreview();
  edges_[0]->setFocus();
}

void BackdropDialog::LoadPreview() {
  const QString file = file_->text().trimmed();
  if (file == previewed_ && !previewed_.isEmpty()) return;
  previewed_ = file;
  spot_pixels_[0].reset();
  spot_pixels_[1].reset();
  next_spot_ = 1;
  if (file.isEmpty()) {
    preview_->setPicture({}, {}, QStringLiteral("No picture chosen"));
  } else {
    const BackdropPicture picture = LoadBackdropPicture(file, kPreviewSize);
    preview_->setPicture(picture.image, picture.full_size,
                         picture.problem.isEmpty()
                             ? QString()
                             : QStringLiteral("The picture is %1.").arg(picture.problem));
    message_->setText(picture.problem.isEmpty()
                          ? QString()
                          : QStringLiteral("The picture is %1.").arg(picture.problem));
  }
  UpdateSpotsButton();
}

// Clicks mark spot 1, then spot 2, then spot 1 again; the cursor goes to the
// spot's X field, ready for its game coordinates.
void BackdropDialog::SpotClicked(QPointF pixel) {
  const int which = next_spot_;
  spot_pixels_[which - 1] = pixel;
  preview_->setSpot(which, pixel);
  next_spot_ = which == 1 ? 2 : 1;
  spot_fields_[which - 1][0]->setFocus();
  spot_fields_[which - 1][0]->selectAll();
  UpdateSpotsButton();
}

std::optional<BackdropSpot> BackdropDialog::Spot(int which) const {
  const auto& pixel = spot_pixels_[which - 1];
  const auto x = Number(spot_fields_[which - 1][0]);
  const auto y = Number(spot_fields_[which - 1][1]);
  if (!pixel || !x || !y) return std::nullopt;
  return BackdropSpot{*pixel, *x, *y};
}

void BackdropDialog::UpdateSpotsButton() {
  if (place_by_spots_ == nullptr) return;
  place_by_spots_->setEnabled(Spot(1) && Spot(2));
}

void BackdropDialog::PlaceBySpots() {
  const auto first = Spot(1);
  const auto second = Spot(2);
  if (!first || !second) return;
  const auto place = BackdropEdgesFromSpots(preview_->fullSize(), *first, *second);
  if (!place) {
    message_->setText(
        QStringLiteral("These spots cannot place the picture: they must differ in both "
                       "directions, and lie the way the picture does."));
    return;
  }
  const double values[] = {place->left, place->bottom, place->right, place->top};
  for (int i = 0; i < 4; ++i) edges_[i]->setText(Text(values[i]));
  message_->clear();
}
