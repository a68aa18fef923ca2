#pragma once

#include <QString>
#include <QWidget>
#include <vector>

// One key of the map and what it stands for.
struct MapLegendEntry {
  int key = 0;
  QString text;
};

// The keys present on the map with their marker: entries flow in columns,
// and what does not fit is summed up as "+N more".
class MapLegend : public QWidget {
  Q_OBJECT

 public:
  explicit MapLegend(QWidget* parent = nullptr);

  void setEntries(std::vector<MapLegendEntry> entries);
  const std::vector<MapLegendEntry>& entries() const { return entries_; }
  // How many entries the current size shows (the rest are counted).
  int shownCount() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int Columns() const;
  int Rows() const;

  std::vector<MapLegendEntry> entries_;
};
