#include "map/map_strip.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "map/map_view.h"

namespace {

constexpr int kLineHeight = 22;
// The steps offered, in world units; 0 is "off".
constexpr double kGridSteps[] = {0.0, 0.5, 1.0, 2.0, 5.0, 10.0, 25.0, 50.0};

}  // namespace

MapStrip::MapStrip(QWidget* parent) : QWidget(parent) {
  pointer_ = new QLabel(this);
  pointer_->setObjectName(QStringLiteral("MapPointer"));
  zoom_ = new QLabel(this);
  zoom_->setObjectName(QStringLiteral("MapZoom"));
  hidden_ = new QLabel(this);
  hidden_->setObjectName(QStringLiteral("MapHidden"));
  group_ = new QLabel(this);
  group_->setObjectName(QStringLiteral("MapGroupSize"));
  fit_ = new QPushButton(QStringLiteral("Fit"), this);
  fit_->setObjectName(QStringLiteral("MapFit"));
  fit_->setFocusPolicy(Qt::NoFocus);  // the map's Home key does the same
  legend_ = new MapLegend(this);
  legend_->setObjectName(QStringLiteral("MapLegend"));
  backdrop_ = new QPushButton(QStringLiteral("Backdrop\u2026"), this);
  backdrop_->setObjectName(QStringLiteral("MapBackdrop"));
  backdrop_->setFocusPolicy(Qt::NoFocus);
  grid_ = new QComboBox(this);
  grid_->setObjectName(QStringLiteral("MapGridStep"));
  grid_->setToolTip(QStringLiteral("Grid step to snap to"));
  ShowGridSteps();
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("MapBackdropProblem"));
  problem_->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0)"));
  problem_->hide();
  motion_ = new QLabel(this);
  motion_->setObjectName(QStringLiteral("MapMotion"));
  motion_->hide();
  connect(fit_, &QPushButton::clicked, this, &MapStrip::fitRequested);
  connect(backdrop_, &QPushButton::clicked, this, &MapStrip::backdropRequested);
  connect(grid_, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) emit gridStepChosen(kGridSteps[index]);
  });
  clearPointer();
  setZoom(1.0);
  setHiddenCount(0);
}

void MapStrip::resizeEvent(QResizeEvent* event) {
  const int w = width();
  pointer_->setGeometry(4, 0, 180, kLineHeight);
  zoom_->setGeometry(186, 0, 120, kLineHeight);
  hidden_->setGeometry(308, 0, 100, kLineHeight);
  group_->setGeometry(410, 0, w - 410 - 4, kLineHeight);
  // Second line: the backdrop's problem or the motion, then the controls.
  const int line = kLineHeight + 2;
  fit_->setGeometry(w - 52, line + 1, 48, kLineHeight - 2);
  backdrop_->setGeometry(w - 52 - 84, line + 1, 80, kLineHeight - 2);
  grid_->setGeometry(w - 52 - 84 - 70, line + 1, 66, kLineHeight - 2);
  problem_->setGeometry(4, line, w - 52 - 84 - 70 - 8, kLineHeight);
  motion_->setGeometry(problem_->geometry());
  legend_->setGeometry(4, 2 * line + 2, w - 8, height() - 2 * line - 2);
  QWidget::resizeEvent(event);
}

QString MapStrip::Number(double value) const {
  QString text =
      std::abs(value) < 1e7 ? QString::number(value, 'f', 2) : QString::number(value, 'g', 4);
  if (text == QStringLiteral("-0.00")) text = QStringLiteral("0.00");
  return text.replace(u'.', separator_);
}

void MapStrip::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  if (pointer_at_) setPointer(pointer_at_->x(), pointer_at_->y());
  setZoom(scale_);
  ShowGridSteps();
}

void MapStrip::ShowGridSteps() {
  const int chosen = grid_->currentIndex();
  grid_->clear();
  for (double step : kGridSteps) {
    grid_->addItem(step == 0.0 ? QStringLiteral("Grid off")
                               : QString::number(step).replace(u'.', separator_));
  }
  grid_->setCurrentIndex(chosen < 0 ? 0 : chosen);
}

