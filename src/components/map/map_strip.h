#pragma once

#include <QChar>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "map/map_legend.h"

class MapView;
class QComboBox;
class QLabel;
class QPushButton;

// The status strip under a map: world X and Y under the pointer, the zoom,
// how many points are not drawn, the grid step chooser, a "Backdrop…" and a
// Fit button, a line for a backdrop that is not drawn and why (or, while a
// marker is dragged or turned, how far), and the legend.
class MapStrip : public QWidget {
  Q_OBJECT

 public:
  explicit MapStrip(QWidget* parent = nullptr);

  void setPointer(double x, double y);
  void clearPointer();
  // Pixels per world unit.
  void setZoom(double scale);
  void setHiddenCount(int count);
  // How many markers are selected together ("Group: 12"; empty below two).
  void setGroupSize(int count);
  void setLegend(std::vector<MapLegendEntry> entries);
  // Chooses the step without reporting it; a step not offered chooses "off".
  void setGridStep(double step);
  double gridStep() const;
  // An empty reason clears the line.
  void setBackdropProblem(const QString& file, const QString& reason);
  void showMove(double dx, double dy);
  void showTurn(double degrees);
  void clearMotion();
  // What the strip shows takes the new separator at once.
  void setDecimalSeparator(QChar separator);

  QLabel* pointerLabel() const { return pointer_; }
  QLabel* zoomLabel() const { return zoom_; }
  QLabel* hiddenLabel() const { return hidden_; }
  QLabel* groupLabel() const { return group_; }
  QPushButton* fitButton() const { return fit_; }
  QPushButton* backdropButton() const { return backdrop_; }
  QComboBox* gridChooser() const { return grid_; }
  QLabel* problemLabel() const { return problem_; }
  QLabel* motionLabel() const { return motion_; }
  MapLegend* legend() const { return legend_; }

 signals:
  void fitRequested();
  void backdropRequested();
  // The user chose a grid step (0: off).
  void gridStepChosen(double step);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString Number(double value) const;
  void ShowGridSteps();

  QLabel* pointer_ = nullptr;
  QLabel* zoom_ = nullptr;
  QLabel* hidden_ = nullptr;
  QLabel* group_ = nullptr;
  QPushButton* fit_ = nullptr;
  QPushButton* backdrop_ = nullptr;
  QComboBox* grid_ = nullptr;
  QLabel* problem_ = nullptr;
  QLabel* motion_ = nullptr;
  MapLegend* legend_ = nullptr;
  QChar separator_ = u'.';
  std::optional<QPointF> pointer_at_;  // world position shown, none when off the map
  double scale_ = 1.0;
};

// Keeps `strip` showing what `view` reports (pointer, zoom, hidden points,
// backdrop problems, motion), its Fit button fitting `view` and its grid
// chooser setting `view`'s grid step. Storing the step, and the "Backdrop…"
// button, are the owner's.
void ConnectMapStrip(MapView& view, MapStrip& strip);
