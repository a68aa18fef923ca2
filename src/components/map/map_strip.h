#pragma once

#include <QChar>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "map/map_legend.h"

class MapView;
class QLabel;
class QPushButton;

// The status strip under a map: world X and Y under the pointer, the zoom,
// how many points are not drawn, a Fit button and the legend.
class MapStrip : public QWidget {
  Q_OBJECT

 public:
  explicit MapStrip(QWidget* parent = nullptr);

  void setPointer(double x, double y);
  void clearPointer();
  // Pixels per world unit.
  void setZoom(double scale);
  void setHiddenCount(int count);
  void setLegend(std::vector<MapLegendEntry> entries);
  // What the strip shows takes the new separator at once.
  void setDecimalSeparator(QChar separator);

  QLabel* pointerLabel() const { return pointer_; }
  QLabel* zoomLabel() const { return zoom_; }
  QLabel* hiddenLabel() const { return hidden_; }
  QPushButton* fitButton() const { return fit_; }
  MapLegend* legend() const { return legend_; }

 signals:
  void fitRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString Number(double value) const;

  QLabel* pointer_ = nullptr;
  QLabel* zoom_ = nullptr;
  QLabel* hidden_ = nullptr;
  QPushButton* fit_ = nullptr;
  MapLegend* legend_ = nullptr;
  QChar separator_ = u'.';
  std::optional<QPointF> pointer_at_;  // world position shown, none when off the map
  double scale_ = 1.0;
};

// Keeps `strip` showing what `view` reports, and its Fit button fitting `view`.
void ConnectMapStrip(MapView& view, MapStrip& strip);