void MapStrip::setGridStep(double step) {
  const auto found = std::find(std::begin(kGridSteps), std::end(kGridSteps), step);
  grid_->setCurrentIndex(found == std::end(kGridSteps) ? 0 : int(found - std::begin(kGridSteps)));
}

double MapStrip::gridStep() const { return kGridSteps[std::max(0, grid_->currentIndex())]; }

void MapStrip::setBackdropProblem(const QString& file, const QString& reason) {
  if (reason.isEmpty()) {
    problem_->clear();
    problem_->setToolTip({});
    problem_->hide();
    return;
  }
  const QString name = QFileInfo(file).fileName();
  problem_->setText(QStringLiteral("Backdrop \u201c%1\u201d not shown: %2")
                        .arg(name.isEmpty() ? file : name, reason));
  problem_->setToolTip(file);
  problem_->setVisible(motion_->isHidden());
}

void MapStrip::showMove(double dx, double dy) {
  motion_->setText(QStringLiteral("\u0394X: %1   \u0394Y: %2   Distance: %3")
                       .arg(Number(dx), Number(dy), Number(std::hypot(dx, dy))));
  motion_->show();
  problem_->hide();
}

void MapStrip::showTurn(double degrees) {
  motion_->setText(QStringLiteral("Angle: %1\u00b0").arg(Number(degrees)));
  motion_->show();
  problem_->hide();
}

void MapStrip::clearMotion() {
  motion_->clear();
  motion_->hide();
  problem_->setVisible(!problem_->text().isEmpty());
}

void MapStrip::setPointer(double x, double y) {
  pointer_at_ = QPointF(x, y);
  pointer_->setText(QStringLiteral("X: %1   Y: %2").arg(Number(x), Number(y)));
}

void MapStrip::clearPointer() {
  pointer_at_.reset();
  pointer_->setText(QStringLiteral("X: -   Y: -"));
}

void MapStrip::setZoom(double scale) {
  scale_ = scale;
  QString number = QString::number(scale, 'g', 3);
  zoom_->setText(QStringLiteral("Zoom: %1 px/unit").arg(number.replace(u'.', separator_)));
}

void MapStrip::setHiddenCount(int count) {
  hidden_->setText(QStringLiteral("Not drawn: %1").arg(count));
}

void MapStrip::setGroupSize(int count) {
  group_->setText(count >= 2 ? QStringLiteral("Group: %1").arg(count) : QString());
}

void MapStrip::setLegend(std::vector<MapLegendEntry> entries) {
  legend_->setEntries(std::move(entries));
}

void ConnectMapStrip(MapView& view, MapStrip& strip) {
  QObject::connect(&view, &MapView::pointerMoved, &strip, &MapStrip::setPointer);
  QObject::connect(&view, &MapView::pointerLeft, &strip, &MapStrip::clearPointer);
  QObject::connect(&view, &MapView::viewChanged, &strip, &MapStrip::setZoom);
  QObject::connect(&view, &MapView::hiddenCountChanged, &strip, &MapStrip::setHiddenCount);
  QObject::connect(&strip, &MapStrip::fitRequested, &view, &MapView::fit);
  QObject::connect(&view, &MapView::backdropProblemChanged, &strip, &MapStrip::setBackdropProblem);
  QObject::connect(&view, &MapView::dragMotion, &strip, &MapStrip::showMove);
  QObject::connect(&view, &MapView::turnMotion, &strip, &MapStrip::showTurn);
  QObject::connect(&view, &MapView::motionEnded, &strip, &MapStrip::clearMotion);
  QObject::connect(&strip, &MapStrip::gridStepChosen, &view, &MapView::setGridStep);
  strip.setGridStep(view.gridStep());
  strip.setZoom(view.transform().Scale());
  strip.setHiddenCount(view.hiddenCount());
}
